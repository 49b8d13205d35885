#include "studio/scene/scene.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "studio/core/module_loader.h"

Scene::Scene() = default;

Scene::~Scene() {
    // The unknown objects hold some of the graph's objects; let them go
    // before the roots do, so that whatever nobody else holds is deleted.
    unknowns.clear();
}

int Scene::AddRoot(ReferenceTarget* root) {
    roots.push_back(nullptr);
    const int i = RootCount() - 1;
    if (root) ReplaceReference(i, root);
    return i;
}

void Scene::SetReference(int i, RefTargetHandle target) {
    if (i >= 0 && std::size_t(i) < roots.size()) roots[std::size_t(i)] = target;
}

std::string Scene::Save(const std::string& path) {
    studio::FileSave out(path);
    const std::string error = SaveTo(out);
    if (!error.empty()) return path + ": not saved, " + error;
    if (out.Commit() != IO_OK) return out.Error();
    return {};
}

SceneLoadResult Scene::Load(const std::string& path, const ClassRegistry& classes) {
    // A folder opens as a stream and fails only on reading, by an exception.
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) return {nullptr, path + ": is a folder, not a scene file", {}};
    std::ifstream file(path, std::ios::binary);
    if (!file) return {nullptr, path + ": cannot be opened for reading", {}};
    studio::Bytes data;
    try {
        data.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        return {nullptr, path + ": could not be read", {}};
    }
    if (file.bad()) return {nullptr, path + ": could not be read", {}};
    return LoadFromMemory(std::move(data), path, classes);
}

SceneLoadResult Scene::Load(const std::string& path, const studio::ModuleRegistry& modules) {
    return Load(path, StudioClasses(modules));
}
