// tintora scene: make, change and show scene files holding a Tintora texture.

#include "apps/tintora/commands.h"

namespace tintora_cli {

void AddSceneCommand(CLI::App& app, const GlobalOptions& global) {
    auto* scene = app.add_subcommand("scene", "Make, change and show scene files");
    scene->require_subcommand(1);
    scene->footer(
        "Examples:\n"
        "  tintora scene new look.tnts --set sat_gain=150 --map hue_gain=noise:3\n"
        "  tintora scene set look.tnts --frame 0 hue_offset=0\n"
        "  tintora scene set look.tnts --frame 24 hue_offset=360\n"
        "  tintora scene show look.tnts --frame 12");
    AddSceneNewCommand(*scene, global);
    AddSceneSetCommand(*scene, global);
    AddSceneShowCommand(*scene, global);
}

}  // namespace tintora_cli
