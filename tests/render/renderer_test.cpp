#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>
#include <vector>

#include "studio/render/renderer.h"
#include "studio/render/shading_context.h"
#include "studio/textures/mix_texture.h"
#include "studio/textures/simple_textures.h"

namespace fs = std::filesystem;

namespace {

// A texture whose colour encodes where and when it was evaluated, and that
// counts its updates and notices evaluations that run before one.
class ProbeTex final : public Texmap {
public:
    void Update(TimeValue t, Interval& valid) override {
        ++updates;
        updatedAt = t;
        valid &= Interval(t, t);
    }
    ColorRGBA EvaluateColor(ShadingContext& sc) override {
        if (updates == 0 || sc.CurTime() != updatedAt) ++outOfOrder;
        const Point2 uv = sc.UV();
        const Vector3 p = sc.P();
        if (p.x != uv.x || p.y != uv.y) ++outOfOrder;
        return {uv.x, uv.y, float(sc.CurTime()), uv.x * uv.y};
    }
    RefResult OnReferenceMessage(Interval, RefTargetHandle, PartID&, RefMessage) override { return REF_SUCCEED; }

    int updates = 0;
    TimeValue updatedAt = 0;
    std::atomic<int> outOfOrder{0};
};

TEST(Renderer, EveryPixelIsTheTexturesColourAtItsCentreForAnyThreadCount) {
    for (int threads : {1, 2, 4, 0}) {
        ProbeTex probe;
        RenderSettings settings;
        settings.width = 7;
        settings.height = 5;
        settings.threads = threads;
        const ImageBuffer image = RenderTexture(probe, 320, settings);
        ASSERT_EQ(image.width, 7);
        ASSERT_EQ(image.height, 5);
        EXPECT_EQ(probe.updates, 1) << threads << " threads";
        EXPECT_EQ(probe.outOfOrder, 0) << threads << " threads";
        ProbeTex reference;
        Interval valid = WHOLE_INTERVAL;
        reference.Update(320, valid);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x) {
                const float u = (float(x) + 0.5f) / 7.0f, v = 1.0f - (float(y) + 0.5f) / 5.0f;
                StudioShadingContext sc({u, v}, {u, v, 0}, 320);
                EXPECT_EQ(image.At(x, y), reference.EvaluateColor(sc)) << x << "," << y << " with " << threads;
            }
        EXPECT_LT(image.At(0, 4).g, image.At(0, 0).g) << "v grows upwards";
    }
}

TEST(Renderer, ProgressCountsEveryRowOnce) {
    for (int threads : {1, 3}) {
        ProbeTex probe;
        RenderSettings settings;
        settings.width = 4;
        settings.height = 33;
        settings.threads = threads;
        std::vector<int> reports;
        settings.progress = [&](int done, int total) {
            EXPECT_EQ(total, 33);
            reports.push_back(done);
        };
        RenderTexture(probe, 0, settings);
        ASSERT_FALSE(reports.empty());
        EXPECT_EQ(reports.back(), 33);
        for (std::size_t i = 1; i < reports.size(); ++i) EXPECT_GT(reports[i], reports[i - 1]);
    }
}

TEST(Renderer, EmptySizeRendersNothing) {
    ProbeTex probe;
    RenderSettings settings;
    settings.width = 0;
    EXPECT_TRUE(RenderTexture(probe, 0, settings).Empty());
    EXPECT_NE(RenderToFile(probe, 0, settings, "unused.exr"), "");
}

// A new image is all zeros even where the memory held pixels before; one
// left unwritten has its size, and its pixels keep what is written to them.
TEST(ImageBuffer, NewImageIsZeroAndAnUnwrittenOneKeepsWhatIsWritten) {
    for (int round = 0; round < 3; ++round) {
        ImageBuffer used = ImageBuffer::Unwritten(64, 48);
        ASSERT_EQ(used.pixels.size(), 64u * 48u);
        for (ColorRGBA& p : used.pixels) p = {7, 7, 7, 7};
        EXPECT_EQ(used.At(63, 47), (ColorRGBA{7, 7, 7, 7}));
        used = ImageBuffer();
        const ImageBuffer fresh(64, 48);
        ASSERT_EQ(fresh.pixels.size(), 64u * 48u);
        for (const ColorRGBA& p : fresh.pixels) ASSERT_EQ(p, ColorRGBA{}) << "round " << round;
    }
}

