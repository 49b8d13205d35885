#include "studio/render/renderer.h"

#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>

#include <atomic>
#include <cstdlib>
#include <mutex>

#include "studio/render/shading_context.h"

namespace {

// Counts finished rows and reports them; reports never overlap.
class RowProgress {
public:
    explicit RowProgress(const RenderSettings& settings) : report(settings.progress), total(settings.height) {}
    void RowsDone(int rows) {
        const int done = finished.fetch_add(rows) + rows;
        if (!report) return;
        std::lock_guard lock(reporting);
        report(done, total);
    }

private:
    const std::function<void(int, int)>& report;
    const int total;
    std::atomic<int> finished{0};
    std::mutex reporting;
};

void RenderRows(Texmap& texture, TimeValue t, ImageBuffer& image, int firstRow, int endRow) {
    const float w = float(image.width), h = float(image.height);
    StudioShadingContext sc;
    sc.SetTime(t);
    for (int y = firstRow; y < endRow; ++y) {
        const float v = 1.0f - (float(y) + 0.5f) / h;
        for (int x = 0; x < image.width; ++x) {
            const float u = (float(x) + 0.5f) / w;
            sc.SetUV({u, v});
            sc.SetP({u, v, 0.0f});
            image.At(x, y) = texture.EvaluateColor(sc);
        }
    }
}

}  // namespace

ImageBuffer RenderTexture(Texmap& texture, TimeValue t, const RenderSettings& settings) {
    if (settings.width <= 0 || settings.height <= 0) return {};
    ImageBuffer image(settings.width, settings.height);
    Interval valid = WHOLE_INTERVAL;
    texture.Update(t, valid);  // the only write; every evaluation below only reads

    RowProgress progress(settings);
    if (settings.threads == 1) {
        for (int y = 0; y < image.height; ++y) {
            RenderRows(texture, t, image, y, y + 1);
            progress.RowsDone(1);
        }
        return image;
    }
    tbb::task_arena arena(settings.threads > 0 ? settings.threads : tbb::task_arena::automatic);
    arena.execute([&] {
        tbb::parallel_for(tbb::blocked_range<int>(0, image.height), [&](const tbb::blocked_range<int>& rows) {
            RenderRows(texture, t, image, rows.begin(), rows.end());
            progress.RowsDone(int(rows.size()));
        });
    });
    return image;
}

std::string FramePath(const std::string& pattern, int frame) {
    const std::string digits = std::to_string(std::abs(static_cast<long long>(frame)));
    std::string out;
    for (std::size_t i = 0; i < pattern.size();) {
        if (pattern[i] != '#') {
            out += pattern[i++];
            continue;
        }
        std::size_t run = 0;
        while (i + run < pattern.size() && pattern[i + run] == '#') ++run;
        if (frame < 0) out += '-';
        if (digits.size() < run) out.append(run - digits.size(), '0');
        out += digits;
        i += run;
    }
    return out;
}

std::string RenderToFile(Texmap& texture, TimeValue t, const RenderSettings& settings,
                         const std::string& path, PixelDepth depth) {
    if (settings.width <= 0 || settings.height <= 0)
        return path + ": the image size must be positive (" + std::to_string(settings.width) + "x" +
               std::to_string(settings.height) + ")";
    // The same bound as for images read: larger ones cannot be held.
    if (settings.width > kMaxImageSide || settings.height > kMaxImageSide ||
        std::size_t(settings.width) * std::size_t(settings.height) > kMaxImagePixels)
        return path + ": the image is too large (" + std::to_string(settings.width) + "x" +
               std::to_string(settings.height) + "; at most " + std::to_string(kMaxImagePixels) +
               " pixels and " + std::to_string(kMaxImageSide) + " along a side)";
    return WriteImage(path, RenderTexture(texture, t, settings), depth);
}

std::string RenderSequence(Texmap& texture, const std::string& pattern, int first, int last,
                           const RenderSettings& settings, TimeValue ticksPerFrame, PixelDepth depth) {
    if (last < first)
        return "the frame range " + std::to_string(first) + ".." + std::to_string(last) + " is empty";
    if (first != last && pattern.find('#') == std::string::npos)
        return pattern + ": a sequence of frames needs '#' marks for the frame number";
    for (int frame = first; frame <= last; ++frame) {
        const long long time = static_cast<long long>(frame) * ticksPerFrame;
        if (time < TIME_NegInfinity || time > TIME_PosInfinity)
            return "frame " + std::to_string(frame) + " lies beyond the host's time range";
        const std::string error =
            RenderToFile(texture, TimeValue(time), settings, FramePath(pattern, frame), depth);
        if (!error.empty()) return error;
    }
    return {};
}
