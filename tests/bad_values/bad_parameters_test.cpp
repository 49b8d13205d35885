// NaN, infinities and ±1e30 in every parameter of the Tintora texture and
// the standard textures: updating, evaluating, saving, loading and
// rendering never crash or hang, and always give the same answer for the
// same input (run under the sanitizers, undefined conversions fail too).

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "bad_values.h"
#include "module/tintora_class_desc.h"
#include "studio/core/param_block.h"
#include "studio/render/renderer.h"
#include "studio/scene/scene.h"
#include "studio/textures/standard_class_ids.h"
#include "studio/textures/standard_classes.h"
#include "texture/param_table.h"
#include "texture/tintora_class.h"

namespace {

using namespace bad_values;
namespace fs = std::filesystem;

class Sample : public ShadingContext {
public:
    Sample(float u, float v, TimeValue t = 0) : uv{u, v}, time(t) {}
    TimeValue CurTime() const override { return time; }
    Point2 UV() const override { return uv; }
    Vector3 P() const override { return {uv.x, uv.y, 0.0f}; }
    void SetShadeTag(int) override {}

private:
    Point2 uv;
    TimeValue time;
};

const ClassRegistry& Classes() {
    static const ClassRegistry classes = [] {
        ClassRegistry registry;
        RegisterStandardTextures(registry);
        registry.Add(&TintoraClassDesc);
        return registry;
    }();
    return classes;
}

struct DeleteThis {
    void operator()(Animatable* a) const { a->DeleteThis(); }
};
using TexPtr = std::unique_ptr<Texmap, DeleteThis>;

TexPtr Create(Class_ID id) {
    ClassDesc* desc = Classes().Find(TEXMAP_CLASS_ID, id);
    return TexPtr(desc ? dynamic_cast<Texmap*>(desc->CreateTexture(0)) : nullptr);
}

IParamBlock& Params(Texmap& map) {
    auto* block = dynamic_cast<IParamBlock*>(map.GetReference(0));
    if (!block) throw std::logic_error("texture without a parameter block");
    return *block;
}

/// Every parameter of `block` of type `type`.
std::vector<int> ParamsOfType(IParamBlock& block, int type) {
    std::vector<int> found;
    for (int i = 0; i < block.NumParams(); ++i)
        if (block.GetParameterType(i) == type) found.push_back(i);
    return found;
}

/// Samples inside texture space, far outside it, and at no place at all.
std::vector<Sample> Samples(TimeValue t = 0) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    return {Sample(0.25f, 0.75f, t), Sample(-1e30f, 1e30f, t), Sample(nan, inf, t), Sample(-inf, 0.5f, t)};
}

/// Updates `map` at t and evaluates it at every sample, twice: the answers
/// must agree bit for bit (nothing uninitialised, nothing left over).
std::vector<ColorRGBA> EvaluateTwice(Texmap& map, TimeValue t = 0) {
    std::vector<ColorRGBA> first;
    for (int pass = 0; pass < 2; ++pass) {
        Interval valid = WHOLE_INTERVAL;
        map.Update(t, valid);
        std::size_t k = 0;
        for (Sample& sample : Samples(t)) {
            const ColorRGBA color = map.EvaluateColor(sample);
            map.EvaluateMono(sample);
            map.EvaluatePerturbation(sample);
            if (pass == 0) first.push_back(color);
            else EXPECT_TRUE(SameBits(color, first[k])) << "sample " << k;
            ++k;
        }
    }
    return first;
}

class BadFloat : public testing::TestWithParam<NamedFloat> {};

