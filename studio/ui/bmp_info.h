#pragma once

// Reads the header of a BMP image resource, so that a front end or a test
// can tell its size and pixel format without decoding it.

#include <cstddef>
#include <optional>

namespace studio {

struct BmpInfo {
    int width;
    int height;         ///< always positive; `bottomUp` tells the row order
    bool bottomUp;
    int bitsPerPixel;
    int compression;    ///< 0: uncompressed
    int paletteEntries; ///< colours in the palette (0 for none)
    std::size_t pixelOffset;
};

/// The header of `bytes`, or nothing when they are not a complete BMP file
/// with a 40-byte (or larger) information header whose pixels fit inside.
std::optional<BmpInfo> ReadBmpInfo(const unsigned char* bytes, std::size_t size);

}  // namespace studio
