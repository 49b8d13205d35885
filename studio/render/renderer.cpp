#include "studio/render/renderer.h"

#include <tbb/blocked_range.h>
#include <tbb/enumerable_thread_specific.h>
#include <tbb/parallel_for.h>
#include <tbb/parallel_pipeline.h>
#include <tbb/task_arena.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>

#include "studio/render/image_writer.h"
#include "studio/render/row_samples.h"
#include "studio/render/streamed_image.h"

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

void RenderRows(Texmap& texture, RowSamples& samples, ImageBuffer& image, int firstRow, int endRow) {
    for (int y = firstRow; y < endRow; ++y)
        texture.EvaluateColors(samples.Row(y, image.height), image.width, &image.At(0, y));
}

int ThreadCount(const RenderSettings& settings) {
    return settings.threads > 0 ? settings.threads : tbb::this_task_arena::max_concurrency();
}

// One band of rows on its way through the file pipeline: its source rows
// read, its pixels evaluated and encoded, then written. Bands are reused in
// turn.
struct Band {
    int first = 0, end = 0;
    std::vector<ColorRGBA> pixels;
    RowSamples samples;
    EncodedBand encoded;
    std::string error;
    Band(int width, int rows, TimeValue t) : pixels(std::size_t(width) * std::size_t(rows)), samples(width, t) {}
};

// Rows per band: about 64K pixels, so that a band is a small share of the
// image yet large enough to keep the stages' hand-overs rare.
int BandRows(int width) { return std::clamp(65536 / width, 1, 256); }

// Reading a band (from `source`, if any), evaluating and encoding it, and
// writing it run as a pipeline: while bands are evaluated and encoded in
// parallel, the one before them is written and the one after them decoded.
// Only a few bands live at a time.
std::string RenderBands(Texmap& texture, TimeValue t, const RenderSettings& settings, ImageBandWriter& writer,
                        StreamedImageTex* source) {
    const int width = settings.width, height = settings.height;
    const int rows = BandRows(width);
    const int threads = ThreadCount(settings);
    const int live = threads + 2;  // one in each serial stage, the rest evaluating
    if (source) source->SetBands(rows, live);
    std::vector<std::unique_ptr<Band>> bands;
    for (int i = 0; i < live; ++i) bands.push_back(std::make_unique<Band>(width, rows, t));

    RowProgress progress(settings);
    std::atomic<bool> failed{false};
    std::string error;
    int next = 0, index = 0;
    const auto read = [&](tbb::flow_control& flow) -> Band* {
        if (next >= height || failed.load()) {
            flow.stop();
            return nullptr;
        }
        // A band's slot comes free when the band `live` places earlier was
        // written: bands leave the pipeline in order.
        Band* band = bands[std::size_t(index++ % live)].get();
        band->first = next;
        band->end = next = std::min(next + rows, height);
        band->error = source ? source->LoadRows(band->first, band->end) : std::string();
        return band;
    };
    const auto evaluate = [&](Band* band) {
        if (!band->error.empty() || failed.load()) return band;
        for (int y = band->first; y < band->end; ++y)
            texture.EvaluateColors(band->samples.Row(y, height), width,
                                   &band->pixels[std::size_t(y - band->first) * std::size_t(width)]);
        writer.Encode(band->first, band->end, band->pixels.data(), band->encoded);
        return band;
    };
    const auto write = [&](Band* band) {
        if (failed.load()) return;
        std::string problem = band->error.empty() ? writer.Write(band->encoded) : band->error;
        if (!problem.empty()) {
            error = std::move(problem);
            failed = true;
            return;
        }
        progress.RowsDone(band->end - band->first);
    };
    tbb::task_arena arena(threads);
    arena.execute([&] {
        tbb::parallel_pipeline(std::size_t(live),
                               tbb::make_filter<void, Band*>(tbb::filter_mode::serial_in_order, read) &
                                   tbb::make_filter<Band*, Band*>(tbb::filter_mode::parallel, evaluate) &
                                   tbb::make_filter<Band*, void>(tbb::filter_mode::serial_in_order, write));
    });
    return error;
}

