#include "studio/qt/preview_render.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "studio/render/shading_context.h"

namespace studio::qt {
namespace {

float Clamp01(float v) { return std::isfinite(v) ? std::clamp(v, 0.0f, 1.0f) : 0.0f; }

int Byte(float v) { return int(Clamp01(v) * 255.0f + 0.5f); }

// Light and dark grey squares, eight pixels wide.
float Checker(int x, int y) { return ((x / 8 + y / 8) % 2) ? 0.55f : 0.75f; }

QRgb Over(const ColorRGBA& c, float background) {
    const float a = Clamp01(c.a);
    auto mix = [&](float v) { return Byte(Clamp01(v) * a + background * (1.0f - a)); };
    return qRgb(mix(c.r), mix(c.g), mix(c.b));
}

struct Vec {
    float x, y, z;
};
float Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec Normalized(Vec v) {
    const float len = std::sqrt(Dot(v, v));
    return {v.x / len, v.y / len, v.z / len};
}

const Vec keyLight = Normalized({-0.55f, 0.6f, 0.75f});
const Vec halfway = Normalized({keyLight.x, keyLight.y, keyLight.z + 1.0f});

// The shaded colour of the sphere at normal `n`, with the texture's colour `c`.
ColorRGBA Shade(Vec n, const ColorRGBA& c) {
    const float diffuse = std::max(0.0f, Dot(n, keyLight));
    const float rim = 0.12f * (1.0f - n.z);
    const float specular = 0.35f * std::pow(std::max(0.0f, Dot(n, halfway)), 40.0f);
    const float light = 0.18f + 0.82f * diffuse + rim;
    return {Clamp01(c.r) * light + specular, Clamp01(c.g) * light + specular, Clamp01(c.b) * light + specular,
            1.0f};
}

}  // namespace

QImage RenderSwatch(Texmap& texture, TimeValue t, int size, const StopCheck& stop) {
    QImage image(size, size, QImage::Format_RGB32);
    StudioShadingContext sc;
    sc.SetTime(t);
    for (int y = 0; y < size; ++y) {
        if (stop()) return {};
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const float v = 1.0f - (float(y) + 0.5f) / float(size);
        for (int x = 0; x < size; ++x) {
            const float u = (float(x) + 0.5f) / float(size);
            sc.SetUV({u, v});
            sc.SetP({u, v, 0.0f});
            row[x] = Over(texture.EvaluateColor(sc), Checker(x, y));
        }
    }
    return image;
}

QImage RenderSphere(Texmap& texture, TimeValue t, int size, const StopCheck& stop) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    StudioShadingContext sc;
    sc.SetTime(t);
    const float radius = float(size) * 0.46f;
    const float centre = float(size) / 2.0f;
    constexpr float pi = std::numbers::pi_v<float>;
    for (int y = 0; y < size; ++y) {
        if (stop()) return {};
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size; ++x) {
            const float px = (float(x) + 0.5f - centre) / radius;
            const float py = (centre - float(y) - 0.5f) / radius;
            const float r = std::sqrt(px * px + py * py);
            // Coverage over the last pixel of the outline smooths the edge.
            const float coverage = Clamp01((1.0f - r) * radius + 0.5f);
            if (coverage <= 0.0f) continue;
            const float rr = std::min(r, 1.0f);
            const Vec n = r > 0.0f ? Vec{px / r * rr, py / r * rr, std::sqrt(1.0f - rr * rr)} : Vec{0, 0, 1};
            sc.SetUV({0.5f + std::atan2(n.x, n.z) / (2.0f * pi), 0.5f + std::asin(std::clamp(n.y, -1.0f, 1.0f)) / pi});
            sc.SetP({n.x, n.y, n.z});
            const ColorRGBA c = Shade(n, texture.EvaluateColor(sc));
            row[x] = qPremultiply(qRgba(Byte(c.r), Byte(c.g), Byte(c.b), Byte(coverage)));
        }
    }
    return image;
}

}  // namespace studio::qt
