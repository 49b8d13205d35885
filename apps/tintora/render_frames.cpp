#include "apps/tintora/render_frames.h"

#include "apps/tintora/errors.h"
#include "apps/tintora/progress.h"
#include "apps/tintora/values.h"
#include "studio/render/streamed_image.h"

namespace tintora_cli {

TimeValue FrameChoice::FirstTime() const { return range ? FrameTime(range->first) : time; }

FrameChoice ParseFrameChoice(const std::string& frame, const std::string& frames, const std::string& output) {
    FrameChoice choice;
    if (!frame.empty()) choice.time = ParseFrameTime(frame);
    if (frames.empty()) return choice;
    choice.range = ParseFrameRange(frames);
    if (choice.range->first != choice.range->second && output.find('#') == std::string::npos)
        throw UsageError("output \"" + output + "\" needs '#' marks for the frame number with --frames "
                         "(such as out.####.png)");
    return choice;
}

namespace {

// Renders one frame; the bar counts rows over the whole job.
void RenderOne(Texmap& texture, StreamedImageTex* source, TimeValue t, const std::string& path,
               RenderSettings settings, ProgressBar& bar, int frameIndex, int frameCount) {
    settings.progress = [&bar, frameIndex, frameCount](int done, int total) {
        bar.Update(frameIndex * total + done, frameCount * total);
    };
    const std::string error = source ? RenderImageToFile(texture, *source, t, settings, path)
                                     : RenderToFile(texture, t, settings, path);
    if (!error.empty()) throw WorkError(error);
}

std::string SizeText(const RenderSettings& settings) {
    return " (" + std::to_string(settings.width) + "x" + std::to_string(settings.height) + ")";
}

}  // namespace

std::string RenderFrames(Texmap& texture, const std::string& output, const FrameChoice& frames,
                         RenderSettings settings, StreamedImageTex* source) {
    if (!frames.range) {
        const std::string path = output.find('#') == std::string::npos
                                     ? output
                                     : FramePath(output, int(frames.time / TICKS_PER_FRAME));
        ProgressBar bar(path);
        RenderOne(texture, source, frames.time, path, settings, bar, 0, 1);
        return "wrote " + path + SizeText(settings);
    }
    const auto [first, last] = *frames.range;
    ProgressBar bar("frames " + std::to_string(first) + "-" + std::to_string(last));
    for (int frame = first; frame <= last; ++frame)
        RenderOne(texture, source, FrameTime(frame), FramePath(output, frame), settings, bar, frame - first,
                  last - first + 1);
    return "wrote frames " + std::to_string(first) + "-" + std::to_string(last) + " to " + output +
           SizeText(settings);
}

}  // namespace tintora_cli
