// tintora apply: colour-correct an image with a Tintora texture.

#include <filesystem>
#include <iostream>

#include "apps/tintora/commands.h"
#include "apps/tintora/errors.h"
#include "apps/tintora/map_factory.h"
#include "apps/tintora/render_frames.h"
#include "apps/tintora/session.h"
#include "studio/render/streamed_image.h"
#include "texture/param_table.h"

namespace tintora_cli {

namespace {

struct ApplyOptions {
    std::string input, output, scene, frame, frames;
    TextureEdits edits;
    int threads = 0;
};

void Run(const GlobalOptions& global, const ApplyOptions& options) {
    const std::vector<Setting> settings = options.edits.Settings();
    const std::vector<MapAssignment> maps = options.edits.Maps();
    for (const MapAssignment& map : maps)
        if (map.slot == MAP_SOURCE) throw UsageError("the input image is the source; --map source=... cannot be used with apply");
    const FrameChoice frames = ParseFrameChoice(options.frame, options.frames, options.output);
    if (options.threads < 0) throw UsageError("--threads must be 0 (every core) or more");

    Session session(PluginFolder(global.plugins));
    Texmap& tintora = options.scene.empty() ? session.NewTintora() : session.OpenScene(options.scene);
    for (const Setting& setting : settings) ApplySetting(tintora, setting, frames.FirstTime());
    for (const MapAssignment& map : maps) ApplyMap(tintora, map);

    // The image is the source; rendered at its own size, each pixel's centre
    // samples exactly its own pixel, so the output is the image corrected.
    // It is read band by band as the output is written, never held whole.
    auto* source = new StreamedImageTex;
    const std::string path = std::filesystem::absolute(options.input).lexically_normal().string();
    if (const std::string error = source->Open(path); !error.empty()) {
        source->DeleteThis();
        throw WorkError(error);
    }
    tintora.SetSubTexmap(MAP_SOURCE, source);
    RenderSettings render;
    render.width = source->Width();
    render.height = source->Height();
    render.threads = options.threads;
    std::cout << RenderFrames(tintora, options.output, frames, render, source) << '\n';
}

}  // namespace

void AddApplyCommand(CLI::App& app, const GlobalOptions& global) {
    auto* command = app.add_subcommand("apply", "Colour-correct an image: every pixel through a Tintora texture");
    auto options = std::make_shared<ApplyOptions>();
    command->add_option("INPUT", options->input, "Image to correct (any format OpenImageIO reads)")->required();
    command->add_option("OUTPUT", options->output,
                        "Image to write, format by extension (.exr keeps unclamped float; others are "
                        "clamped); with --frames, '#' marks stand for the frame number")
        ->required();
    AddEditOptions(*command, options->edits);
    command->add_option("--scene", options->scene, "Start from the Tintora texture saved in FILE")->type_name("FILE");
    auto* frame = command->add_option("--frame", options->frame, "Frame of the animation (default 0)")->type_name("F");
    command->add_option("--frames", options->frames, "Write one image per frame A to B")
        ->type_name("A-B")
        ->excludes(frame);
    command->add_option("--threads", options->threads, "Worker threads (default 0: every core)")->type_name("N");
    command->footer(
        "The input's alpha is kept.\n\n"
        "Examples:\n"
        "  tintora apply photo.png shifted.png --set hue_offset=120\n"
        "  tintora apply photo.png bold.png --set sat_gain=20 --set contrast=160\n"
        "  tintora apply photo.png swapped.png --set r_source=blue --set b_source=red\n"
        "  tintora apply photo.png dots.png --set val_offset=-40 --map val_offset=checker:1,1,1:0,0,0:8\n"
        "  tintora apply photo.png graded.####.exr --scene look.tnts --frames 1-24 --threads 2");
    command->callback([&global, options] { Run(global, *options); });
}

}  // namespace tintora_cli
