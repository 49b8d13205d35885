#pragma once

// Loading plug-in modules (*.dlm) and the class descriptors they offer.

#include <memory>
#include <string>
#include <vector>

#include "host/class_desc.h"

namespace studio {

/// One loaded module. Its address is the instance handle the module gets
/// from its entry point, so the ui layer can find the module's resources.
struct LoadedModule {
    std::string path;
    void* library = nullptr;
    DllEntryFn entry = nullptr;
    std::string description;
    ULONG version = 0;
    std::vector<ClassDesc*> classes;

    HINSTANCE Instance() const;
};

/// The plug-in folder: TINTORA_PLUGIN_PATH when set and not empty, else
/// "plugins" beside the working directory.
std::string DefaultPluginFolder();

/// The module record behind an instance handle, or null.
const LoadedModule* FindModule(HINSTANCE instance);
/// A symbol of the module behind `instance`, or null.
void* ModuleSymbol(HINSTANCE instance, const char* name);

/// Loads modules, plays the system's part with their entry points (attach
/// at load with reason 1, detach with reason 0 before unloading), and
/// registers their class descriptors by Class_ID.
class ModuleRegistry {
public:
    ModuleRegistry() = default;
    /// Detaches and unloads every module, newest first.
    ~ModuleRegistry();
    ModuleRegistry(const ModuleRegistry&) = delete;
    ModuleRegistry& operator=(const ModuleRegistry&) = delete;

    /// Loads every *.dlm file of `folder`, in name order. Answers one message
    /// per refusal, each naming the file and what was wrong; the modules
    /// that loaded stay loaded.
    std::vector<std::string> LoadFolder(const std::string& folder);
    /// Loads one module file; answers the messages of what went wrong (a
    /// refused file, or classes of a loaded module that were left out).
    std::vector<std::string> LoadModule(const std::string& path);

    const std::vector<std::unique_ptr<LoadedModule>>& Modules() const { return modules; }
    /// Every registered class descriptor, in load order.
    std::vector<ClassDesc*> Classes() const;
    ClassDesc* FindClass(Class_ID id) const;
    /// A new object of the class, or null when no module offers it.
    ReferenceTarget* Create(Class_ID id, int loading = 0) const;

private:
    void Unload(LoadedModule& module);
    std::vector<std::unique_ptr<LoadedModule>> modules;
};

}  // namespace studio
