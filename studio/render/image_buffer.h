#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "host/types.h"

/// The allocator of an image's pixels. A pixel made without a value is left
/// unwritten: a renderer that writes every pixel from its worker threads then
/// touches fresh memory first on those threads, instead of having the
/// calling thread fill the whole frame with zeros beforehand. Pixels made
/// from a value, as ImageBuffer(w, h) makes them, are written as usual.
template <class T>
struct PixelAllocator : std::allocator<T> {
    using value_type = T;
    template <class U>
    struct rebind {
        using other = PixelAllocator<U>;
    };

    PixelAllocator() = default;
    template <class U>
    PixelAllocator(const PixelAllocator<U>&) noexcept {}

    template <class U>
    void construct(U*) noexcept {}
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

/// A float RGBA image held in memory. Row 0 is the top row, as in image
/// files; texture space has v = 0 at the bottom, so row y covers
/// v = 1 - (y + 0.5) / height at its centre.
struct ImageBuffer {
    int width = 0;
    int height = 0;
    std::vector<ColorRGBA, PixelAllocator<ColorRGBA>> pixels;  ///< width * height, row by row from the top

    ImageBuffer() = default;
    /// w × h pixels, all zero.
    ImageBuffer(int w, int h) : width(w), height(h), pixels(Count(w, h), ColorRGBA{}) {}

    /// w × h pixels left unwritten, for a caller that writes every one of
    /// them before anything reads it.
    static ImageBuffer Unwritten(int w, int h) {
        ImageBuffer image;
        image.width = w;
        image.height = h;
        image.pixels.resize(Count(w, h));
        return image;
    }

    bool Empty() const { return pixels.empty(); }
    ColorRGBA& At(int x, int y) { return pixels[Index(x, y)]; }
    const ColorRGBA& At(int x, int y) const { return pixels[Index(x, y)]; }

private:
    static std::size_t Count(int w, int h) { return std::size_t(w) * std::size_t(h); }
    std::size_t Index(int x, int y) const { return std::size_t(y) * std::size_t(width) + std::size_t(x); }
};