// The arena for a thread count (0: every core), made at its first use and
// kept for the life of the process: worker threads joining a new arena at
// every frame cost about a tenth of a millisecond, more than a small frame
// takes to evaluate. The arenas are never destroyed, as they may be needed
// until the process ends and must not outlive the thread library.
tbb::task_arena& RenderArena(int threads) {
    static std::mutex guard;
    static auto* arenas = new std::map<int, std::unique_ptr<tbb::task_arena>>();
    std::lock_guard lock(guard);
    std::unique_ptr<tbb::task_arena>& arena = (*arenas)[threads];
    if (!arena) {
        const int concurrency = threads > 0 ? threads : int(tbb::task_arena::automatic);
        arena = std::make_unique<tbb::task_arena>(concurrency);
    }
    return *arena;
}

std::string TooLarge(const std::string& path, const RenderSettings& settings) {
    // The same bound as for images read: larger ones cannot be held.
    if (settings.width > kMaxImageSide || settings.height > kMaxImageSide ||
        std::size_t(settings.width) * std::size_t(settings.height) > kMaxImagePixels)
        return path + ": the image is too large (" + std::to_string(settings.width) + "x" +
               std::to_string(settings.height) + "; at most " + std::to_string(kMaxImagePixels) +
               " pixels and " + std::to_string(kMaxImageSide) + " along a side)";
    return {};
}

}  // namespace

ImageBuffer RenderTexture(Texmap& texture, TimeValue t, const RenderSettings& settings) {
    if (settings.width <= 0 || settings.height <= 0) return {};
    // Every pixel is written below, each row by the thread that evaluates it.
    ImageBuffer image = ImageBuffer::Unwritten(settings.width, settings.height);
    Interval valid = WHOLE_INTERVAL;
    texture.Update(t, valid);  // the only write; every evaluation below only reads

    RowProgress progress(settings);
    if (settings.threads == 1) {
        RowSamples samples(image.width, t);
        for (int y = 0; y < image.height; ++y) {
            RenderRows(texture, samples, image, y, y + 1);
            progress.RowsDone(1);
        }
        return image;
    }
    // Each thread sets up its row of samples once, however many chunks of
    // rows it takes on.
    tbb::enumerable_thread_specific<RowSamples> samplesOfThread(image.width, t);
    RenderArena(settings.threads).execute([&] {
        tbb::parallel_for(tbb::blocked_range<int>(0, image.height), [&](const tbb::blocked_range<int>& rows) {
            RenderRows(texture, samplesOfThread.local(), image, rows.begin(), rows.end());
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
    if (std::string error = TooLarge(path, settings); !error.empty()) return error;
    ImageBandWriter writer;
    if (std::string error = writer.Open(path, settings.width, settings.height, depth); !error.empty())
        return error;
    Interval valid = WHOLE_INTERVAL;
    texture.Update(t, valid);  // the only write; every evaluation below only reads
    if (std::string error = RenderBands(texture, t, settings, writer, nullptr); !error.empty()) return error;
    return writer.Finish();
}

std::string RenderImageToFile(Texmap& texture, StreamedImageTex& source, TimeValue t,
                              const RenderSettings& settings, const std::string& path, PixelDepth depth) {
    RenderSettings sized = settings;
    sized.width = source.Width();
    sized.height = source.Height();
    ImageBandWriter writer;
    if (std::string error = writer.Open(path, sized.width, sized.height, depth, source.HasAlpha()); !error.empty())
        return error;
    Interval valid = WHOLE_INTERVAL;
    texture.Update(t, valid);
    if (std::string error = RenderBands(texture, t, sized, writer, &source); !error.empty()) return error;
    return writer.Finish();
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
