// tintora render: a scene's Tintora texture over a UV plane.

#include <iostream>

#include "apps/tintora/commands.h"
#include "apps/tintora/errors.h"
#include "apps/tintora/render_frames.h"
#include "apps/tintora/session.h"

namespace tintora_cli {

namespace {

struct RenderOptions {
    std::string scene, output, size = "512x512", frame, frames;
    int threads = 0;
};

void Run(const GlobalOptions& global, const RenderOptions& options) {
    const auto [width, height] = ParseSize(options.size);
    const FrameChoice frames = ParseFrameChoice(options.frame, options.frames, options.output);
    if (options.threads < 0) throw UsageError("--threads must be 0 (every core) or more");

    Session session(PluginFolder(global.plugins));
    Texmap& tintora = session.OpenScene(options.scene);
    RenderSettings render;
    render.width = width;
    render.height = height;
    render.threads = options.threads;
    std::cout << RenderFrames(tintora, options.output, frames, render) << '\n';
}

}  // namespace

void AddRenderCommand(CLI::App& app, const GlobalOptions& global) {
    auto* command = app.add_subcommand("render", "Render a scene's Tintora texture over the UV square");
    auto options = std::make_shared<RenderOptions>();
    command->add_option("SCENE", options->scene, "Scene file holding a Tintora texture")->required();
    command->add_option("OUTPUT", options->output,
                        "Image to write, format by extension; with --frames, '#' marks stand for the frame number")
        ->required();
    command->add_option("--size", options->size, "Image size (default 512x512)")->type_name("WxH");
    auto* frame = command->add_option("--frame", options->frame, "Frame to render (default 0)")->type_name("F");
    command->add_option("--frames", options->frames, "Render frames A to B, one image each")
        ->type_name("A-B")
        ->excludes(frame);
    command->add_option("--threads", options->threads, "Worker threads (default 0: every core)")->type_name("N");
    command->footer(
        "u runs left to right and v bottom to top over the image.\n\n"
        "Examples:\n"
        "  tintora render look.tnts look.png\n"
        "  tintora render look.tnts look.exr --size 1024x1024 --frame 12\n"
        "  tintora render look.tnts frames/look.####.png --frames 0-23 --size 256x256");
    command->callback([&global, options] { Run(global, *options); });
}

}  // namespace tintora_cli
