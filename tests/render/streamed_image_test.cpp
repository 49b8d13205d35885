// Reading an image band by band while rendering it, and the banded writer:
// both must give exactly what whole-image reading and writing give.

#include <gtest/gtest.h>

#include <bit>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>

#include "studio/render/image_file.h"
#include "studio/render/renderer.h"
#include "studio/render/row_samples.h"
#include "studio/render/streamed_image.h"

namespace fs = std::filesystem;

namespace {

struct TempDir {
    fs::path dir = fs::temp_directory_path() /
                   ("tintora-stream-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    TempDir() {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~TempDir() { fs::remove_all(dir); }
    std::string operator/(const std::string& name) const { return (dir / name).string(); }
};

// Odd sizes, every pixel different, values out of range and fractions that
// do not fall on a byte.
ImageBuffer Pattern(int width, int height) {
    ImageBuffer image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.At(x, y) = {float(x * 37 % 101) / 100.0f, float(y * 13 % 29) / 28.0f - 0.1f,
                              float((x + y) % 17) / 15.0f, float((x * 3 + y) % 5) / 4.0f};
    return image;
}

bool SameBits(const ColorRGBA& a, const ColorRGBA& b) {
    return std::bit_cast<std::uint32_t>(a.r) == std::bit_cast<std::uint32_t>(b.r) &&
           std::bit_cast<std::uint32_t>(a.g) == std::bit_cast<std::uint32_t>(b.g) &&
           std::bit_cast<std::uint32_t>(a.b) == std::bit_cast<std::uint32_t>(b.b) &&
           std::bit_cast<std::uint32_t>(a.a) == std::bit_cast<std::uint32_t>(b.a);
}

TEST(StreamedImage, EveryPixelCentreGivesWhatReadImageGives) {
    TempDir dir;
    const ImageBuffer pattern = Pattern(13, 11);
    // 8-bit with and without alpha, 16-bit, float.
    for (const std::string name : {"a.png", "b.jpg", "c.tif", "d.exr", "e.ppm"}) {
        ASSERT_EQ(WriteImage(dir / name, pattern), "") << name;
        const ImageReadResult whole = ReadImage(dir / name);
        ASSERT_EQ(whole.error, "") << name;
        StreamedImageTex streamed;
        ASSERT_EQ(streamed.Open(dir / name), "") << name;
        ASSERT_EQ(streamed.Width(), 13);
        ASSERT_EQ(streamed.Height(), 11);
        streamed.SetBands(3, 2);
        RowSamples samples(13, 0);
        std::vector<ColorRGBA> row(13);
        for (int first = 0; first < 11; first += 3) {
            ASSERT_EQ(streamed.LoadRows(first, std::min(first + 3, 11)), "") << name;
            for (int y = first; y < std::min(first + 3, 11); ++y) {
                streamed.EvaluateColors(samples.Row(y, 11), 13, row.data());
                for (int x = 0; x < 13; ++x)
                    ASSERT_TRUE(SameBits(row[std::size_t(x)], whole.image.At(x, y))) << name << " " << x << "," << y;
            }
        }
    }
}

TEST(StreamedImage, RowsOfABandNoLongerHeldAreTransparentBlackAndCanBeReadAgain) {
    TempDir dir;
    ASSERT_EQ(WriteImage(dir / "a.png", Pattern(4, 6)), "");
    const ImageReadResult whole = ReadImage(dir / "a.png");
    StreamedImageTex streamed;
    ASSERT_EQ(streamed.Open(dir / "a.png"), "");
    streamed.SetBands(2, 1);
    RowSamples samples(4, 0);
    ColorRGBA row[4];
    ASSERT_EQ(streamed.LoadRows(0, 2), "");
    ASSERT_EQ(streamed.LoadRows(2, 4), "");
    streamed.EvaluateColors(samples.Row(0, 6), 4, row);
    EXPECT_TRUE(SameBits(row[1], ColorRGBA{})) << "band 0 was replaced by band 1";
    ASSERT_EQ(streamed.LoadRows(0, 2), "") << "reading an earlier band starts the file again";
    streamed.EvaluateColors(samples.Row(1, 6), 4, row);
    EXPECT_TRUE(SameBits(row[2], whole.image.At(2, 1)));
    EXPECT_NE(streamed.LoadRows(1, 3), "") << "bands start on band boundaries";
}

// The image repeats beyond the unit square, per sample and in a batch; a
// coordinate that is not finite shows transparent black.
TEST(StreamedImage, CoordinatesWrapAndNonFiniteOnesShowNothing) {
    TempDir dir;
    ASSERT_EQ(WriteImage(dir / "a.png", Pattern(4, 4)), "");
    const ImageReadResult whole = ReadImage(dir / "a.png");
    StreamedImageTex streamed;
    ASSERT_EQ(streamed.Open(dir / "a.png"), "");
    streamed.SetBands(4, 1);
    ASSERT_EQ(streamed.LoadRows(0, 4), "");
    constexpr float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        Point2 uv;
        int x, y;  // the pixel expected, or -1 for transparent black
    };
    const Case cases[] = {
        {{0.375f, 0.625f}, 1, 1},   {{1.375f, -0.375f}, 1, 1}, {{-2.625f, 3.625f}, 1, 1},
        {{0.0f, 0.999f}, 0, 0},     {{-0.0f, 1.0f}, 0, 3},     {{1e30f, -1e30f}, 0, 3},
        {{16777216.5f, 0.1f}, 0, 3}, {{nan, 0.5f}, -1, -1},    {{0.5f, inf}, -1, -1},
        {{-inf, 0.5f}, -1, -1},
    };
    std::vector<StudioShadingContext> contexts(std::size(cases));
    std::vector<ShadingContext*> samples;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        contexts[i].SetUV(cases[i].uv);
        samples.push_back(&contexts[i]);
    }
    std::vector<ColorRGBA> batch(std::size(cases));
    streamed.EvaluateColors(samples.data(), int(samples.size()), batch.data());
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const ColorRGBA expected = c.x < 0 ? ColorRGBA{} : whole.image.At(c.x, c.y);
        EXPECT_TRUE(SameBits(streamed.EvaluateColor(contexts[i]), expected)) << "case " << i;
        EXPECT_TRUE(SameBits(batch[i], expected)) << "case " << i;
    }
}

