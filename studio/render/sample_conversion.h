#pragma once

// Float RGBA pixels as the samples of a file: integer formats hold 0..1
// only, so values are clamped (NaN counts as 0) and rounded.

#include <cstddef>
#include <cstring>
#include <limits>

#include "host/types.h"

template <typename T>
void Quantise(const ColorRGBA* pixels, std::size_t count, int channels, T* out) {
    constexpr float top = float(std::numeric_limits<T>::max());
    for (std::size_t i = 0; i < count; ++i) {
        const float c[4] = {pixels[i].r, pixels[i].g, pixels[i].b, pixels[i].a};
        for (int k = 0; k < channels; ++k) {
            const float v = c[k] > 1.0f ? 1.0f : (c[k] >= 0.0f ? c[k] : 0.0f);
            *out++ = T(v * top + 0.5f);
        }
    }
}

/// The first `channels` channels of each pixel, as floats, unclamped.
inline void Interleave(const ColorRGBA* pixels, std::size_t count, int channels, float* out) {
    for (std::size_t i = 0; i < count; ++i) {
        std::memcpy(out, &pixels[i], sizeof(float) * std::size_t(channels));
        out += channels;
    }
}
