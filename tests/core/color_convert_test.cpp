#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "host/color_convert.h"
#include "studio/core/exact_divide.h"

namespace {

constexpr DWORD Word(int r, int g, int b) { return DWORD(r) | DWORD(g) << 8 | DWORD(b) << 16; }
constexpr int Channel(DWORD word, int i) { return int((word >> (8 * i)) & 0xff); }

struct Hsv {
    int h, s, v;
    bool operator==(const Hsv&) const = default;
};

Hsv ToHsv(DWORD word) {
    Hsv out{-1, -1, -1};
    RGBtoHSV(word, &out.h, &out.s, &out.v);
    return out;
}

TEST(ExactDivide, MatchesIntegerDivisionOverItsRange) {
    for (std::uint32_t d = 1; d < 256; ++d) {
        const studio::ByteReciprocal& r = studio::kByteReciprocals[d];
        for (std::uint32_t n = 0; n < (1u << 16); n += 1 + (n % 7))
            ASSERT_EQ(r.Divide(n), n / d) << n << " / " << d;
        ASSERT_EQ(r.Divide(65535), 65535 / d);
    }
}

TEST(HsvConversion, EveryGreyRoundTripsWithSaturationZero) {
    for (int g = 0; g < 256; ++g) {
        const DWORD grey = Word(g, g, g);
        const Hsv hsv = ToHsv(grey);
        EXPECT_EQ(hsv.s, 0) << g;
        EXPECT_EQ(hsv.v, g) << g;
        EXPECT_EQ(HSVtoRGB(hsv.h, hsv.s, hsv.v), grey) << g;
        // Any hue at saturation 0 gives the grey of the value.
        EXPECT_EQ(HSVtoRGB(g * 7, 0, g), grey) << g;
    }
}

struct Hue {
    int r, g, b, hue;
};
constexpr Hue kPure[] = {
    {1, 0, 0, 0},   {1, 1, 0, 43},  {0, 1, 0, 85},
    {0, 1, 1, 128}, {0, 0, 1, 171}, {1, 0, 1, 213},
};

TEST(HsvConversion, PrimariesAndSecondariesRoundTripAtEveryValue) {
    for (const Hue& p : kPure) {
        for (int v = 1; v < 256; ++v) {
            const DWORD word = Word(p.r * v, p.g * v, p.b * v);
            const Hsv hsv = ToHsv(word);
            EXPECT_EQ(hsv, (Hsv{p.hue, 255, v})) << std::hex << word;
            EXPECT_EQ(HSVtoRGB(hsv.h, hsv.s, hsv.v), word) << std::hex << word;
        }
    }
}

TEST(HsvConversion, OutOfRangeInputsAreClampedAndHueWraps) {
    EXPECT_EQ(HSVtoRGB(0, -40, 200), Word(200, 200, 200));
    EXPECT_EQ(HSVtoRGB(0, 255, -3), Word(0, 0, 0));
    EXPECT_EQ(HSVtoRGB(0, 999, 999), Word(255, 0, 0));
    for (int h = 0; h < 256; ++h) {
        const DWORD base = HSVtoRGB(h, 200, 180);
        EXPECT_EQ(HSVtoRGB(h + 256, 200, 180), base) << h;
        EXPECT_EQ(HSVtoRGB(h - 256, 200, 180), base) << h;
        EXPECT_EQ(HSVtoRGB(h - 512 * 1000, 200, 180), base) << h;
    }
}

// Every colour word: the value (largest channel) survives exactly and every
// channel comes back within 3. An exact round trip of every word is
// impossible with 8-bit h, s and v: all greys share saturation 0, so the 2^24
// words cannot map one-to-one onto the HSV triples.
TEST(HsvConversion, EveryColourWordRoundTripsClosely) {
    int worst = 0;
    for (DWORD word = 0; word < (1u << 24); ++word) {
        const Hsv hsv = ToHsv(word);
        ASSERT_TRUE(hsv.h >= 0 && hsv.h < 256 && hsv.s >= 0 && hsv.s < 256);
        const DWORD back = HSVtoRGB(hsv.h, hsv.s, hsv.v);
        int maxIn = 0, maxOut = 0;
        for (int c = 0; c < 3; ++c) {
            maxIn = std::max(maxIn, Channel(word, c));
            maxOut = std::max(maxOut, Channel(back, c));
            worst = std::max(worst, std::abs(Channel(word, c) - Channel(back, c)));
        }
        ASSERT_EQ(maxIn, maxOut) << std::hex << word;
        ASSERT_EQ(hsv.v, maxIn) << std::hex << word;
    }
    // Hue steps are 1/256 of the circle: a fully saturated channel may move
    // by up to about 255 * 6 / 256 / 2 on the way back.
    EXPECT_LE(worst, 3);
}

}  // namespace
