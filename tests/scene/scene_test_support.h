#pragma once

// Helpers shared by the scene tests: building graphs, comparing what they
// evaluate to, and reading scenes back from bytes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "studio/core/param_block.h"
#include "studio/core/streams.h"
#include "studio/render/shading_context.h"
#include "studio/scene/scene.h"
#include "studio/textures/mix_texture.h"
#include "studio/textures/simple_textures.h"
#include "studio/textures/standard_classes.h"

namespace scene_test {

/// What a texture shows over a 5x5 grid of samples at time t: colour, mono
/// and perturbation of each.
inline std::vector<float> Evaluate(Texmap& tex, TimeValue t) {
    Interval valid = WHOLE_INTERVAL;
    tex.Update(t, valid);
    std::vector<float> values;
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j) {
            const Point2 uv{0.07f + 0.21f * float(i), 0.11f + 0.19f * float(j)};
            StudioShadingContext sc(uv, {uv.x, uv.y, 0.0f}, t);
            const ColorRGBA c = tex.EvaluateColor(sc);
            const Vector3 p = tex.EvaluatePerturbation(sc);
            values.insert(values.end(), {c.r, c.g, c.b, c.a, tex.EvaluateMono(sc), p.x, p.y, p.z});
        }
    return values;
}

inline const std::vector<TimeValue> kTimes = {-50, 0, 40, 80, 125, 160, 400};

/// Expects `a` and `b` to evaluate equal at every time of kTimes.
inline void ExpectSameEverywhere(Texmap& a, Texmap& b, const std::string& what) {
    for (TimeValue t : kTimes) EXPECT_EQ(Evaluate(a, t), Evaluate(b, t)) << what << " at time " << t;
}

inline studio::Bytes SceneBytes(Scene& scene) {
    studio::MemorySave out;
    EXPECT_EQ(scene.SaveTo(out), "");
    return out.Data();
}

inline ClassRegistry StandardClasses() {
    ClassRegistry classes;
    RegisterStandardTextures(classes);
    return classes;
}

/// Animates parameter `param` of `tex`'s block with keys at 0 and 160.
template <typename T>
void Animate(IParamBlock& block, int param, T at0, T at160) {
    studio::SetAutoKey(true);
    block.SetValue(param, 0, at0);
    block.SetValue(param, 160, at160);
    studio::SetAutoKey(false);
}

/// A mix of a shared animated checker (in two slots) and an animated noise,
/// beside a gradient root and the shared checker as a root of its own.
inline void BuildStandardGraph(Scene& scene) {
    auto* mix = new MixTex;
    auto* checker = new CheckerTex;
    auto* noise = new NoiseTex;
    auto* gradient = new GradientTex;
    mix->SetName("mixer");
    checker->SetName("board");
    Animate(*checker->ParamBlock(), CheckerTex::TILES, 2.0f, 6.0f);
    Animate(*checker->ParamBlock(), CheckerTex::COLOR1, Color(0.1f, 0.2f, 0.3f), Color(0.9f, 0.1f, 0.4f));
    Animate(*noise->ParamBlock(), NoiseTex::PHASE, 0.0f, 3.0f);
    Animate(*mix->ParamBlock(), MixTex::AMOUNT, 0.2f, 0.9f);
    gradient->ParamBlock()->SetValue(GradientTex::THREE_COLORS, 0, 1);
    gradient->ParamBlock()->SetValue(GradientTex::AXIS, 0, 1);
    mix->SetSubTexmap(MixTex::MAP1, checker);
    mix->SetSubTexmap(MixTex::MAP2, noise);
    mix->SetSubTexmap(MixTex::MASK, checker);
    scene.AddRoot(mix);
    scene.AddRoot(gradient);
    scene.AddRoot(checker);
}

}  // namespace scene_test
