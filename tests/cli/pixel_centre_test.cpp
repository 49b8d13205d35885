// apply relies on this: an image sampled at its own pixel centres, as the
// renderer computes them in single precision, gives back its pixels exactly,
// whatever the image's size.

#include <gtest/gtest.h>

#include "studio/textures/bitmap_sampling.h"

TEST(PixelCentres, SampleTheirOwnPixelExactly) {
    for (const auto& [width, height] : {std::pair{3, 5}, {7, 1}, {1000, 3}, {4097, 2}, {2, 1999}}) {
        ImageBuffer image(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image.At(x, y) = {float(x % 2), float(y % 2), float((x + y) % 3) / 7.0f, float((x * y) % 5) / 3.0f};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const float u = (float(x) + 0.5f) / float(width);
                const float v = 1.0f - (float(y) + 0.5f) / float(height);
                ASSERT_EQ(SampleBilinear(image, u, v), image.At(x, y))
                    << width << "x" << height << " at " << x << "," << y;
            }
    }
}

TEST(PixelCentres, PositionsBetweenCentresStillBlend) {
    ImageBuffer image(3, 1);
    image.At(0, 0) = {0, 0, 0, 1};
    image.At(1, 0) = {1, 1, 1, 1};
    image.At(2, 0) = {0, 0, 0, 1};
    EXPECT_FLOAT_EQ(SampleBilinear(image, 1.0f / 3.0f, 0.5f).r, 0.5f);
    EXPECT_NEAR(SampleBilinear(image, 0.5f - 0.001f, 0.5f).r, 1.0f - 0.003f, 1e-4f);
}
