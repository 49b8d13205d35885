#include "apps/tintora/session.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "apps/tintora/errors.h"
#include "apps/tintora/map_factory.h"
#include "studio/textures/standard_classes.h"
#include "texture/param_table.h"
#include "texture/tintora_class.h"

namespace tintora_cli {

namespace fs = std::filesystem;

std::string PluginFolder(const std::string& flag) {
    if (!flag.empty()) return flag;
    if (const char* variable = std::getenv("TINTORA_PLUGIN_PATH"); variable && *variable)
        return studio::DefaultPluginFolder();
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) return studio::DefaultPluginFolder();
    return (self.parent_path().parent_path() / "plugins").string();
}

Session::Session(const std::string& pluginFolder) : folder(pluginFolder) {
    RegisterStandardTextures();
    if (!fs::is_directory(folder))
        throw WorkError("plug-in folder " + folder +
                        " does not exist (choose one with --plugins DIR or TINTORA_PLUGIN_PATH)");
    const std::vector<std::string> problems = modules.LoadFolder(folder);
    tintoraClass = modules.FindClass(TINTORA_CLASS_ID);
    if (!tintoraClass)
        throw WorkError("no module in " + folder + " offers the Tintora texture" +
                        (problems.empty() ? std::string() : " (" + problems.front() + ")"));
}

Session::~Session() { scene.reset(); }

Texmap& Session::NewTintora() {
    auto* texture = dynamic_cast<Texmap*>(tintoraClass->CreateTexture(0));
    if (!texture) throw WorkError("the Tintora class descriptor created no texture");
    scene = std::make_unique<Scene>();
    scene->AddRoot(texture);
    tintora = texture;
    return *texture;
}

Texmap& Session::OpenScene(const std::string& path) {
    if (!fs::exists(path)) throw WorkError(path + ": no such scene file");
    SceneLoadResult loaded = Scene::Load(path, modules);
    if (!loaded) throw WorkError(loaded.error);
    for (const std::string& warning : loaded.warnings) std::cerr << "tintora: warning: " << warning << '\n';
    scene = std::move(loaded.scene);
    for (int i = 0; i < scene->RootCount(); ++i) {
        Texmap* root = scene->RootTexmap(i);
        if (root && root->ClassID() == TINTORA_CLASS_ID) return *(tintora = root);
    }
    throw WorkError(path + ": the scene holds no Tintora texture");
}

void Session::SaveScene(const std::string& path) {
    const std::string error = scene->Save(path);
    if (!error.empty()) throw WorkError(error);
}

IParamBlock& Params(Texmap& tintora) {
    auto* block = dynamic_cast<IParamBlock*>(tintora.GetReference(0));
    if (!block) throw WorkError("the Tintora texture has no parameter block");
    return *block;
}

void ApplySetting(Texmap& tintora, const Setting& setting, TimeValue t) {
    IParamBlock& block = Params(tintora);
    std::visit([&](const auto& value) { block.SetValue(setting.param, t, value); }, setting.value);
}

void ApplyMap(Texmap& tintora, const MapAssignment& map) {
    tintora.SetSubTexmap(map.slot, CreateMap(map.spec));
}

studio::ParamValue ReadParam(Texmap& tintora, int param, TimeValue t) {
    IParamBlock& block = Params(tintora);
    Interval valid = WHOLE_INTERVAL;
    switch (TintoraParamDesc[param].type) {
    case TYPE_FLOAT: {
        float value = 0.0f;
        block.GetValue(param, t, value, valid);
        return value;
    }
    case TYPE_RGBA: {
        Color value;
        block.GetValue(param, t, value, valid);
        return value;
    }
    default: {
        int value = 0;
        block.GetValue(param, t, value, valid);
        return value;
    }
    }
}

}  // namespace tintora_cli
