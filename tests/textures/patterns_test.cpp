#include <gtest/gtest.h>

#include <cmath>

#include "studio/textures/patterns.h"

namespace {

struct CheckerCase {
    float u, v, tiles;
    int cell;
};

TEST(CheckerCell, AlternatesBetweenNeighbouringSquares) {
    const CheckerCase cases[] = {
        {0.1f, 0.1f, 2.0f, 0},  {0.6f, 0.1f, 2.0f, 1},  {0.1f, 0.6f, 2.0f, 1},
        {0.6f, 0.6f, 2.0f, 0},  {-0.1f, 0.1f, 2.0f, 1}, {-0.1f, -0.1f, 2.0f, 0},
        {1.1f, 0.1f, 2.0f, 0},  {0.3f, 0.1f, 4.0f, 1},  {0.5f, 0.0f, 2.0f, 1},
        {3e30f, 0.1f, 1e10f, 0}, {0.6f, 0.1f, INFINITY, 0}, {NAN, 0.1f, 2.0f, 0},
    };
    for (const CheckerCase& c : cases)
        EXPECT_EQ(CheckerCell(c.u, c.v, c.tiles), c.cell) << c.u << "," << c.v << " tiles " << c.tiles;
}

TEST(GradientNoise, VanishesAtLatticePointsAndStaysInRange) {
    for (int x = -3; x <= 3; ++x)
        for (int y = -3; y <= 3; ++y) EXPECT_FLOAT_EQ(GradientNoise(float(x), float(y), 2.0f), 0.0f);
    float low = 0.0f, high = 0.0f;
    for (int i = 0; i < 4000; ++i) {
        const float n = GradientNoise(float(i) * 0.137f, float(i) * 0.071f, float(i) * 0.013f);
        low = std::min(low, n);
        high = std::max(high, n);
    }
    EXPECT_GE(low, -1.1f);
    EXPECT_LE(high, 1.1f);
    EXPECT_LT(low, -0.2f) << "noise should vary";
    EXPECT_GT(high, 0.2f) << "noise should vary";
}

TEST(GradientNoise, HugeAndNonFiniteCoordinatesStayDefined) {
    EXPECT_EQ(GradientNoise(NAN, 0.5f, 0.5f), 0.0f);
    EXPECT_EQ(GradientNoise(0.5f, INFINITY, 0.5f), 0.0f);
    const float far = GradientNoise(-3e20f, 7e25f, 1e30f);
    EXPECT_GE(far, -1.1f);
    EXPECT_LE(far, 1.1f);
}

TEST(GradientNoise, IsContinuousAndRepeatsEvery256Units) {
    for (int i = 0; i < 500; ++i) {
        const float x = float(i) * 0.0371f, y = float(i) * 0.0193f;
        EXPECT_NEAR(GradientNoise(x, y, 0.5f), GradientNoise(x + 1e-4f, y, 0.5f), 1e-3f);
        EXPECT_NEAR(GradientNoise(x, y, 0.5f), GradientNoise(x + 256.0f, y, 0.5f), 1e-3f);
    }
}

TEST(Gradient, BlendsTwoOrThreeColoursAlongTheChosenAxis) {
    const Color c1(0, 0, 0), c2(1, 1, 1), c3(1, 0, 0);
    EXPECT_FLOAT_EQ(GradientPosition(0.25f, 0.75f, 0), 0.25f);
    EXPECT_FLOAT_EQ(GradientPosition(0.25f, 0.75f, 1), 0.75f);
    EXPECT_FLOAT_EQ(GradientPosition(-2.0f, 0.0f, 0), 0.0f);
    EXPECT_FLOAT_EQ(GradientPosition(3.0f, 0.0f, 0), 1.0f);
    EXPECT_EQ(GradientColor(c1, c2, c3, false, 0.5f), Color(0.5f, 0.5f, 0.5f));
    EXPECT_EQ(GradientColor(c1, c2, c3, false, 1.0f), c2);
    EXPECT_EQ(GradientColor(c1, c2, c3, true, 0.5f), c2);
    EXPECT_EQ(GradientColor(c1, c2, c3, true, 1.0f), c3);
    EXPECT_EQ(GradientColor(c1, c2, c3, true, 0.75f), Color(1.0f, 0.5f, 0.5f));
}

}  // namespace
