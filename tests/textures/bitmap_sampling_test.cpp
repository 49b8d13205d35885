#include <gtest/gtest.h>

#include <limits>

#include "studio/textures/bitmap_sampling.h"

namespace {

// A 2x2 image: top row red, green; bottom row blue, white.
ImageBuffer TinyImage() {
    ImageBuffer image(2, 2);
    image.At(0, 0) = {1, 0, 0, 1};
    image.At(1, 0) = {0, 1, 0, 1};
    image.At(0, 1) = {0, 0, 1, 1};
    image.At(1, 1) = {1, 1, 1, 0};
    return image;
}

void ExpectNear(const ColorRGBA& got, const ColorRGBA& want, const char* where) {
    EXPECT_NEAR(got.r, want.r, 1e-5f) << where;
    EXPECT_NEAR(got.g, want.g, 1e-5f) << where;
    EXPECT_NEAR(got.b, want.b, 1e-5f) << where;
    EXPECT_NEAR(got.a, want.a, 1e-5f) << where;
}

TEST(SampleBilinear, PixelCentresGiveThePixelsWithVZeroAtTheBottom) {
    const ImageBuffer image = TinyImage();
    ExpectNear(SampleBilinear(image, 0.25f, 0.75f), {1, 0, 0, 1}, "top left");
    ExpectNear(SampleBilinear(image, 0.75f, 0.75f), {0, 1, 0, 1}, "top right");
    ExpectNear(SampleBilinear(image, 0.25f, 0.25f), {0, 0, 1, 1}, "bottom left");
    ExpectNear(SampleBilinear(image, 0.75f, 0.25f), {1, 1, 1, 0}, "bottom right");
}

TEST(SampleBilinear, BlendsBetweenCentresAndWrapsAcrossEdges) {
    const ImageBuffer image = TinyImage();
    ExpectNear(SampleBilinear(image, 0.5f, 0.75f), {0.5f, 0.5f, 0, 1}, "between top pixels");
    ExpectNear(SampleBilinear(image, 0.5f, 0.5f), {0.5f, 0.5f, 0.5f, 0.75f}, "centre of all four");
    // u = 0 lies halfway between the last and the first column.
    ExpectNear(SampleBilinear(image, 0.0f, 0.75f), {0.5f, 0.5f, 0, 1}, "left edge wraps");
    ExpectNear(SampleBilinear(image, 0.25f, 1.0f), {0.5f, 0, 0.5f, 1}, "top edge wraps");
}

TEST(SampleBilinear, TilesRepeatTheImage) {
    const ImageBuffer image = TinyImage();
    const float points[][2] = {{0.1f, 0.2f}, {0.25f, 0.75f}, {0.6f, 0.9f}, {0.99f, 0.01f}};
    for (const auto& p : points)
        for (float shift : {1.0f, -1.0f, 3.0f, -7.0f}) {
            const ColorRGBA a = SampleBilinear(image, p[0], p[1]);
            ExpectNear(SampleBilinear(image, p[0] + shift, p[1]), a, "u shifted");
            ExpectNear(SampleBilinear(image, p[0], p[1] + shift), a, "v shifted");
        }
}

TEST(SampleBilinear, EmptyImageOrNonFiniteCoordinatesGiveTransparentBlack) {
    const ImageBuffer image = TinyImage();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(SampleBilinear(ImageBuffer(), 0.5f, 0.5f), ColorRGBA{});
    EXPECT_EQ(SampleBilinear(image, nan, 0.5f), ColorRGBA{});
    EXPECT_EQ(SampleBilinear(image, 0.5f, inf), ColorRGBA{});
    const ColorRGBA far = SampleBilinear(image, 3e9f, -5e8f);
    for (float channel : {far.r, far.g, far.b, far.a}) {
        EXPECT_GE(channel, 0.0f);
        EXPECT_LE(channel, 1.0f);
    }
}

}  // namespace
