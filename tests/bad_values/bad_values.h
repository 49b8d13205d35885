#pragma once

// The values every parameter is tried with, and texture graphs to try them on.

#include <bit>
#include <cstdint>
#include <limits>
#include <string>

#include "host/types.h"

namespace bad_values {

struct NamedFloat {
    const char* name;
    float value;
};

inline constexpr NamedFloat kFloats[] = {
    {"nan", std::numeric_limits<float>::quiet_NaN()},
    {"inf", std::numeric_limits<float>::infinity()},
    {"-inf", -std::numeric_limits<float>::infinity()},
    {"1e30", 1e30f},
    {"-1e30", -1e30f},
};

inline constexpr int kInts[] = {std::numeric_limits<int>::min(), -1, 3, 255,
                                std::numeric_limits<int>::max()};

/// Bitwise equality: NaN equals the same NaN.
inline bool SameBits(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }
inline bool SameBits(const ColorRGBA& a, const ColorRGBA& b) {
    return SameBits(a.r, b.r) && SameBits(a.g, b.g) && SameBits(a.b, b.b) && SameBits(a.a, b.a);
}
inline bool SameBits(const Color& a, const Color& b) {
    return SameBits(a.r, b.r) && SameBits(a.g, b.g) && SameBits(a.b, b.b);
}

}  // namespace bad_values
