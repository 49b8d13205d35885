#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "studio/render/image_file.h"
#include "studio/render/image_writer.h"

namespace fs = std::filesystem;

namespace {

class ImageFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("tintora-image-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    // Only the named files: no temporary left beside them.
    std::size_t FileCount() const {
        return std::size_t(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }
    fs::path dir;
};

// Two pixels out of range and two inside it.
ImageBuffer Sample() {
    ImageBuffer image(2, 2);
    image.At(0, 0) = {-0.5f, 0.25f, 1.75f, 1.0f};
    image.At(1, 0) = {0.5f, 0.2f, 0.8f, 0.5f};
    image.At(0, 1) = {3.0f, -2.0f, 0.0f, 1.0f};
    image.At(1, 1) = {0.1f, 0.9f, 0.333f, 0.0f};
    return image;
}

TEST_F(ImageFileTest, ExrKeepsFloatValuesUnclamped) {
    const ImageBuffer image = Sample();
    ASSERT_EQ(WriteImage(Path("a.exr"), image), "");
    const ImageReadResult read = ReadImage(Path("a.exr"));
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.image.width, 2);
    ASSERT_EQ(read.image.height, 2);
    EXPECT_EQ(read.image.pixels, image.pixels);
    EXPECT_EQ(FileCount(), 1u);
}

struct IntegerCase {
    const char* name;
    PixelDepth depth;
    float levels;
};

TEST_F(ImageFileTest, IntegerFormatsClampAndRound) {
    const IntegerCase cases[] = {{"a.png", PixelDepth::Auto, 255.0f},
                                 {"b.png", PixelDepth::UInt16, 65535.0f},
                                 {"c.tif", PixelDepth::Auto, 65535.0f},
                                 {"d.tif", PixelDepth::UInt8, 255.0f}};
    const ImageBuffer image = Sample();
    const auto expected = [](float v, float levels) {
        const float c = v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
        return float(int(c * levels + 0.5f)) / levels;
    };
    for (const IntegerCase& c : cases) {
        ASSERT_EQ(WriteImage(Path(c.name), image, c.depth), "") << c.name;
        const ImageReadResult read = ReadImage(Path(c.name));
        ASSERT_EQ(read.error, "") << c.name;
        for (std::size_t i = 0; i < image.pixels.size(); ++i) {
            const ColorRGBA& in = image.pixels[i];
            const ColorRGBA& out = read.image.pixels[i];
            EXPECT_FLOAT_EQ(out.r, expected(in.r, c.levels)) << c.name << " pixel " << i;
            EXPECT_FLOAT_EQ(out.g, expected(in.g, c.levels)) << c.name << " pixel " << i;
            EXPECT_FLOAT_EQ(out.b, expected(in.b, c.levels)) << c.name << " pixel " << i;
            EXPECT_FLOAT_EQ(out.a, expected(in.a, c.levels)) << c.name << " pixel " << i;
        }
    }
}

TEST_F(ImageFileTest, FormatsWithoutAlphaReadBackOpaque) {
    ImageBuffer image(4, 4);
    for (ColorRGBA& p : image.pixels) p = {0.5f, 0.5f, 0.5f, 0.25f};
    ASSERT_EQ(WriteImage(Path("a.jpg"), image), "");
    const ImageReadResult read = ReadImage(Path("a.jpg"));
    ASSERT_EQ(read.error, "");
    EXPECT_FLOAT_EQ(read.image.At(1, 1).a, 1.0f);
    EXPECT_NEAR(read.image.At(1, 1).r, 0.5f, 0.02f);
}

TEST_F(ImageFileTest, FailedWriteLeavesTheOldFileAndNoTemporary) {
    // The target is a folder: the rename fails after the pixels were written.
    fs::create_directories(Path("taken.png"));
    fs::create_directories(Path("taken.png/inside"));
    const std::string error = WriteImage(Path("taken.png"), Sample());
    EXPECT_NE(error.find("taken.png"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_directory(Path("taken.png/inside")));
    EXPECT_EQ(FileCount(), 1u);

    ASSERT_EQ(WriteImage(Path("old.exr"), Sample()), "");
    const auto before = fs::file_size(Path("old.exr"));
    EXPECT_NE(WriteImage(Path("old.exr"), ImageBuffer()), "");
    EXPECT_NE(WriteImage(Path("no-such-folder/x.exr"), Sample()), "");
    EXPECT_EQ(fs::file_size(Path("old.exr")), before);
    EXPECT_EQ(ReadImage(Path("old.exr")).image.pixels, Sample().pixels);
}

TEST_F(ImageFileTest, ReadErrorsNameThePath) {
    std::ofstream(Path("junk.png")) << "not an image at all";
    for (const std::string& name : {Path("missing.png"), Path("junk.png")}) {
        const ImageReadResult read = ReadImage(name);
        EXPECT_NE(read.error.find(name), std::string::npos) << read.error;
        EXPECT_TRUE(read.image.Empty());
    }
    EXPECT_NE(WriteImage(Path("a.unknownformat"), Sample()).find("a.unknownformat"), std::string::npos);
}

TEST_F(ImageFileTest, GreyImagesFillEveryColourChannel) {
    // A one-channel 8-bit PGM written by hand.
    std::ofstream(Path("grey.pgm"), std::ios::binary) << "P5\n2 1\n255\n" << char(0) << char(255);
    const ImageReadResult read = ReadImage(Path("grey.pgm"));
    ASSERT_EQ(read.error, "");
    EXPECT_EQ(read.image.At(0, 0), (ColorRGBA{0, 0, 0, 1}));
    EXPECT_EQ(read.image.At(1, 0), (ColorRGBA{1, 1, 1, 1}));
}

// Bands must come in order and cover the image: a gap, a step back or a
// missing end fails the file instead of leaving a damaged one behind.
TEST_F(ImageFileTest, BandsOutOfOrderOrMissingFailTheFile) {
    const ImageBuffer image(3, 7);  // a row to spare for the band beyond the end
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> bands;  // written in this order
        bool written;
    };
    const Case cases[] = {
        {"whole", {{0, 2}, {2, 4}, {4, 6}}, true},
        {"gap", {{0, 2}, {4, 6}}, false},
        {"back", {{0, 4}, {2, 6}}, false},
        {"short", {{0, 2}, {2, 4}}, false},
        {"beyond", {{0, 4}, {4, 7}}, false},
    };
    for (const char* extension : {".png", ".ppm", ".exr"}) {
        for (const Case& c : cases) {
            const std::string path = Path(std::string(c.name) + extension);
            SCOPED_TRACE(path);
            ImageBandWriter writer;
            ASSERT_EQ(writer.Open(path, 3, 6, PixelDepth::Auto), "");
            std::string error;
            for (const auto& [first, end] : c.bands) {
                if (error.empty()) error = writer.WriteRows(first, end, &image.pixels[std::size_t(first) * 3]);
            }
            if (error.empty()) error = writer.Finish();
            EXPECT_EQ(error.empty(), c.written) << error;
            if (!c.written) {
                EXPECT_NE(error.find(path), std::string::npos) << error;
            }
            EXPECT_EQ(fs::exists(path), c.written);
        }
    }
    EXPECT_EQ(FileCount(), 3u) << "one whole file per format and no temporary";
}

}  // namespace
