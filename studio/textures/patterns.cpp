#include "studio/textures/patterns.h"

#include <array>
#include <cmath>

#include "studio/textures/standard_texmap.h"

int CheckerCell(float u, float v, float tiles) {
    // In doubles, so that no coordinate can overflow an integer; the sum of
    // two whole numbers keeps its parity exactly.
    const double sum = std::floor(double(u) * tiles) + std::floor(double(v) * tiles);
    if (!std::isfinite(sum)) return 0;
    return std::fmod(sum, 2.0) != 0.0 ? 1 : 0;
}

namespace {

// A fixed permutation of 0..255, built once by a linear congruential shuffle
// so that every run and every platform get the same noise.
std::array<unsigned char, 512> MakePermutation() {
    std::array<unsigned char, 256> p{};
    for (int i = 0; i < 256; ++i) p[i] = static_cast<unsigned char>(i);
    unsigned state = 0x2545F491u;
    for (int i = 255; i > 0; --i) {
        state = state * 1664525u + 1013904223u;
        std::swap(p[i], p[(state >> 8) % unsigned(i + 1)]);
    }
    std::array<unsigned char, 512> twice{};
    for (int i = 0; i < 512; ++i) twice[i] = p[i & 255];
    return twice;
}

const std::array<unsigned char, 512> perm = MakePermutation();

float Fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }
float Lerp(float a, float b, float t) { return a + (b - a) * t; }

// Dot product of the offset with one of twelve edge directions of a cube.
float Grad(int hash, float x, float y, float z) {
    const int h = hash & 15;
    const float u = h < 8 ? x : y;
    const float v = h < 4 ? y : (h == 12 || h == 14 ? x : z);
    return ((h & 1) ? -u : u) + ((h & 2) ? -v : v);
}

}  // namespace

namespace {

// The lattice cell of a whole number, wrapped into 0..255.
int Cell(float whole) {
    const double m = std::fmod(double(whole), 256.0);
    return int(m < 0.0 ? m + 256.0 : m) & 255;
}

}  // namespace

float GradientNoise(float x, float y, float z) {
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) return 0.0f;
    const float fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    const int X = Cell(fx), Y = Cell(fy), Z = Cell(fz);
    x -= fx;
    y -= fy;
    z -= fz;
    const float u = Fade(x), v = Fade(y), w = Fade(z);
    const int A = perm[X] + Y, AA = perm[A] + Z, AB = perm[A + 1] + Z;
    const int B = perm[X + 1] + Y, BA = perm[B] + Z, BB = perm[B + 1] + Z;
    return Lerp(Lerp(Lerp(Grad(perm[AA], x, y, z), Grad(perm[BA], x - 1, y, z), u),
                     Lerp(Grad(perm[AB], x, y - 1, z), Grad(perm[BB], x - 1, y - 1, z), u), v),
                Lerp(Lerp(Grad(perm[AA + 1], x, y, z - 1), Grad(perm[BA + 1], x - 1, y, z - 1), u),
                     Lerp(Grad(perm[AB + 1], x, y - 1, z - 1), Grad(perm[BB + 1], x - 1, y - 1, z - 1), u), v),
                w);
}

float GradientPosition(float u, float v, int axis) {
    const float s = axis == 1 ? v : u;
    return s > 1.0f ? 1.0f : (s >= 0.0f ? s : 0.0f);
}

Color GradientColor(const Color& c1, const Color& c2, const Color& c3, bool threeColors, float s) {
    if (!threeColors) return Mix(c1, c2, s);
    return s < 0.5f ? Mix(c1, c2, s * 2.0f) : Mix(c2, c3, (s - 0.5f) * 2.0f);
}
