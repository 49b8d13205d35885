// tintora apply and render: every pixel through the module, checked against
// eval at the same colour or the same texture coordinates.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "run_program.h"
#include "studio/render/image_file.h"

using cli_test::RunTintora;
using cli_test::TempFolder;

namespace {

std::string Number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", double(value));
    return text;
}

ColorRGBA ParseRgba(const std::string& line) {
    ColorRGBA c;
    EXPECT_EQ(std::sscanf(line.c_str(), "%f %f %f %f", &c.r, &c.g, &c.b, &c.a), 4) << line;
    return c;
}

// An odd-sized image with a different colour and alpha in every pixel.
ImageBuffer Ramp(int width, int height) {
    ImageBuffer image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.At(x, y) = {float(x + 1) / float(width + 1), float(y + 1) / float(height + 1),
                              float((x * 7 + y * 3) % 11) / 10.0f, float((x + 2 * y) % 4) / 3.0f};
    return image;
}

const std::vector<std::string> kLook = {"--set", "hue_offset=40", "--set", "sat_gain=70",
                                        "--set", "contrast=130",  "--set", "g_source=blue"};

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

TEST(Apply, EveryPixelIsEvalOfItsOwnColourWithAlphaKept) {
    TempFolder dir;
    const ImageBuffer input = Ramp(5, 3);
    ASSERT_EQ(WriteImage(dir / "in.exr", input), "");
    const auto result = RunTintora(With({"apply", dir / "in.exr", dir / "out.exr"}, kLook));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const ImageReadResult output = ReadImage(dir / "out.exr");
    ASSERT_EQ(output.error, "");
    ASSERT_EQ(output.image.width, 5);
    ASSERT_EQ(output.image.height, 3);
    for (const auto& [x, y] : {std::pair{0, 0}, {4, 0}, {2, 1}, {0, 2}, {4, 2}, {3, 1}}) {
        const ColorRGBA& source = input.At(x, y);
        const std::string colour = Number(source.r) + "," + Number(source.g) + "," + Number(source.b);
        const ColorRGBA expected = ParseRgba(RunTintora(With({"eval", "--color", colour}, kLook)).out);
        const ColorRGBA& got = output.image.At(x, y);
        const std::string where = "pixel " + std::to_string(x) + "," + std::to_string(y);
        EXPECT_EQ(got.r, expected.r) << where;
        EXPECT_EQ(got.g, expected.g) << where;
        EXPECT_EQ(got.b, expected.b) << where;
        EXPECT_EQ(got.a, source.a) << where << ": alpha is kept";
    }
    EXPECT_EQ(dir.Files(), (std::vector<std::string>{"in.exr", "out.exr"}));
}

TEST(Apply, ExrKeepsValuesAboveOneAndPngClamps) {
    TempFolder dir;
    ImageBuffer white(3, 1);
    for (ColorRGBA& pixel : white.pixels) pixel = {1, 1, 1, 1};
    ASSERT_EQ(WriteImage(dir / "white.png", white), "");
    const std::vector<std::string> bright = {"--set", "brightness=100"};
    ASSERT_EQ(RunTintora(With({"apply", dir / "white.png", dir / "out.exr"}, bright)).exitCode, 0);
    ASSERT_EQ(RunTintora(With({"apply", dir / "white.png", dir / "out.png"}, bright)).exitCode, 0);
    EXPECT_EQ(ReadImage(dir / "out.exr").image.At(1, 0).r, 1.9921875f);
    EXPECT_EQ(ReadImage(dir / "out.png").image.At(1, 0).r, 1.0f);
}

