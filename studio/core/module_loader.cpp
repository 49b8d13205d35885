#include "studio/core/module_loader.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <sstream>

#include "studio/core/dynamic_library.h"

namespace studio {
namespace {

constexpr DWORD kProcessDetach = 0;
constexpr DWORD kProcessAttach = 1;
// More classes than any real module offers: a garbage answer, not a list.
constexpr int kMaxClassesPerModule = 4096;

// Records of every live module, so that instance handles can be resolved
// from code that has no registry at hand (the ui layer).
struct LiveModules {
    std::mutex lock;
    std::vector<const LoadedModule*> records;
};
LiveModules& Live() {
    static LiveModules* const live = new LiveModules;
    return *live;
}

std::string Hex(ULONG value) {
    std::ostringstream out;
    out << "0x" << std::hex << std::uppercase << value;
    return out.str();
}

template <typename Fn>
Fn Lookup(void* library, const char* name) {
    return reinterpret_cast<Fn>(dynlib::Symbol(library, name));
}

}  // namespace

HINSTANCE LoadedModule::Instance() const {
    if (!dynlib::StudioCallsEntryPoint())
        return static_cast<HINSTANCE>(library);
    return reinterpret_cast<HINSTANCE>(const_cast<LoadedModule*>(this));
}

std::string DefaultPluginFolder() {
    const char* path = std::getenv("TINTORA_PLUGIN_PATH");
    if (path && *path)
        return path;
    return "plugins";
}

const LoadedModule* FindModule(HINSTANCE instance) {
    LiveModules& live = Live();
    std::lock_guard guard(live.lock);
    for (const LoadedModule* module : live.records)
        if (module->Instance() == instance)
            return module;
    return nullptr;
}

void* ModuleSymbol(HINSTANCE instance, const char* name) {
    const LoadedModule* module = FindModule(instance);
    return module && name ? dynlib::Symbol(module->library, name) : nullptr;
}

ModuleRegistry::~ModuleRegistry() {
    while (!modules.empty()) {
        Unload(*modules.back());
        modules.pop_back();
    }
}

void ModuleRegistry::Unload(LoadedModule& module) {
    if (dynlib::StudioCallsEntryPoint())
        module.entry(module.Instance(), kProcessDetach, nullptr);
    {
        LiveModules& live = Live();
        std::lock_guard guard(live.lock);
        std::erase(live.records, &module);
    }
    dynlib::Close(module.library);
}

std::vector<std::string> ModuleRegistry::LoadFolder(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code failure;
    std::vector<fs::path> files;
    for (fs::directory_iterator it(folder, failure), end; !failure && it != end;
         it.increment(failure))
        if (it->path().extension() == ".dlm" && !it->is_directory())
            files.push_back(it->path());
    if (failure)
        return {folder + ": cannot read the plug-in folder (" + failure.message() + ")"};
    std::sort(files.begin(), files.end());
    std::vector<std::string> messages;
    for (const fs::path& file : files) {
        std::vector<std::string> more = LoadModule(file.string());
        messages.insert(messages.end(), more.begin(), more.end());
    }
    return messages;
}

std::vector<std::string> ModuleRegistry::LoadModule(const std::string& path) {
    std::string reason;
    void* library = dynlib::Open(path, reason);
    if (!library)
        return {path + ": not a loadable module: " + reason};

    const bool known = std::any_of(modules.begin(), modules.end(),
                                   [&](const auto& m) { return m->library == library; });
    if (known) {
        dynlib::Close(library);  // only drops the extra count the open took
        return {path + ": already loaded"};
    }

    auto module = std::make_unique<LoadedModule>();
    module->path = path;
    module->library = library;
    module->entry = Lookup<DllEntryFn>(library, "DllMain");
    const auto numberClasses = Lookup<LibNumberClassesFn>(library, "LibNumberClasses");
    const auto classDesc = Lookup<LibClassDescFn>(library, "LibClassDesc");
    const auto description = Lookup<LibDescriptionFn>(library, "LibDescription");
    const auto version = Lookup<LibVersionFn>(library, "LibVersion");

    std::string missing;
    const std::pair<const char*, bool> needed[] = {
        {"DllMain (the entry point)", module->entry != nullptr || !dynlib::StudioCallsEntryPoint()},
        {"LibNumberClasses", numberClasses != nullptr},
        {"LibClassDesc", classDesc != nullptr},
        {"LibDescription", description != nullptr},
        {"LibVersion", version != nullptr},
    };
    for (const auto& [name, present] : needed)
        if (!present)
            missing += (missing.empty() ? "" : ", ") + std::string(name);
    if (!missing.empty()) {
        dynlib::Close(library);
        return {path + ": not a Tintora module, missing export " + missing};
    }

    LoadedModule& record = *module;
    {
        LiveModules& live = Live();
        std::lock_guard guard(live.lock);
        live.records.push_back(&record);
    }
    if (dynlib::StudioCallsEntryPoint() &&
        !record.entry(record.Instance(), kProcessAttach, nullptr)) {
        // As the system does: a refused attach is followed by a detach.
        Unload(record);
        return {path + ": the module refused to start (DllMain answered 0)"};
    }

    std::vector<std::string> messages;
    const int count = numberClasses();
    if (count < 0 || count > kMaxClassesPerModule)
        messages.push_back(path + ": LibNumberClasses answered " + std::to_string(count) +
                           ", no class registered");
    for (int i = 0; i >= 0 && i < count && i < kMaxClassesPerModule; ++i) {
        ClassDesc* desc = classDesc(i);
        if (!desc) {
            messages.push_back(path + ": LibClassDesc(" + std::to_string(i) + ") answered none");
            continue;
        }
        const Class_ID id = desc->DescClassID();
        const bool twice = std::any_of(record.classes.begin(), record.classes.end(),
                                       [&](ClassDesc* d) { return d->DescClassID() == id; });
        if (FindClass(id) || twice) {
            messages.push_back(path + ": class (" + Hex(id.PartA()) + ", " + Hex(id.PartB()) +
                               ") is already registered; left out");
            continue;
        }
        record.classes.push_back(desc);
    }
    const char* text = description();
    record.description = text ? text : "";
    record.version = version();
    modules.push_back(std::move(module));
    return messages;
}

std::vector<ClassDesc*> ModuleRegistry::Classes() const {
    std::vector<ClassDesc*> all;
    for (const auto& module : modules)
        all.insert(all.end(), module->classes.begin(), module->classes.end());
    return all;
}

ClassDesc* ModuleRegistry::FindClass(Class_ID id) const {
    for (const auto& module : modules)
        for (ClassDesc* desc : module->classes)
            if (desc->DescClassID() == id)
                return desc;
    return nullptr;
}

ReferenceTarget* ModuleRegistry::Create(Class_ID id, int loading) const {
    ClassDesc* desc = FindClass(id);
    return desc ? desc->CreateTexture(loading) : nullptr;
}

}  // namespace studio
