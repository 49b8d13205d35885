#pragma once

// Rendering a texture to one image or to a numbered sequence, with progress.

#include <optional>
#include <string>
#include <utility>

#include "host/mtl_base.h"
#include "studio/render/renderer.h"

namespace tintora_cli {

/// One time (--frame F), or the whole frames first..last (--frames A-B).
struct FrameChoice {
    TimeValue time = 0;
    std::optional<std::pair<int, int>> range;
    /// The time settings are written at: the single time or the first frame's.
    TimeValue FirstTime() const;
};

/// Reads --frame and --frames (empty when not given); with a range, the
/// output must hold '#' marks for the frame number unless it is one frame.
FrameChoice ParseFrameChoice(const std::string& frame, const std::string& frames, const std::string& output);

/// Renders `texture` to `output` (each '#' run becoming the frame number)
/// for every frame chosen; a WorkError on the first failure. Answers a
/// line saying what was written. With a `source`, the texture shows that
/// image and every frame is rendered at its size, reading it band by band.
std::string RenderFrames(Texmap& texture, const std::string& output, const FrameChoice& frames,
                         RenderSettings settings, StreamedImageTex* source = nullptr);

}  // namespace tintora_cli
