// 8-bit HSV conversions: a hexcone model with the hue on 0..255.
//
// The hue circle is cut into six sectors (red-yellow, yellow-green, ...,
// magenta-red) whose borders lie on whole hue steps: 0, 43, 85, 128, 171,
// 213 (each k * 256 / 6 rounded). Within a sector the moving channel changes
// linearly. Because the primaries and secondaries sit exactly on those
// borders they survive a round trip exactly, and so do greys (saturation 0),
// black and white. Value is the largest channel and is always kept exactly.
//
// Both directions run per shading sample, so they use small tables and
// multiplications by exact reciprocals instead of branches and divisions.

#include "host/color_convert.h"

#include <algorithm>
#include <array>

#include "studio/core/exact_divide.h"

namespace {

using studio::kByteReciprocals;

constexpr int kBorder[7] = {0, 43, 85, 128, 171, 213, 256};

constexpr int Width(int sector) { return kBorder[sector + 1] - kBorder[sector]; }

// For each ordering of the channels (3 comparison bits: r>=g, g>=b, b>=r):
// the sector, and which channels give the rising fraction (a - b) / (max - min).
struct Ordering {
    int sector, max, min, a, b;
};
constexpr Ordering kOrderings[8] = {
    {0, 0, 2, 1, 2},  // 000: cannot happen
    {5, 0, 1, 0, 2},  // 001: r > b > g, magenta to red
    {1, 1, 2, 1, 0},  // 010: g > r > b, yellow to green
    {0, 0, 2, 1, 2},  // 011: r >= g >= b, red to yellow
    {3, 2, 0, 2, 1},  // 100: b > g > r, cyan to blue
    {4, 2, 1, 0, 1},  // 101: b >= r >= g, blue to magenta
    {2, 1, 0, 2, 0},  // 110: g >= b >= r, green to cyan
    {0, 0, 2, 1, 2},  // 111: grey
};

constexpr int OrderingIndex(int r, int g, int b) {
    return int(r >= g) | int(g >= b) << 1 | int(b >= r) << 2;
}

// How far below the value each channel sits in a sector, as a share of the
// sector width: 0 = at the value, kFull = at the minimum, kRising = (width -
// f), kFalling = f, where f is the hue's offset into the sector.
enum Drop : std::uint8_t { kNone, kFull, kRising, kFalling };
constexpr Drop kDrops[6][3] = {
    {kNone, kRising, kFull},     // red to yellow: green rises
    {kFalling, kNone, kFull},    // yellow to green: red falls
    {kFull, kNone, kRising},     // green to cyan: blue rises
    {kFull, kFalling, kNone},    // cyan to blue: green falls
    {kRising, kFull, kNone},     // blue to magenta: red rises
    {kNone, kFull, kFalling},    // magenta to red: blue falls
};

struct HuePlace {
    std::uint8_t sector, offset;
};
constexpr std::array<HuePlace, 256> MakeHuePlaces() {
    std::array<HuePlace, 256> places{};
    for (int h = 0, sector = 0; h < 256; ++h) {
        while (h >= kBorder[sector + 1])
            ++sector;
        places[std::size_t(h)] = {std::uint8_t(sector), std::uint8_t(h - kBorder[sector])};
    }
    return places;
}
constexpr std::array<HuePlace, 256> kHuePlaces = MakeHuePlaces();

// Divisors 255 * width (widths 42 and 43) for numerators below 2^22.
using WideReciprocal = studio::Reciprocal<22, 14>;
constexpr WideReciprocal kSectorReciprocal[6] = {
    WideReciprocal(255u * Width(0)), WideReciprocal(255u * Width(1)),
    WideReciprocal(255u * Width(2)), WideReciprocal(255u * Width(3)),
    WideReciprocal(255u * Width(4)), WideReciprocal(255u * Width(5)),
};

constexpr int ClampByte(int x) { return std::min(std::max(x, 0), 255); }

}  // namespace

void RGBtoHSV(DWORD rgb, int* h, int* s, int* v) {
    const int c[3] = {int(rgb & 0xff), int((rgb >> 8) & 0xff), int((rgb >> 16) & 0xff)};
    const Ordering& o = kOrderings[OrderingIndex(c[0], c[1], c[2])];
    const std::uint32_t high = std::uint32_t(c[o.max]);
    const std::uint32_t spread = high - std::uint32_t(c[o.min]);
    const std::uint32_t rise = std::uint32_t(c[o.a] - c[o.b]);
    // Greys have spread 0: the zero reciprocal makes hue and saturation 0.
    const auto& bySpread = kByteReciprocals[spread];
    const std::uint32_t hue =
        std::uint32_t(kBorder[o.sector]) +
        bySpread.DivideRounded(rise * std::uint32_t(Width(o.sector)), spread);
    *h = int(hue & 255);
    *s = int(kByteReciprocals[high].DivideRounded(spread * 255, high));
    *v = int(high);
}

DWORD HSVtoRGB(int h, int s, int v) {
    const HuePlace place = kHuePlaces[std::size_t(h & 255)];
    const std::uint32_t value = std::uint32_t(ClampByte(v));
    const std::uint32_t sat = std::uint32_t(ClampByte(s));
    const std::uint32_t width = std::uint32_t(Width(place.sector));
    const std::uint32_t shares[4] = {0, width, width - place.offset, place.offset};
    const WideReciprocal& divide = kSectorReciprocal[place.sector];
    const std::uint32_t denominator = 255 * width;
    DWORD word = 0;
    for (int channel = 0; channel < 3; ++channel) {
        const std::uint32_t share = shares[kDrops[place.sector][channel]];
        const std::uint32_t drop = divide.DivideRounded(value * sat * share, denominator);
        word |= DWORD(value - drop) << (8 * channel);
    }
    return word;
}
