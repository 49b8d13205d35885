// tintora scene set: change parameters (or key them at a frame) in a scene file.

#include <iostream>

#include "apps/tintora/commands.h"
#include "apps/tintora/errors.h"
#include "apps/tintora/names.h"
#include "apps/tintora/session.h"
#include "studio/core/param_block.h"
#include "texture/param_table.h"

namespace tintora_cli {

namespace {

struct SetOptions {
    std::string file, frame;
    std::vector<std::string> assignments;
    std::vector<std::string> maps;
};

// Turns auto key on for the lifetime of the object.
class AutoKeyOn {
public:
    AutoKeyOn() { studio::SetAutoKey(true); }
    ~AutoKeyOn() { studio::SetAutoKey(false); }
    AutoKeyOn(const AutoKeyOn&) = delete;
    AutoKeyOn& operator=(const AutoKeyOn&) = delete;
};

void Run(const GlobalOptions& global, const SetOptions& options) {
    TextureEdits edits{options.assignments, options.maps};
    const std::vector<Setting> settings = edits.Settings();
    const std::vector<MapAssignment> maps = edits.Maps();
    if (settings.empty() && maps.empty()) throw UsageError("scene set needs at least one NAME=VALUE or --map");
    const bool keyed = !options.frame.empty();
    const TimeValue t = keyed ? ParseFrameTime(options.frame) : 0;
    if (keyed)
        for (const Setting& setting : settings)
            if (!TintoraParamDesc[setting.param].animatable)
                throw UsageError(ParamKey(setting.param) + " cannot be animated; set it without --frame");

    Session session(PluginFolder(global.plugins));
    Texmap& tintora = session.OpenScene(options.file);
    {
        std::optional<AutoKeyOn> autoKey;
        if (keyed) autoKey.emplace();
        for (const Setting& setting : settings) ApplySetting(tintora, setting, t);
    }
    for (const MapAssignment& map : maps) ApplyMap(tintora, map);
    session.SaveScene(options.file);
    std::cout << "wrote " << options.file << '\n';
}

}  // namespace

void AddSceneSetCommand(CLI::App& scene, const GlobalOptions& global) {
    auto* command = scene.add_subcommand("set", "Change parameters of the Tintora texture in a scene file");
    auto options = std::make_shared<SetOptions>();
    command->add_option("FILE", options->file, "Scene file to change")->required();
    command->add_option("NAME=VALUE", options->assignments,
                        "Parameters to set, in stored units (see tintora info for the names)");
    command->add_option("--frame", options->frame,
                        "Write each value as a key at frame F (animatable parameters only)")
        ->type_name("F");
    command->add_option("--map", options->maps, "Put a texture in a slot, SLOT=SPEC (SPEC none empties it)")
        ->type_name("SLOT=SPEC")
        ->allow_extra_args(false);
    command->footer(
        "Without --frame a value holds at every frame; on an animated parameter it moves\n"
        "every key by the same amount. Between keys, values are interpolated linearly.\n\n"
        "Examples:\n"
        "  tintora scene set look.tnts contrast=140 invert=off r_source=green\n"
        "  tintora scene set look.tnts --frame 0 hue_offset=0 source_color=1,0,0\n"
        "  tintora scene set look.tnts --frame 48 hue_offset=360 source_color=0,0,1\n"
        "  tintora scene set look.tnts --map r_gain=checker:1,1,1:0.2,0.2,0.2:6");
    command->callback([&global, options] { Run(global, *options); });
}

}  // namespace tintora_cli