TEST(StreamedImage, MissingOrBrokenFilesAreNamed) {
    TempDir dir;
    StreamedImageTex streamed;
    EXPECT_NE(streamed.Open(dir / "missing.png").find("missing.png"), std::string::npos);
    std::ofstream(dir / "junk.png") << "not an image";
    EXPECT_NE(streamed.Open(dir / "junk.png").find("junk.png"), std::string::npos);
}

// The streamed source rendered at its size to a file equals the image read
// whole, for any thread count; 8-bit PPM bytes are exactly header and samples.
TEST(StreamedImage, RenderedToAFileGivesTheImageBack) {
    TempDir dir;
    const ImageBuffer pattern = Pattern(300, 257);  // several bands of uneven length
    ASSERT_EQ(WriteImage(dir / "in.exr", pattern), "");
    for (int threads : {1, 2, 0}) {
        auto* streamed = new StreamedImageTex;
        ASSERT_EQ(streamed->Open(dir / "in.exr"), "");
        RenderSettings settings;
        settings.threads = threads;
        ASSERT_EQ(RenderImageToFile(*streamed, *streamed, 0, settings, dir / "out.exr"), "");
        ASSERT_EQ(RenderImageToFile(*streamed, *streamed, 0, settings, dir / "out.ppm"), "");
        streamed->DeleteThis();
        const ImageReadResult out = ReadImage(dir / "out.exr");
        ASSERT_EQ(out.error, "");
        for (std::size_t i = 0; i < pattern.pixels.size(); ++i)
            ASSERT_TRUE(SameBits(out.image.pixels[i], pattern.pixels[i])) << "threads " << threads << " pixel " << i;

        std::ifstream ppm(dir / "out.ppm", std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(ppm)), std::istreambuf_iterator<char>());
        std::string expected = "P6\n300 257\n255\n";
        for (const ColorRGBA& p : pattern.pixels)
            for (float c : {p.r, p.g, p.b}) {
                const float v = c > 1.0f ? 1.0f : (c >= 0.0f ? c : 0.0f);
                expected += char(static_cast<unsigned char>(v * 255.0f + 0.5f));
            }
        EXPECT_EQ(bytes, expected) << "threads " << threads;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.dir), fs::directory_iterator()), 3);
    }
}

}  // namespace
