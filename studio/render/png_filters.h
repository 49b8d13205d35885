#pragma once

// PNG's row filters (None, Sub, Up, Average, Paeth) and the choice among
// them that libpng makes: the filter whose bytes, read as signed, sum
// smallest in magnitude, which usually compresses best.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace png_filters {

enum Type : std::uint8_t { kNone, kSub, kUp, kAverage, kPaeth };

inline std::uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return std::uint8_t(a);
    return std::uint8_t(pb <= pc ? b : c);
}

/// Row `row` of `n` bytes filtered by `type` into `out`; `above` is the row
/// before (all zero for the first row of an image), `bpp` bytes per pixel.
inline void Apply(Type type, const std::uint8_t* row, const std::uint8_t* above, std::size_t n, std::size_t bpp,
                  std::uint8_t* out) {
    switch (type) {
    case kNone:
        for (std::size_t i = 0; i < n; ++i) out[i] = row[i];
        break;
    case kSub:
        for (std::size_t i = 0; i < n; ++i) out[i] = std::uint8_t(row[i] - (i >= bpp ? row[i - bpp] : 0));
        break;
    case kUp:
        for (std::size_t i = 0; i < n; ++i) out[i] = std::uint8_t(row[i] - above[i]);
        break;
    case kAverage:
        for (std::size_t i = 0; i < n; ++i)
            out[i] = std::uint8_t(row[i] - ((i >= bpp ? row[i - bpp] : 0) + above[i]) / 2);
        break;
    case kPaeth:
        for (std::size_t i = 0; i < n; ++i)
            out[i] = std::uint8_t(row[i] - (i >= bpp ? Paeth(row[i - bpp], above[i], above[i - bpp])
                                                      : Paeth(0, above[i], 0)));
        break;
    }
}

inline std::size_t Cost(const std::uint8_t* bytes, std::size_t n) {
    std::size_t sum = 0;
    for (std::size_t i = 0; i < n; ++i) sum += bytes[i] < 128 ? bytes[i] : 256 - bytes[i];
    return sum;
}

/// Row `row` as it goes into the compressed stream: its filter type, then
/// its `n` filtered bytes, in `out` (n + 1 bytes). Without `above` (a row
/// whose predecessor is not at hand) only None and Sub are tried. `trial`
/// is scratch space of n bytes.
inline void FilterRow(const std::uint8_t* row, const std::uint8_t* above, std::size_t n, std::size_t bpp,
                      std::uint8_t* out, std::uint8_t* trial) {
    const int last = above ? kPaeth : kSub;
    std::size_t best = SIZE_MAX;
    for (int type = kNone; type <= last; ++type) {
        std::uint8_t* target = best == SIZE_MAX ? out + 1 : trial;
        Apply(Type(type), row, above, n, bpp, target);
        const std::size_t cost = Cost(target, n);
        if (cost >= best) continue;
        best = cost;
        out[0] = std::uint8_t(type);
        if (target == trial)
            for (std::size_t i = 0; i < n; ++i) out[1 + i] = trial[i];
    }
}

}  // namespace png_filters
