#pragma once

// The loaded Tintora module and the scene around the texture a command works
// on. The texture always comes from the module, through its class descriptor.

#include <memory>
#include <string>
#include <vector>

#include "apps/tintora/map_spec.h"
#include "apps/tintora/values.h"
#include "studio/core/module_loader.h"
#include "studio/scene/scene.h"

namespace tintora_cli {

/// Where modules load from: `flag` when given, else TINTORA_PLUGIN_PATH when
/// set, else the "plugins" folder beside the folder of this program.
std::string PluginFolder(const std::string& flag);

class Session {
public:
    /// Loads the modules of `pluginFolder`; a WorkError when none offers Tintora.
    explicit Session(const std::string& pluginFolder);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    const studio::ModuleRegistry& Modules() const { return modules; }
    ClassDesc& TintoraClass() const { return *tintoraClass; }
    const std::string& Folder() const { return folder; }

    /// A new scene holding one new Tintora texture.
    Texmap& NewTintora();
    /// Loads `path` and answers its Tintora texture (the first root that is
    /// one); load warnings go to standard error. A WorkError when the file is
    /// missing, damaged or holds no Tintora.
    Texmap& OpenScene(const std::string& path);
    /// Saves the scene to `path` (through a temporary file); a WorkError on failure.
    void SaveScene(const std::string& path);
    Texmap& Tintora() const { return *tintora; }

private:
    studio::ModuleRegistry modules;  // outlives the scene: its objects run module code
    std::unique_ptr<Scene> scene;
    ClassDesc* tintoraClass = nullptr;
    Texmap* tintora = nullptr;
    std::string folder;
};

/// The texture's parameter block (reference 0).
IParamBlock& Params(Texmap& tintora);
/// Writes a setting at time t through the block's typed SetValue.
void ApplySetting(Texmap& tintora, const Setting& setting, TimeValue t);
/// Fills (or empties) a slot with a new texture made from its map description.
void ApplyMap(Texmap& tintora, const MapAssignment& map);
/// The value of parameter i at time t, in its stored representation.
studio::ParamValue ReadParam(Texmap& tintora, int param, TimeValue t);

}  // namespace tintora_cli
