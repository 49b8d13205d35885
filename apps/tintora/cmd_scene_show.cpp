// tintora scene show: the Tintora texture of a scene file, its values at a
// frame, its keys and its slots.

#include <cstdio>
#include <iostream>

#include "apps/tintora/commands.h"
#include "apps/tintora/map_factory.h"
#include "apps/tintora/names.h"
#include "apps/tintora/number_format.h"
#include "apps/tintora/session.h"
#include "studio/core/param_block.h"
#include "studio/render/renderer.h"
#include "texture/param_table.h"

namespace tintora_cli {

namespace {

struct ShowOptions {
    std::string file, frame;
    bool json = false;
};

struct Key {
    float frame;
    std::string value;
    nlohmann::json jsonValue;
};

nlohmann::json JsonValue(int param, const studio::ParamValue& value) {
    if (const auto* number = std::get_if<float>(&value)) return JsonNumber(*number);
    if (const auto* color = std::get_if<Color>(&value)) return JsonColor(*color);
    const int code = std::get<int>(value);
    if (TintoraParamDesc[param].type == TYPE_BOOL) return code != 0;
    return code;
}

std::vector<Key> Keys(Texmap& tintora, int param) {
    std::vector<Key> keys;
    auto* block = dynamic_cast<studio::ParamBlock*>(&Params(tintora));
    if (!block) return keys;
    for (int k = 0; k < block->NumKeys(param); ++k) {
        const studio::ParamValue value = block->KeyValue(param, k);
        keys.push_back({float(block->KeyTime(param, k)) / float(TICKS_PER_FRAME),
                        FormatSettingValue(param, value), JsonValue(param, value)});
    }
    return keys;
}

void PrintJson(const std::string& file, Texmap& tintora, TimeValue t) {
    nlohmann::json out = {{"file", file}, {"name", tintora.GetName().str()},
                          {"frame", JsonNumber(float(t) / float(TICKS_PER_FRAME))}};
    for (int i = 0; i < TINTORA_NUM_PARAMS; ++i) {
        nlohmann::json keys = nlohmann::json::array();
        for (const Key& key : Keys(tintora, i)) keys.push_back({{"frame", JsonNumber(key.frame)}, {"value", key.jsonValue}});
        out["parameters"].push_back(
            {{"name", ParamKey(i)}, {"value", JsonValue(i, ReadParam(tintora, i, t))}, {"keys", keys}});
    }
    for (int slot = 0; slot < TINTORA_NUM_SLOTS; ++slot)
        out["slots"].push_back({{"name", SlotKey(slot)}, {"map", DescribeMap(tintora.GetSubTexmap(slot), t)}});
    std::cout << out.dump(2) << '\n';
}

void PrintText(const std::string& file, Texmap& tintora, TimeValue t) {
    std::printf("%s: Tintora texture%s%s\n\n", file.c_str(), tintora.GetName().Length() ? " " : "",
                tintora.GetName().data());
    std::printf("%-12s  %-14s  %s\n", "parameter", ("frame " + FormatNumber(float(t) / float(TICKS_PER_FRAME))).c_str(),
                "keys (frame: value)");
    for (int i = 0; i < TINTORA_NUM_PARAMS; ++i) {
        std::string keys;
        for (const Key& key : Keys(tintora, i))
            keys += (keys.empty() ? "" : "; ") + FormatNumber(key.frame) + ": " + key.value;
        std::printf("%-12s  %-14s  %s\n", ParamKey(i).c_str(), FormatSettingValue(i, ReadParam(tintora, i, t)).c_str(),
                    keys.c_str());
    }
    std::printf("\n%-12s  %s\n", "slot", "map");
    for (int slot = 0; slot < TINTORA_NUM_SLOTS; ++slot)
        std::printf("%-12s  %s\n", SlotKey(slot).c_str(), DescribeMap(tintora.GetSubTexmap(slot), t).c_str());
}

void Run(const GlobalOptions& global, const ShowOptions& options) {
    const TimeValue t = options.frame.empty() ? 0 : ParseFrameTime(options.frame);
    Session session(PluginFolder(global.plugins));
    Texmap& tintora = session.OpenScene(options.file);
    if (options.json)
        PrintJson(options.file, tintora, t);
    else
        PrintText(options.file, tintora, t);
}

}  // namespace

void AddSceneShowCommand(CLI::App& scene, const GlobalOptions& global) {
    auto* command = scene.add_subcommand("show", "Show the Tintora texture of a scene file");
    auto options = std::make_shared<ShowOptions>();
    command->add_option("FILE", options->file, "Scene file to show")->required();
    command->add_option("--frame", options->frame, "Show the values at frame F (default 0)")->type_name("F");
    command->add_flag("--json", options->json, "Print JSON");
    command->footer(
        "Examples:\n"
        "  tintora scene show look.tnts\n"
        "  tintora scene show look.tnts --frame 12 --json");
    command->callback([&global, options] { Run(global, *options); });
}

}  // namespace tintora_cli