TEST(FramePath, ReplacesEachRunOfMarksByThePaddedFrame) {
    const struct {
        const char* pattern;
        int frame;
        const char* expected;
    } cases[] = {
        {"out.####.exr", 7, "out.0007.exr"},   {"out.#.exr", 12, "out.12.exr"},
        {"out.####.exr", 12345, "out.12345.exr"}, {"out.###.exr", -7, "out.-007.exr"},
        {"a#/b.##.png", 3, "a3/b.03.png"},      {"still.exr", 4, "still.exr"},
    };
    for (const auto& c : cases) EXPECT_EQ(FramePath(c.pattern, c.frame), c.expected) << c.pattern;
}

TEST(RenderSequence, WritesOneFileAtEachFramesTime) {
    const fs::path dir = fs::temp_directory_path() / "tintora-sequence-test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    ProbeTex probe;
    RenderSettings settings;
    settings.width = 2;
    settings.height = 2;
    const std::string pattern = (dir / "f.##.exr").string();
    ASSERT_EQ(RenderSequence(probe, pattern, 1, 3, settings, 10), "");
    EXPECT_EQ(probe.updates, 3);
    for (int frame = 1; frame <= 3; ++frame) {
        const ImageReadResult read = ReadImage(FramePath(pattern, frame));
        ASSERT_EQ(read.error, "");
        EXPECT_EQ(read.image.At(0, 0).b, float(frame * 10)) << "frame " << frame;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);
    EXPECT_NE(RenderSequence(probe, (dir / "still.exr").string(), 1, 2, settings), "");
    EXPECT_NE(RenderSequence(probe, pattern, 3, 1, settings), "");
    fs::remove_all(dir);
}

}  // namespace

namespace {

// The studio's own textures, nested, rendered serially and in parallel.
TEST(Renderer, TextureGraphRendersTheSameSeriallyAndInParallel) {
    auto* mix = new MixTex;
    mix->SetSubTexmap(MixTex::MAP1, new CheckerTex);
    mix->SetSubTexmap(MixTex::MAP2, new NoiseTex);
    mix->SetSubTexmap(MixTex::MASK, new GradientTex);
    mix->ParamBlock()->SetValue(MixTex::AMOUNT, 0, 0.3f);
    RenderSettings serial;
    serial.width = 16;
    serial.height = 9;
    serial.threads = 1;
    RenderSettings parallel = serial;
    parallel.threads = 4;
    const ImageBuffer one = RenderTexture(*mix, 40, serial);
    const ImageBuffer many = RenderTexture(*mix, 40, parallel);
    EXPECT_EQ(one.pixels, many.pixels);
    StudioShadingContext sc({(3 + 0.5f) / 16.0f, 1.0f - (2 + 0.5f) / 9.0f}, {}, 40);
    EXPECT_EQ(one.At(3, 2), mix->EvaluateColor(sc));
    mix->DeleteThis();
}

// Renders started from several threads at once, some asking for the same
// number of worker threads, each give the image a serial render gives.
TEST(Renderer, RendersStartedAtOnceFromSeveralThreadsAreEachComplete) {
    RenderSettings serial;
    serial.width = 40;
    serial.height = 30;
    serial.threads = 1;
    ProbeTex reference;
    const ImageBuffer expected = RenderTexture(reference, 160, serial);
    const int threadCounts[] = {2, 2, 3, 0, 2, 0};
    std::vector<ImageBuffer> images(std::size(threadCounts));
    std::vector<std::thread> callers;
    for (std::size_t i = 0; i < std::size(threadCounts); ++i) {
        callers.emplace_back([&, i] {
            ProbeTex probe;
            RenderSettings settings = serial;
            settings.threads = threadCounts[i];
            for (int round = 0; round < 20; ++round) images[i] = RenderTexture(probe, 160, settings);
        });
    }
    for (std::thread& caller : callers) caller.join();
    for (std::size_t i = 0; i < images.size(); ++i)
        EXPECT_EQ(images[i].pixels, expected.pixels) << "caller " << i << ", " << threadCounts[i] << " threads";
}

}  // namespace