TEST_P(BadFloat, EachTintoraParameterAlone) {
    const float value = GetParam().value;
    TexPtr probe = Create(TINTORA_CLASS_ID);
    ASSERT_NE(probe, nullptr);
    for (int i : ParamsOfType(Params(*probe), TYPE_FLOAT)) {
        SCOPED_TRACE(TintoraParams[i].key);
        TexPtr map = Create(TINTORA_CLASS_ID);
        Params(*map).SetValue(PB_SOURCE_COLOR, 0, Color(1.0f, 0.5f, 0.25f));
        ASSERT_TRUE(Params(*map).SetValue(i, 0, value));
        for (const ColorRGBA& c : EvaluateTwice(*map)) EXPECT_EQ(c.a, 1.0f);
    }
}

TEST_P(BadFloat, EveryTintoraParameterAtOnceOverSubTextures) {
    const float value = GetParam().value;
    TexPtr map = Create(TINTORA_CLASS_ID);
    IParamBlock& params = Params(*map);
    for (int i : ParamsOfType(params, TYPE_FLOAT)) params.SetValue(i, 0, value);
    params.SetValue(PB_SOURCE_COLOR, 0, Color(value, value, value));
    // A bad colour and bad values from every slot, through a nested Tintora.
    TexPtr constant = Create(CONSTANT_TEX_CLASS_ID);
    Params(*constant).SetValue(0, 0, Color(value, -value, value));
    TexPtr inner = Create(TINTORA_CLASS_ID);
    Params(*inner).SetValue(PB_SOURCE_COLOR, 0, Color(value, 0.0f, 1.0f));
    for (int slot = 0; slot < map->SubTexmapCount(); ++slot)
        map->SetSubTexmap(slot, slot % 2 ? constant.get() : inner.get());
    EvaluateTwice(*map);
    map->SetSubTexmap(MAP_SOURCE, nullptr);
    for (const ColorRGBA& c : EvaluateTwice(*map)) EXPECT_EQ(c.a, 1.0f);
}

TEST_P(BadFloat, AnimatedTowardsABadKey) {
    const float value = GetParam().value;
    TexPtr map = Create(TINTORA_CLASS_ID);
    IParamBlock& params = Params(*map);
    studio::SetAutoKey(true);
    for (int i : ParamsOfType(params, TYPE_FLOAT)) {
        params.SetValue(i, 0, 10.0f);
        params.SetValue(i, 4800, value);
    }
    params.SetValue(PB_SOURCE_COLOR, 0, Color(0.5f, 0.5f, 0.5f));
    params.SetValue(PB_SOURCE_COLOR, 4800, Color(value, value, value));
    studio::SetAutoKey(false);
    for (TimeValue t : {0, 1200, 4800, 9600, TIME_PosInfinity, TIME_NegInfinity}) EvaluateTwice(*map, t);
}

TEST_P(BadFloat, EveryParameterOfTheStandardTextures) {
    const float value = GetParam().value;
    for (Class_ID id : {CHECKER_TEX_CLASS_ID, NOISE_TEX_CLASS_ID, CONSTANT_TEX_CLASS_ID,
                        GRADIENT_TEX_CLASS_ID, MIX_TEX_CLASS_ID, BITMAP_TEX_CLASS_ID}) {
        TexPtr map = Create(id);
        ASSERT_NE(map, nullptr);
        CStr className;
        map->FillClassName(className);
        SCOPED_TRACE(className.str());
        IParamBlock& params = Params(*map);
        for (int i : ParamsOfType(params, TYPE_FLOAT)) params.SetValue(i, 0, value);
        for (int i : ParamsOfType(params, TYPE_RGBA)) params.SetValue(i, 0, Color(value, value, 0.5f));
        EvaluateTwice(*map);
    }
}

