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
// the sector, and whether the middle channel falls through it (the hue's
// offset grows as the middle channel leaves the value) or rises (it grows as
// the middle channel leaves the minimum). The sector's start and width come
// along, so that a conversion reads one entry.
struct Ordering {
    std::uint32_t start, width;
    bool falling;
};
constexpr Ordering InSector(int sector, bool falling) {
    return {std::uint32_t(kBorder[sector]), std::uint32_t(Width(sector)), falling};
}
constexpr Ordering kOrderings[8] = {
    InSector(0, false),  // 000: cannot happen
    InSector(5, true),   // 001: r > b > g, magenta to red
    InSector(1, true),   // 010: g > r > b, yellow to green
    InSector(0, false),  // 011: r >= g >= b, red to yellow
    InSector(3, true),   // 100: b > g > r, cyan to blue
    InSector(4, false),  // 101: b >= r >= g, blue to magenta
    InSector(2, false),  // 110: g >= b >= r, green to cyan
    InSector(0, false),  // 111: grey
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

// Per hue, the drop of each channel below the value is
// floor((value * sat * share + D / 2) / D) with D = 255 * width, which the
// sector's reciprocal R gives as ((value * sat * share + D / 2) * R) >> shift.
// Regrouped as (value * sat) * (share * R) + (D / 2) * R, the same integer
// product takes one multiplication per channel with the two terms tabulated.
struct HueDrops {
    std::uint64_t factor[3];  ///< share * R of each channel
    std::uint64_t bias;       ///< (D / 2) * R
};
constexpr std::array<HueDrops, 256> MakeHueDrops() {
    std::array<HueDrops, 256> table{};
    for (std::size_t h = 0; h < 256; ++h) {
        const HuePlace place = kHuePlaces[h];
        const std::uint64_t width = std::uint64_t(Width(place.sector));
        const std::uint64_t shares[4] = {0, width, width - place.offset, place.offset};
        const std::uint64_t reciprocal = kSectorReciprocal[place.sector].factor;
        for (std::size_t channel = 0; channel < 3; ++channel)
            table[h].factor[channel] = shares[kDrops[place.sector][channel]] * reciprocal;
        table[h].bias = (255 * width / 2) * reciprocal;
    }
    return table;
}
constexpr std::array<HueDrops, 256> kHueDrops = MakeHueDrops();

constexpr std::uint32_t ClampByte(int x) { return std::uint32_t(std::min(std::max(x, 0), 255)); }

}  // namespace

void RGBtoHSV(DWORD rgb, int* h, int* s, int* v) {
    const std::uint32_t r = rgb & 0xff, g = (rgb >> 8) & 0xff, b = (rgb >> 16) & 0xff;
    const std::uint32_t high = std::max(r, std::max(g, b));
    const std::uint32_t low = std::min(r, std::min(g, b));
    const std::uint32_t spread = high - low;
    const std::uint32_t middleAboveLow = r + g + b - high - 2 * low;
    const Ordering o = kOrderings[OrderingIndex(int(r), int(g), int(b))];
    const std::uint32_t rise = o.falling ? spread - middleAboveLow : middleAboveLow;
    // Greys have spread 0: the zero reciprocal makes hue and saturation 0.
    const std::uint32_t hue = o.start + kByteReciprocals[spread].DivideRounded(rise * o.width, spread);
    *h = int(hue & 255);
    *s = int(kByteReciprocals[high].DivideRounded(spread * 255, high));
    *v = int(high);
}

DWORD HSVtoRGB(int h, int s, int v) {
    const HueDrops& drops = kHueDrops[std::size_t(h & 255)];
    const std::uint32_t value = ClampByte(v);
    const std::uint64_t product = std::uint64_t(value) * ClampByte(s);
    const auto channel = [&](std::size_t c) {
        const std::uint64_t drop = (product * drops.factor[c] + drops.bias) >> WideReciprocal::kShift;
        return DWORD(value - std::uint32_t(drop));
    };
    return channel(0) | channel(1) << 8 | channel(2) << 16;
}
