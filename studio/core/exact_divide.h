#pragma once

// Division by small integers through multiplication by a precomputed
// reciprocal, exact for the operand ranges the colour conversions use.

#include <array>
#include <cstdint>

namespace studio {

/// floor(n / d) for n < 2^kNumeratorBits, computed as (n * ceil(2^k / d)) >> k
/// with k = kNumeratorBits + kDivisorBits. Exact because the rounding error
/// of the reciprocal, below d, times n stays under 2^k.
template <int kNumeratorBits, int kDivisorBits>
struct Reciprocal {
    static constexpr int kShift = kNumeratorBits + kDivisorBits;
    std::uint64_t factor = 0;

    constexpr Reciprocal() = default;
    constexpr explicit Reciprocal(std::uint32_t d)
        : factor(d == 0 ? 0 : ((std::uint64_t(1) << kShift) + d - 1) / d) {}
    constexpr std::uint32_t Divide(std::uint32_t n) const {
        return std::uint32_t((std::uint64_t(n) * factor) >> kShift);
    }
    /// n / d rounded to nearest, halves up.
    constexpr std::uint32_t DivideRounded(std::uint32_t n, std::uint32_t d) const {
        return Divide(n + d / 2);
    }
};

/// Reciprocals of 0..255 (0 maps every numerator to 0), for numerators
/// below 2^16.
using ByteReciprocal = Reciprocal<16, 8>;
constexpr std::array<ByteReciprocal, 256> MakeByteReciprocals() {
    std::array<ByteReciprocal, 256> table{};
    for (std::uint32_t d = 0; d < 256; ++d)
        table[d] = ByteReciprocal(d);
    return table;
}
inline constexpr std::array<ByteReciprocal, 256> kByteReciprocals = MakeByteReciprocals();

}  // namespace studio
