// tintora scene new: a scene file with one new Tintora texture.

#include <filesystem>
#include <iostream>

#include "apps/tintora/commands.h"
#include "apps/tintora/errors.h"
#include "apps/tintora/session.h"

namespace tintora_cli {

namespace {

struct NewOptions {
    std::string file;
    TextureEdits edits;
    bool force = false;
};

void Run(const GlobalOptions& global, const NewOptions& options) {
    const std::vector<Setting> settings = options.edits.Settings();
    const std::vector<MapAssignment> maps = options.edits.Maps();
    if (!options.force && std::filesystem::exists(options.file))
        throw WorkError(options.file + " already exists (use --force to replace it)");

    Session session(PluginFolder(global.plugins));
    Texmap& tintora = session.NewTintora();
    for (const Setting& setting : settings) ApplySetting(tintora, setting, 0);
    for (const MapAssignment& map : maps) ApplyMap(tintora, map);
    session.SaveScene(options.file);
    std::cout << "wrote " << options.file << '\n';
}

}  // namespace

void AddSceneNewCommand(CLI::App& scene, const GlobalOptions& global) {
    auto* command = scene.add_subcommand("new", "Write a scene file holding a new Tintora texture");
    auto options = std::make_shared<NewOptions>();
    command->add_option("FILE", options->file, "Scene file to write")->required();
    AddEditOptions(*command, options->edits);
    command->add_flag("--force", options->force, "Replace FILE if it exists");
    command->footer(
        "Examples:\n"
        "  tintora scene new look.tnts\n"
        "  tintora scene new look.tnts --set hue_offset=30 --set mono=on\n"
        "  tintora scene new look.tnts --map source=photo.png --map sat_gain=noise:4");
    command->callback([&global, options] { Run(global, *options); });
}

}  // namespace tintora_cli
