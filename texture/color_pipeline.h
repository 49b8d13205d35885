#pragma once

// The steps of the colour correction, one pure function each. Arithmetic is
// carried out in double precision; no conversion to an integer can overflow.

#include <cmath>
#include <cstdint>

#include "host/types.h"

namespace tintora {

/// A channel as its byte: x × 255 + 0.5 truncated toward zero, saturated to
/// 0..255 so that a channel beyond 0..1 keeps its end of the scale; NaN packs
/// as 0.
inline DWORD PackChannel(float x) {
    const double v = double(x) * 255.0 + 0.5;
    if (!(v >= 0.0)) return 0;
    if (v >= 255.0) return 255;
    return DWORD(v);
}

/// A colour as a word: red | green << 8 | blue << 16.
inline DWORD PackColor(float r, float g, float b) {
    return PackChannel(r) | PackChannel(g) << 8 | PackChannel(b) << 16;
}

/// Turns the 8-bit hue by an angle in turns, 255 steps per turn, truncating
/// toward zero and wrapping modulo 256. An angle too large for an int is
/// first reduced modulo 256 steps, which keeps the sign and so gives the
/// same low 8 bits; NaN and infinities give hue 0.
inline int RotateHue(int h, double turns) {
    const double steps = turns * 255.0 + double(h);
    if (steps > -2147483648.0 && steps < 2147483648.0) return int(steps) & 0xff;
    const double reduced = std::fmod(steps, 256.0);
    if (reduced != reduced) return 0;
    return int(reduced) & 0xff;
}

/// x truncated toward zero and capped at 255 from above only: a result below 0
/// stays negative (bounded at the most negative int); NaN gives 0.
inline int TruncCapped255(double x) {
    if (x != x) return 0;
    if (x >= 255.0) return 255;
    if (x <= double(INT32_MIN)) return INT32_MIN;
    return int(x);
}

/// Saturation or value after gain and offset (offset in fractions of 255).
inline int GainOffset8(int x, float gain, float offset) {
    return TruncCapped255(double(x) * double(gain) + double(offset) * 255.0);
}

/// The input channel a source code selects: 0 red, 1 green, anything else blue.
inline int SelectChannel(int source, DWORD rgb) {
    const int shift = source == 0 ? 0 : source == 1 ? 8 : 16;
    return int((rgb >> shift) & 0xff);
}

/// Contrast around 127, brightness, then gain over 256 and offset; unclamped.
/// `brightness255` is the brightness already multiplied by 255.
inline float OutputChannel(int in, float contrast, double brightness255, float gain,
                           float offset) {
    const double level = double(in - 127) * double(contrast) + brightness255 + 127.0;
    return float(level * double(gain) * 0.00390625 + double(offset));
}

}  // namespace tintora

namespace tintora {

/// The correction of one colour word when no slot scales a value: every step
/// after the conversion to hue, saturation and value depends on one 8-bit
/// number only, so the update tabulates each step once with the functions
/// above and a sample looks its values up. Filled from the same functions,
/// the tables give exactly what the steps give.
struct FixedCorrection {
    int hue[256];                ///< RotateHue of each hue
    int sat[256];                ///< saturation after gain and offset (0 with mono)
    int val[256];                ///< value after gain and offset
    float out[3][256];           ///< each output channel for each input byte
    int shift[3];                ///< bit position of each output's input channel

    FixedCorrection() = default;
    FixedCorrection(double hueTurns, bool mono, float satGain, float satOffset, float valGain,
                    float valOffset, float contrast, double brightness255, const int sources[3],
                    const float gains[3], const float offsets[3]) {
        for (int x = 0; x < 256; ++x) {
            hue[x] = RotateHue(x, hueTurns);
            sat[x] = mono ? 0 : GainOffset8(x, satGain, satOffset);
            val[x] = GainOffset8(x, valGain, valOffset);
        }
        for (int c = 0; c < 3; ++c) {
            shift[c] = sources[c] == 0 ? 0 : sources[c] == 1 ? 8 : 16;
            for (int in = 0; in < 256; ++in)
                out[c][in] = OutputChannel(in, contrast, brightness255, gains[c], offsets[c]);
        }
    }

    /// The corrected colour of the converted hue, saturation and value, given
    /// the host's conversion back; outside 0..255 (which the host's conversion
    /// never gives) the caller falls back to the steps themselves.
    static bool InTable(int h, int s, int v) { return (unsigned(h) | unsigned(s) | unsigned(v)) < 256u; }
};

}  // namespace tintora
