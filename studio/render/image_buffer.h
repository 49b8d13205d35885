#pragma once

#include <cstddef>
#include <vector>

#include "host/types.h"

/// A float RGBA image held in memory. Row 0 is the top row, as in image
/// files; texture space has v = 0 at the bottom, so row y covers
/// v = 1 - (y + 0.5) / height at its centre.
struct ImageBuffer {
    int width = 0;
    int height = 0;
    std::vector<ColorRGBA> pixels;  ///< width * height, row by row from the top

    ImageBuffer() = default;
    ImageBuffer(int w, int h) : width(w), height(h), pixels(std::size_t(w) * std::size_t(h)) {}

    bool Empty() const { return pixels.empty(); }
    ColorRGBA& At(int x, int y) { return pixels[Index(x, y)]; }
    const ColorRGBA& At(int x, int y) const { return pixels[Index(x, y)]; }

private:
    std::size_t Index(int x, int y) const { return std::size_t(y) * std::size_t(width) + std::size_t(x); }
};
