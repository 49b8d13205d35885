#pragma once

// Evaluates a texture over the pixels of an image, in parallel.

#include <functional>
#include <string>

#include "host/mtl_base.h"
#include "studio/render/image_buffer.h"
#include "studio/render/image_file.h"

struct RenderSettings {
    int width = 256;
    int height = 256;
    /// Worker threads: 1 renders serially on the calling thread, 0 uses every core.
    int threads = 0;
    /// Told how many rows are done out of how many. It may be called from
    /// worker threads, but never by two at once.
    std::function<void(int done, int total)> progress;
};

/// Host ticks per frame (30 frames per second at 4800 ticks per second).
constexpr TimeValue TICKS_PER_FRAME = 160;

/// Renders `texture` at time `t`: one Update first, then EvaluateColor at the
/// centre of every pixel. The pixel at column x, row y (row 0 at the top) is
/// evaluated at u = (x + 0.5) / width, v = 1 - (y + 0.5) / height, so that
/// v = 0 lies at the bottom as in texture space; P is (u, v, 0). Evaluation
/// runs on several threads while nothing updates the texture, so the same
/// texture must not be rendered by two callers at once.
ImageBuffer RenderTexture(Texmap& texture, TimeValue t, const RenderSettings& settings);

/// The name of one frame of a sequence: each run of '#' in `pattern` becomes
/// the frame number, zero-padded to the run's length ("a.####.exr", 7 ->
/// "a.0007.exr"; a negative frame keeps its sign in front: "a.-007.exr").
std::string FramePath(const std::string& pattern, int frame);

class StreamedImageTex;

/// Renders `texture` at time `t` and writes it to `path` (see WriteImage),
/// band by band: the whole image is never held. Answers an empty text on
/// success, else the problem.
std::string RenderToFile(Texmap& texture, TimeValue t, const RenderSettings& settings,
                         const std::string& path, PixelDepth depth = PixelDepth::Auto);

/// Renders `texture`, which shows `source` at the source's own size, at time
/// `t` to `path` at that size, reading the source band by band as it goes.
/// Alpha is written only when the source has it: the texture's alpha is
/// taken to be the source's. Answers an empty text or the problem.
std::string RenderImageToFile(Texmap& texture, StreamedImageTex& source, TimeValue t,
                              const RenderSettings& settings, const std::string& path,
                              PixelDepth depth = PixelDepth::Auto);

/// Renders frames first..last, frame f at time f * ticksPerFrame, each to
/// FramePath(pattern, f), one frame after another. Stops at the first
/// failure and answers it; a pattern without '#' is refused when it would
/// name more than one frame.
std::string RenderSequence(Texmap& texture, const std::string& pattern, int first, int last,
                           const RenderSettings& settings, TimeValue ticksPerFrame = TICKS_PER_FRAME,
                           PixelDepth depth = PixelDepth::Auto);
