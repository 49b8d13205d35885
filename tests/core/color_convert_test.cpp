#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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

// The conversions written the plain way, with integer division: six sectors
// of the hue circle with borders at whole steps, the moving channel's share
// rounded to nearest. The fast versions must give exactly these results.
constexpr int kPlainBorder[7] = {0, 43, 85, 128, 171, 213, 256};

int RoundedDivide(int n, int d) { return (n + d / 2) / d; }

Hsv PlainToHsv(int r, int g, int b) {
    const int high = std::max({r, g, b}), low = std::min({r, g, b});
    const int spread = high - low;
    Hsv out{0, high == 0 ? 0 : RoundedDivide(spread * 255, high), high};
    if (spread == 0) return out;
    int sector, rise;
    if (r >= g && g >= b) sector = 0, rise = g - b;       // red to yellow
    else if (g > r && r > b) sector = 1, rise = g - r;    // yellow to green
    else if (g >= b && b >= r) sector = 2, rise = b - r;  // green to cyan
    else if (b > g && g > r) sector = 3, rise = b - g;    // cyan to blue
    else if (b >= r && r >= g) sector = 4, rise = r - g;  // blue to magenta
    else sector = 5, rise = r - b;                        // magenta to red
    const int width = kPlainBorder[sector + 1] - kPlainBorder[sector];
    out.h = (kPlainBorder[sector] + RoundedDivide(rise * width, spread)) & 255;
    return out;
}

DWORD PlainToRgb(int h, int s, int v) {
    h &= 255;
    s = std::clamp(s, 0, 255);
    v = std::clamp(v, 0, 255);
    int sector = 0;
    while (h >= kPlainBorder[sector + 1]) ++sector;
    const int width = kPlainBorder[sector + 1] - kPlainBorder[sector];
    const int offset = h - kPlainBorder[sector];
    // How far each channel sits below the value, in shares of the width.
    const int full = width, rising = width - offset, falling = offset;
    static constexpr int kNone = -1;
    const std::array<std::array<int, 3>, 6> shares = {{
        {kNone, rising, full},
        {falling, kNone, full},
        {full, kNone, rising},
        {full, falling, kNone},
        {rising, full, kNone},
        {kNone, full, falling},
    }};
    DWORD word = 0;
    for (int c = 0; c < 3; ++c) {
        const int share = shares[std::size_t(sector)][std::size_t(c)];
        const int channel = share == kNone ? v : v - RoundedDivide(v * s * share, 255 * width);
        word |= DWORD(channel) << (8 * c);
    }
    return word;
}

TEST(HsvConversion, EveryColourWordConvertsAsThePlainFormulaSays) {
    for (DWORD word = 0; word < (1u << 24); ++word) {
        const Hsv want = PlainToHsv(Channel(word, 0), Channel(word, 1), Channel(word, 2));
        ASSERT_EQ(ToHsv(word), want) << std::hex << word;
    }
}

TEST(HsvConversion, EveryHsvTripleConvertsAsThePlainFormulaSays) {
    for (int h = 0; h < 256; ++h)
        for (int s = 0; s < 256; ++s)
            for (int v = 0; v < 256; ++v)
                ASSERT_EQ(HSVtoRGB(h, s, v), PlainToRgb(h, s, v)) << h << ", " << s << ", " << v;
}

TEST(HsvConversion, OutOfRangeTriplesConvertAsThePlainFormulaSays) {
    constexpr int kValues[] = {-2147483647 - 1, -70000, -256, -255, -1, 0, 1, 254, 255, 256, 300, 70000,
                               2147483647};
    for (int h : kValues)
        for (int s : kValues)
            for (int v : kValues)
                ASSERT_EQ(HSVtoRGB(h, s, v), PlainToRgb(h, s, v)) << h << ", " << s << ", " << v;
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
