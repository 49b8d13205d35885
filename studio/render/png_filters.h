#pragma once

// The PNG row filters the writer uses. Each row is stored as the difference
// from the row above ("Up"), which photographs and renders compress well
// with; a row whose predecessor lies in another band (encoded on another
// thread) is stored as the difference from the pixel to its left ("Sub").
// libpng's adaptive choice among all five filters gives files about a tenth
// smaller here but doubles the time deflate takes.

#include <cstddef>
#include <cstdint>

namespace png_filters {

enum Type : std::uint8_t { kNone, kSub, kUp };

/// `row` of `n` bytes filtered into `out` (n + 1 bytes: the filter type,
/// then the bytes), against `above`, the row before, or, when that is null,
/// against the pixel to the left (`bpp` bytes per pixel).
inline void FilterRow(const std::uint8_t* row, const std::uint8_t* above, std::size_t n, std::size_t bpp,
                      std::uint8_t* out) {
    out[0] = above ? kUp : kSub;
    std::uint8_t* bytes = out + 1;
    if (above) {
        for (std::size_t i = 0; i < n; ++i) bytes[i] = std::uint8_t(row[i] - above[i]);
        return;
    }
    for (std::size_t i = 0; i < n && i < bpp; ++i) bytes[i] = row[i];
    for (std::size_t i = bpp; i < n; ++i) bytes[i] = std::uint8_t(row[i] - row[i - bpp]);
}

}  // namespace png_filters
