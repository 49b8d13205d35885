#include "studio/textures/bitmap_sampling.h"

#include <cfloat>
#include <cmath>

namespace {

int Wrap(long long i, int size) {
    const long long m = i % size;
    return int(m < 0 ? m + size : m);
}

// Texture coordinates are single precision, so a pixel centre (x + 0.5) / size
// arrives only to within a few units in the last place. A position that close
// to a centre is taken as the centre, so that sampling an image at its own
// pixel centres gives back its pixels exactly rather than a faint blend.
double SnapToCentre(double position, int size) {
    const double centre = std::round(position);
    const double tolerance = 4.0 * FLT_EPSILON * size;
    return std::abs(position - centre) <= tolerance ? centre : position;
}

ColorRGBA Lerp(const ColorRGBA& a, const ColorRGBA& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

}  // namespace

ColorRGBA SampleBilinear(const ImageBuffer& image, float u, float v) {
    if (image.Empty() || !std::isfinite(u) || !std::isfinite(v)) return {};
    // Only the fraction matters once the image repeats; taking it first keeps
    // huge coordinates from losing the pixel position.
    const double x = SnapToCentre((double(u) - std::floor(double(u))) * image.width - 0.5, image.width);
    const double y =
        SnapToCentre((1.0 - (double(v) - std::floor(double(v)))) * image.height - 0.5, image.height);
    const double x0 = std::floor(x), y0 = std::floor(y);
    const float fx = float(x - x0), fy = float(y - y0);
    const int left = Wrap((long long)x0, image.width), right = Wrap((long long)x0 + 1, image.width);
    const int top = Wrap((long long)y0, image.height), bottom = Wrap((long long)y0 + 1, image.height);
    const ColorRGBA upper = Lerp(image.At(left, top), image.At(right, top), fx);
    const ColorRGBA lower = Lerp(image.At(left, bottom), image.At(right, bottom), fx);
    return Lerp(upper, lower, fy);
}
