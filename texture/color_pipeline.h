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
