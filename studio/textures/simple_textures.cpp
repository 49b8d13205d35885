#include "studio/textures/simple_textures.h"

#include "studio/textures/patterns.h"

namespace {

constexpr ParamBlockDescID constantDesc[] = {{TYPE_RGBA, nullptr, 1, 0}};

constexpr ParamBlockDescID checkerDesc[] = {
    {TYPE_RGBA, nullptr, 1, 0}, {TYPE_RGBA, nullptr, 1, 1}, {TYPE_FLOAT, nullptr, 1, 2}};

constexpr ParamBlockDescID noiseDesc[] = {{TYPE_RGBA, nullptr, 1, 0},
                                          {TYPE_RGBA, nullptr, 1, 1},
                                          {TYPE_FLOAT, nullptr, 1, 2},
                                          {TYPE_FLOAT, nullptr, 1, 3}};

constexpr ParamBlockDescID gradientDesc[] = {{TYPE_RGBA, nullptr, 1, 0},
                                             {TYPE_RGBA, nullptr, 1, 1},
                                             {TYPE_RGBA, nullptr, 1, 2},
                                             {TYPE_BOOL, nullptr, 0, 3},
                                             {TYPE_INT, nullptr, 0, 4}};

constexpr Color black(0.0f, 0.0f, 0.0f), white(1.0f, 1.0f, 1.0f), grey(0.5f, 0.5f, 0.5f);

}  // namespace

// Constant.

std::span<const ParamBlockDescID> ConstantTex::ParamDescs() const { return constantDesc; }
void ConstantTex::WriteDefaults(IParamBlock& block) { block.SetValue(COLOR, 0, grey); }
void ConstantTex::ReadCache(TimeValue t, Interval& valid) { color = ColorAt(COLOR, t, valid); }

ColorRGBA ConstantTex::EvaluateColor(ShadingContext& sc) {
    sc.SetShadeTag(ShadeTag());
    return Opaque(color);
}

// Checker.

std::span<const ParamBlockDescID> CheckerTex::ParamDescs() const { return checkerDesc; }

void CheckerTex::WriteDefaults(IParamBlock& block) {
    block.SetValue(COLOR1, 0, black);
    block.SetValue(COLOR2, 0, white);
    block.SetValue(TILES, 0, 2.0f);
}

void CheckerTex::ReadCache(TimeValue t, Interval& valid) {
    color1 = ColorAt(COLOR1, t, valid);
    color2 = ColorAt(COLOR2, t, valid);
    tiles = FloatAt(TILES, t, valid);
}

ColorRGBA CheckerTex::EvaluateColor(ShadingContext& sc) {
    sc.SetShadeTag(ShadeTag());
    const Point2 uv = sc.UV();
    return Opaque(CheckerCell(uv.x, uv.y, tiles) ? color2 : color1);
}

// Noise.

std::span<const ParamBlockDescID> NoiseTex::ParamDescs() const { return noiseDesc; }

void NoiseTex::WriteDefaults(IParamBlock& block) {
    block.SetValue(COLOR1, 0, black);
    block.SetValue(COLOR2, 0, white);
    block.SetValue(SCALE, 0, 4.0f);
    block.SetValue(PHASE, 0, 0.0f);
}

void NoiseTex::ReadCache(TimeValue t, Interval& valid) {
    color1 = ColorAt(COLOR1, t, valid);
    color2 = ColorAt(COLOR2, t, valid);
    scale = FloatAt(SCALE, t, valid);
    phase = FloatAt(PHASE, t, valid);
}

float NoiseTex::Blend(float u, float v) const {
    const float n = 0.5f + 0.5f * GradientNoise(u * scale, v * scale, phase);
    return n > 1.0f ? 1.0f : (n >= 0.0f ? n : 0.0f);
}

ColorRGBA NoiseTex::EvaluateColor(ShadingContext& sc) {
    sc.SetShadeTag(ShadeTag());
    const Point2 uv = sc.UV();
    return Opaque(Mix(color1, color2, Blend(uv.x, uv.y)));
}

Vector3 NoiseTex::EvaluatePerturbation(ShadingContext& sc) {
    constexpr float h = 1.0f / 1024.0f;
    const Point2 uv = sc.UV();
    const auto mono = [this](float u, float v) {
        const Color c = Mix(color1, color2, Blend(u, v));
        return (c.r + c.g + c.b) / 3.0f;
    };
    return {(mono(uv.x + h, uv.y) - mono(uv.x - h, uv.y)) / (2.0f * h),
            (mono(uv.x, uv.y + h) - mono(uv.x, uv.y - h)) / (2.0f * h), 0.0f};
}

// Gradient.

std::span<const ParamBlockDescID> GradientTex::ParamDescs() const { return gradientDesc; }

void GradientTex::WriteDefaults(IParamBlock& block) {
    block.SetValue(COLOR1, 0, black);
    block.SetValue(COLOR2, 0, white);
    block.SetValue(COLOR3, 0, Color(0.2f, 0.4f, 1.0f));
    block.SetValue(THREE_COLORS, 0, 0);
    block.SetValue(AXIS, 0, 0);
}

void GradientTex::ReadCache(TimeValue t, Interval& valid) {
    color1 = ColorAt(COLOR1, t, valid);
    color2 = ColorAt(COLOR2, t, valid);
    color3 = ColorAt(COLOR3, t, valid);
    threeColors = IntAt(THREE_COLORS, t, valid) != 0;
    axis = IntAt(AXIS, t, valid) == 1 ? 1 : 0;
}

ColorRGBA GradientTex::EvaluateColor(ShadingContext& sc) {
    sc.SetShadeTag(ShadeTag());
    const Point2 uv = sc.UV();
    return Opaque(GradientColor(color1, color2, color3, threeColors, GradientPosition(uv.x, uv.y, axis)));
}
