#pragma once

// Procedural standard textures: constant colour, checker, noise, gradient.

#include "studio/textures/standard_class_ids.h"
#include "studio/textures/standard_texmap.h"

/// One colour everywhere.
class ConstantTex final : public StandardTexmap {
public:
    enum Param { COLOR };
    ConstantTex() { ResetAll(); }
    Class_ID ClassID() override { return CONSTANT_TEX_CLASS_ID; }
    const char* ClassNameText() const override { return "Constant"; }
    ColorRGBA EvaluateColor(ShadingContext& sc) override;

protected:
    std::span<const ParamBlockDescID> ParamDescs() const override;
    void WriteDefaults(IParamBlock& block) override;
    void ReadCache(TimeValue t, Interval& valid) override;
    StandardTexmap* NewInstance() const override { return new ConstantTex; }

private:
    Color color;
};

/// Two colours in squares; `tiles` squares per unit of u and of v.
class CheckerTex final : public StandardTexmap {
public:
    enum Param { COLOR1, COLOR2, TILES };
    CheckerTex() { ResetAll(); }
    Class_ID ClassID() override { return CHECKER_TEX_CLASS_ID; }
    const char* ClassNameText() const override { return "Checker"; }
    ColorRGBA EvaluateColor(ShadingContext& sc) override;

protected:
    std::span<const ParamBlockDescID> ParamDescs() const override;
    void WriteDefaults(IParamBlock& block) override;
    void ReadCache(TimeValue t, Interval& valid) override;
    StandardTexmap* NewInstance() const override { return new CheckerTex; }

private:
    Color color1, color2;
    float tiles = 0.0f;
};

/// Smooth gradient noise blending two colours; `scale` features per unit of
/// u and v, `phase` moves through the third dimension (animate it to make
/// the noise flow).
class NoiseTex final : public StandardTexmap {
public:
    enum Param { COLOR1, COLOR2, SCALE, PHASE };
    NoiseTex() { ResetAll(); }
    Class_ID ClassID() override { return NOISE_TEX_CLASS_ID; }
    const char* ClassNameText() const override { return "Noise"; }
    ColorRGBA EvaluateColor(ShadingContext& sc) override;
    /// The slope of the mono value along u and v.
    Vector3 EvaluatePerturbation(ShadingContext& sc) override;

protected:
    std::span<const ParamBlockDescID> ParamDescs() const override;
    void WriteDefaults(IParamBlock& block) override;
    void ReadCache(TimeValue t, Interval& valid) override;
    StandardTexmap* NewInstance() const override { return new NoiseTex; }

private:
    float Blend(float u, float v) const;
    Color color1, color2;
    float scale = 0.0f, phase = 0.0f;
};

/// Two or three colours along u (axis 0) or v (axis 1).
class GradientTex final : public StandardTexmap {
public:
    enum Param { COLOR1, COLOR2, COLOR3, THREE_COLORS, AXIS };
    GradientTex() { ResetAll(); }
    Class_ID ClassID() override { return GRADIENT_TEX_CLASS_ID; }
    const char* ClassNameText() const override { return "Gradient"; }
    ColorRGBA EvaluateColor(ShadingContext& sc) override;

protected:
    std::span<const ParamBlockDescID> ParamDescs() const override;
    void WriteDefaults(IParamBlock& block) override;
    void ReadCache(TimeValue t, Interval& valid) override;
    StandardTexmap* NewInstance() const override { return new GradientTex; }

private:
    Color color1, color2, color3;
    bool threeColors = false;
    int axis = 0;
};