// Saved and loaded through a scene file, each bad value comes back bit for
// bit, and the loaded texture answers exactly as the saved one did.
TEST_P(BadFloat, SurvivesASceneFile) {
    const float value = GetParam().value;
    const fs::path file = fs::path(testing::TempDir()) / (std::string("bad_") + GetParam().name + ".tnts");
    std::vector<ColorRGBA> before;
    {
        Scene scene;
        TexPtr made = Create(TINTORA_CLASS_ID);
        Texmap* map = made.release();
        scene.AddRoot(map);
        IParamBlock& params = Params(*map);
        for (int i : ParamsOfType(params, TYPE_FLOAT)) params.SetValue(i, 0, value);
        params.SetValue(PB_SOURCE_COLOR, 0, Color(value, 0.25f, -value));
        before = EvaluateTwice(*map);
        ASSERT_EQ(scene.Save(file.string()), "");
    }
    SceneLoadResult loaded = Scene::Load(file.string(), Classes());
    ASSERT_TRUE(loaded) << loaded.error;
    Texmap* map = loaded.scene->RootTexmap(0);
    ASSERT_NE(map, nullptr);
    IParamBlock& params = Params(*map);
    for (int i : ParamsOfType(params, TYPE_FLOAT)) {
        float got = 0.0f;
        Interval valid = WHOLE_INTERVAL;
        params.GetValue(i, 0, got, valid);
        EXPECT_TRUE(SameBits(got, value)) << TintoraParams[i].key << " came back as " << got;
    }
    Color color;
    Interval valid = WHOLE_INTERVAL;
    params.GetValue(PB_SOURCE_COLOR, 0, color, valid);
    EXPECT_TRUE(SameBits(color, Color(value, 0.25f, -value)));
    const std::vector<ColorRGBA> after = EvaluateTwice(*map);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t k = 0; k < after.size(); ++k) EXPECT_TRUE(SameBits(after[k], before[k])) << "sample " << k;
}

// The renderer in parallel gives the serial image, bit for bit.
TEST_P(BadFloat, RendersTheSameSeriallyAndInParallel) {
    const float value = GetParam().value;
    TexPtr map = Create(TINTORA_CLASS_ID);
    for (int i : ParamsOfType(Params(*map), TYPE_FLOAT)) Params(*map).SetValue(i, 0, value);
    TexPtr checker = Create(CHECKER_TEX_CLASS_ID);
    for (int i : ParamsOfType(Params(*checker), TYPE_FLOAT)) Params(*checker).SetValue(i, 0, value);
    map->SetSubTexmap(MAP_SOURCE, checker.get());
    RenderSettings settings;
    settings.width = 24;
    settings.height = 16;
    settings.threads = 1;
    const ImageBuffer serial = RenderTexture(*map, 0, settings);
    settings.threads = 2;
    const ImageBuffer parallel = RenderTexture(*map, 0, settings);
    ASSERT_EQ(serial.pixels.size(), 24u * 16u);
    ASSERT_EQ(parallel.pixels.size(), serial.pixels.size());
    for (std::size_t k = 0; k < serial.pixels.size(); ++k)
        ASSERT_TRUE(SameBits(serial.pixels[k], parallel.pixels[k])) << "pixel " << k;
}

INSTANTIATE_TEST_SUITE_P(Values, BadFloat, testing::ValuesIn(kFloats),
                         [](const testing::TestParamInfo<NamedFloat>& param) {
                             std::string name = param.param.name;
                             for (char& c : name)
                                 if (c == '-') c = 'm';
                             return name;
                         });

TEST(BadInt, EveryIntegerParameterOfTintora) {
    TexPtr probe = Create(TINTORA_CLASS_ID);
    const std::vector<int> ints = ParamsOfType(Params(*probe), TYPE_INT);
    std::vector<int> all = ints;
    for (int i : ParamsOfType(Params(*probe), TYPE_BOOL)) all.push_back(i);
    ASSERT_FALSE(all.empty());
    for (int value : kInts) {
        TexPtr map = Create(TINTORA_CLASS_ID);
        for (int i : all) Params(*map).SetValue(i, 0, value);
        Params(*map).SetValue(PB_SOURCE_COLOR, 0, Color(0.9f, 0.4f, 0.1f));
        SCOPED_TRACE(value);
        for (const ColorRGBA& c : EvaluateTwice(*map)) EXPECT_EQ(c.a, 1.0f);
    }
}

}  // namespace