TEST(Apply, FramesOfAnAnimatedSceneGoToNumberedFiles) {
    TempFolder dir;
    ImageBuffer grey(2, 2);
    for (ColorRGBA& pixel : grey.pixels) pixel = {0.5f, 0.5f, 0.5f, 1};
    ASSERT_EQ(WriteImage(dir / "grey.exr", grey), "");
    const std::string scene = dir / "fade.tnts";
    ASSERT_EQ(RunTintora({"scene", "new", scene}).exitCode, 0);
    ASSERT_EQ(RunTintora({"scene", "set", scene, "--frame", "1", "brightness=0"}).exitCode, 0);
    ASSERT_EQ(RunTintora({"scene", "set", scene, "--frame", "3", "brightness=-50"}).exitCode, 0);
    const auto result = RunTintora({"apply", dir / "grey.exr", dir / "out.##.exr", "--scene", scene, "--frames", "1-3"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(dir.Files(), (std::vector<std::string>{"fade.tnts", "grey.exr", "out.01.exr", "out.02.exr", "out.03.exr"}));
    for (int frame = 1; frame <= 3; ++frame) {
        const ColorRGBA expected = ParseRgba(
            RunTintora({"eval", "--scene", scene, "--frame", std::to_string(frame), "--color", "0.5,0.5,0.5"}).out);
        // The scene's own source colour is replaced by the image: compare with
        // the same brightness on the image's colour.
        const ColorRGBA got = ReadImage(dir / ("out.0" + std::to_string(frame) + ".exr")).image.At(1, 1);
        EXPECT_EQ(got.g, expected.g) << "frame " << frame;
    }
    EXPECT_GT(ReadImage(dir / "out.01.exr").image.At(0, 0).r, ReadImage(dir / "out.03.exr").image.At(0, 0).r);
}

TEST(Apply, FailuresLeaveNoFileBehind) {
    TempFolder dir;
    ASSERT_EQ(WriteImage(dir / "in.png", Ramp(4, 4)), "");
    const auto noFolder = RunTintora({"apply", dir / "in.png", dir / "missing/out.png"});
    EXPECT_EQ(noFolder.exitCode, 1);
    EXPECT_NE(noFolder.err.find("missing/out.png"), std::string::npos) << noFolder.err;
    const auto noMarks = RunTintora({"apply", dir / "in.png", dir / "out.png", "--frames", "1-2"});
    EXPECT_EQ(noMarks.exitCode, 2);
    EXPECT_NE(noMarks.err.find("'#'"), std::string::npos) << noMarks.err;
    const auto badFormat = RunTintora({"apply", dir / "in.png", dir / "out.nosuchformat"});
    EXPECT_EQ(badFormat.exitCode, 1) << badFormat.err;
    std::ofstream(dir / "broken.png") << "not an image";
    const auto broken = RunTintora({"apply", dir / "broken.png", dir / "out.png"});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_NE(broken.err.find("broken.png"), std::string::npos) << broken.err;
    EXPECT_EQ(dir.Files(), (std::vector<std::string>{"broken.png", "in.png"}));
}

TEST(Render, PixelsAreEvalAtTheirCentresAndFramesAreNumbered) {
    TempFolder dir;
    const std::string scene = dir / "look.tnts";
    ASSERT_EQ(RunTintora({"scene", "new", scene, "--map", "source=gradient", "--map", "hue_gain=checker",
                          "--set", "hue_gain=90"}).exitCode, 0);
    const auto result = RunTintora({"render", scene, dir / "look.exr", "--size", "7x5", "--threads", "2"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const ImageReadResult image = ReadImage(dir / "look.exr");
    ASSERT_EQ(image.image.width, 7);
    ASSERT_EQ(image.image.height, 5);
    for (const auto& [x, y] : {std::pair{0, 0}, {6, 4}, {3, 2}, {5, 1}}) {
        const float u = (float(x) + 0.5f) / 7.0f, v = 1.0f - (float(y) + 0.5f) / 5.0f;
        const ColorRGBA expected =
            ParseRgba(RunTintora({"eval", "--scene", scene, "--uv", Number(u) + "," + Number(v)}).out);
        EXPECT_EQ(image.image.At(x, y), expected) << x << "," << y;
    }
    ASSERT_EQ(RunTintora({"render", scene, dir / "seq.###.png", "--size", "4x4", "--frames", "8-10"}).exitCode, 0);
    EXPECT_EQ(dir.Files(), (std::vector<std::string>{"look.exr", "look.tnts", "seq.008.png", "seq.009.png", "seq.010.png"}));
}

}  // namespace
