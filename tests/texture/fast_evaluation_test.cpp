// The tabulated and batched evaluation against a plain reference: the
// correction written out step by step from the per-step functions, over many
// random colours and parameter sets, extreme values included.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "host/color_convert.h"
#include "test_textures.h"
#include "texture/color_pipeline.h"

namespace {

using namespace tintora;

/// A source whose colour at a sample is colours[u], u being the sample's index.
class IndexedSource : public StdTexmap {
public:
    std::vector<ColorRGBA> colours;
    ColorRGBA EvaluateColor(ShadingContext& sc) override {
        return colours[std::size_t(sc.UV().x)];
    }
    RefResult OnReferenceMessage(Interval, RefTargetHandle, PartID&, RefMessage) override { return REF_SUCCEED; }
    ReferenceTarget* Clone(RemapDir&) override {
        auto* copy = new IndexedSource;
        copy->colours = colours;
        return copy;
    }
};

class IndexContext : public ShadingContext {
public:
    explicit IndexContext(int i = 0) : index(i) {}
    TimeValue CurTime() const override { return 0; }
    Point2 UV() const override { return {float(index), 0.0f}; }
    Vector3 P() const override { return {}; }
    void SetShadeTag(int tag) override { lastTag = tag; }
    int index;
    int lastTag = 0;
};

// The correction as the steps describe it, one function per step, with the
// effective values formed from the cache and the slot scales.
ColorRGBA Reference(const TintoraCache& c, const ColorRGBA& src, const float scale[TINTORA_NUM_SLOTS]) {
    int h, s, v;
    RGBtoHSV(PackColor(src.r, src.g, src.b), &h, &s, &v);
    h = RotateHue(h, double(c.hueOffset) + double(c.hueGain * scale[MAP_HUE_GAIN]));
    s = c.mono ? 0 : GainOffset8(s, c.satGain * scale[MAP_SAT_GAIN], c.satOffset * scale[MAP_SAT_OFFSET]);
    v = GainOffset8(v, c.valGain * scale[MAP_VAL_GAIN], c.valOffset * scale[MAP_VAL_OFFSET]);
    const DWORD rgb = HSVtoRGB(h, s, v);
    const double bb = double(c.brightness) * 255.0;
    const auto out = [&](int source, float gain, float offset) {
        return OutputChannel(SelectChannel(source, rgb), c.contrast, bb, gain, offset);
    };
    return {out(c.rSource, c.rGain * scale[MAP_R_GAIN], c.rOffset * scale[MAP_R_OFFSET]),
            out(c.gSource, c.gGain * scale[MAP_G_GAIN], c.gOffset * scale[MAP_G_OFFSET]),
            out(c.bSource, c.bGain * scale[MAP_B_GAIN], c.bOffset * scale[MAP_B_OFFSET]), src.a};
}

bool SameBits(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }

::testing::AssertionResult SameColour(const ColorRGBA& got, const ColorRGBA& want) {
    if (SameBits(got.r, want.r) && SameBits(got.g, want.g) && SameBits(got.b, want.b) && SameBits(got.a, want.a))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << got.r << ", " << got.g << ", " << got.b << ", " << got.a
                                         << "), want (" << want.r << ", " << want.g << ", " << want.b << ", "
                                         << want.a << ")";
}

class RandomValues {
public:
    explicit RandomValues(unsigned seed) : engine(seed) {}

    // Mostly ordinary values, sometimes the ends of the float range.
    float Parameter(float low, float high) {
        static constexpr float kExtremes[] = {0.0f, -0.0f, 1e30f, -1e30f, 3e9f, -3e9f,
                                              std::numeric_limits<float>::infinity(),
                                              -std::numeric_limits<float>::infinity(),
                                              std::numeric_limits<float>::quiet_NaN(), 100.0f, 360.0f, -360.0f};
        if (Chance(0.1)) return kExtremes[Pick(std::size(kExtremes))];
        return std::uniform_real_distribution<float>(low, high)(engine);
    }
    // Exact bytes, values beyond 0..1, and now and then NaN.
    float Channel() {
        if (Chance(0.5)) return float(Pick(256)) / 255.0f;
        if (Chance(0.02)) return std::numeric_limits<float>::quiet_NaN();
        return std::uniform_real_distribution<float>(-0.5f, 1.5f)(engine);
    }
    ColorRGBA Colour() { return {Channel(), Channel(), Channel(), std::uniform_real_distribution<float>(0, 1)(engine)}; }
    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(engine); }
    std::size_t Pick(std::size_t n) { return std::size_t(Int(0, int(n) - 1)); }

private:
    std::mt19937 engine;
};

void RandomParameters(TintoraMap& map, RandomValues& random) {
    IParamBlock* pb = map.ParamBlock();
    for (int param : {PB_HUE_OFFSET, PB_HUE_GAIN})
        pb->SetValue(param, 0, random.Parameter(-720.0f, 720.0f));
    for (int param : {PB_SAT_OFFSET, PB_SAT_GAIN, PB_VAL_OFFSET, PB_VAL_GAIN, PB_CONTRAST, PB_BRIGHTNESS,
                      PB_R_OFFSET, PB_R_GAIN, PB_G_OFFSET, PB_G_GAIN, PB_B_OFFSET, PB_B_GAIN})
        pb->SetValue(param, 0, random.Parameter(-300.0f, 300.0f));
    for (int param : {PB_R_SOURCE, PB_G_SOURCE, PB_B_SOURCE}) pb->SetValue(param, 0, random.Int(-2, 4));
    pb->SetValue(PB_INVERT, 0, random.Int(0, 1));
    pb->SetValue(PB_MONO, 0, random.Chance(0.2) ? random.Int(1, 3) : 0);
    pb->SetValue(PB_COLORIZE, 0, random.Int(0, 1));
    pb->SetValue(PB_SOURCE_COLOR, 0, Color(random.Channel(), random.Channel(), random.Channel()));
}

// Colours in runs, as neighbouring pixels of an image often are.
std::vector<ColorRGBA> RandomColours(RandomValues& random, int count) {
    std::vector<ColorRGBA> colours;
    while (int(colours.size()) < count) {
        ColorRGBA c = random.Colour();
        for (int run = random.Chance(0.3) ? random.Int(1, 5) : 1; run > 0 && int(colours.size()) < count; --run) {
            colours.push_back(c);
            c.a = random.Colour().a;  // equal colours with different alphas
        }
    }
    return colours;
}

struct Samples {
    std::vector<IndexContext> contexts;
    std::vector<ShadingContext*> pointers;
    explicit Samples(int count) : contexts(std::size_t(count)) {
        for (int i = 0; i < count; ++i) {
            contexts[std::size_t(i)].index = i;
            pointers.push_back(&contexts[std::size_t(i)]);
        }
    }
};

constexpr int kParameterSets = 300;
constexpr int kColoursPerSet = 200;

// Each parameter set once with the source only, once with scaling slots
// filled, once with no source at all.
enum class Slots { SourceOnly, Scaled, Empty };

void CheckAgainstReference(Slots slots, unsigned seed) {
    RandomValues random(seed);
    for (int set = 0; set < kParameterSets; ++set) {
        auto map = NewTintora();
        RandomParameters(*map, random);
        map->SetShadeTag(random.Chance(0.5) ? 7 : 0);
        auto* source = new IndexedSource;
        source->colours = RandomColours(random, kColoursPerSet);
        if (slots != Slots::Empty) map->SetSubTexmap(MAP_SOURCE, source);
        float scale[TINTORA_NUM_SLOTS];
        for (float& s : scale) s = 1.0f;
        if (slots == Slots::Scaled) {
            for (int slot = MAP_SOURCE + 1; slot < TINTORA_NUM_SLOTS; ++slot) {
                if (!random.Chance(0.5)) continue;
                auto* sub = new FixedTexmap("scale");
                sub->color = {1, 1, 1, 1};
                sub->mono = scale[slot] = random.Parameter(-2.0f, 2.0f);
                map->SetSubTexmap(slot, sub);
            }
        }
        Interval valid = WHOLE_INTERVAL;
        map->Update(0, valid);
        const TintoraCache cache = map->Cache();

        Samples samples(kColoursPerSet);
        std::vector<ColorRGBA> batch(kColoursPerSet);
        map->EvaluateColors(samples.pointers.data(), kColoursPerSet, batch.data());
        for (int i = 0; i < kColoursPerSet; ++i) {
            const ColorRGBA src = slots == Slots::Empty
                                      ? ColorRGBA{cache.sourceColor.r, cache.sourceColor.g, cache.sourceColor.b, 1.0f}
                                      : source->colours[std::size_t(i)];
            IndexContext sc(i);
            const ColorRGBA single = map->EvaluateColor(sc);
            const std::string where = "set " + std::to_string(set) + ", sample " + std::to_string(i);
            ASSERT_TRUE(SameColour(single, Reference(cache, src, scale))) << where;
            ASSERT_TRUE(SameColour(batch[std::size_t(i)], single)) << where << " (batch)";
            ASSERT_EQ(samples.contexts[std::size_t(i)].lastTag, map->ShadeTag()) << where;
        }
        if (slots == Slots::Empty) delete source;
    }
}

TEST(FastEvaluation, SourceOnlyMatchesTheStepsAndTheBatchMatchesEachSample) {
    CheckAgainstReference(Slots::SourceOnly, 1);
}

TEST(FastEvaluation, ScaledValuesMatchTheStepsAndTheBatchMatchesEachSample) {
    CheckAgainstReference(Slots::Scaled, 2);
}

TEST(FastEvaluation, ConstantSourceMatchesTheStepsAndTheBatchMatchesEachSample) {
    CheckAgainstReference(Slots::Empty, 3);
}

// Colour words spread over the whole cube: the tables agree with the steps for every hue,
// saturation and value the host's conversion gives.
TEST(FastEvaluation, EveryColourWordMatchesTheSteps) {
    RandomValues random(4);
    for (int set = 0; set < 3; ++set) {
        auto map = NewTintora();
        RandomParameters(*map, random);
        auto* source = new IndexedSource;
        for (int word = 0; word < (1 << 24); word += 7 + (word & 31)) {
            source->colours.push_back({float(word & 255) / 255.0f, float((word >> 8) & 255) / 255.0f,
                                       float(word >> 16) / 255.0f, 1.0f});
        }
        map->SetSubTexmap(MAP_SOURCE, source);
        Interval valid = WHOLE_INTERVAL;
        map->Update(0, valid);
        const TintoraCache cache = map->Cache();
        const int count = int(source->colours.size());
        Samples samples(count);
        std::vector<ColorRGBA> batch(static_cast<std::size_t>(count));
        map->EvaluateColors(samples.pointers.data(), count, batch.data());
        float scale[TINTORA_NUM_SLOTS];
        for (float& s : scale) s = 1.0f;
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(SameColour(batch[std::size_t(i)], Reference(cache, source->colours[std::size_t(i)], scale)))
                << "set " << set << ", sample " << i;
    }
}

// Slots filled or emptied after the update take effect at the next sample,
// per sample and in a batch: filling one, then a second, then emptying the
// first, then the second, each step checked against the steps themselves.
// Moderate values and saturated colours, so that every slot's scale shows.
TEST(FastEvaluation, SlotsChangedAfterTheUpdateTakeEffectAtOnce) {
    constexpr int kCount = 20;
    std::vector<ColorRGBA> colours;
    for (int i = 0; i < kCount; ++i)
        colours.push_back({float(60 + 7 * i) / 255.0f, float(200 - 5 * i) / 255.0f, float(90 + (i * 37) % 100) / 255.0f,
                           0.5f});
    for (int first = MAP_SOURCE + 1; first < TINTORA_NUM_SLOTS; ++first) {
        const int second = first % (TINTORA_NUM_SLOTS - 1) + 1;
        auto map = NewTintora();
        IParamBlock* pb = map->ParamBlock();
        const std::pair<int, float> values[] = {
            {PB_HUE_OFFSET, 30.0f}, {PB_HUE_GAIN, 40.0f}, {PB_SAT_OFFSET, 10.0f}, {PB_SAT_GAIN, 60.0f},
            {PB_VAL_OFFSET, 20.0f}, {PB_VAL_GAIN, 70.0f}, {PB_R_OFFSET, 5.0f},    {PB_R_GAIN, 90.0f},
            {PB_G_OFFSET, -5.0f},   {PB_G_GAIN, 110.0f},  {PB_B_OFFSET, 15.0f},   {PB_B_GAIN, 80.0f}};
        for (const auto& [param, value] : values) pb->SetValue(param, 0, value);
        auto* source = new IndexedSource;
        source->colours = colours;
        map->SetSubTexmap(MAP_SOURCE, source);
        Interval valid = WHOLE_INTERVAL;
        map->Update(0, valid);
        const TintoraCache cache = map->Cache();
        float scale[TINTORA_NUM_SLOTS];
        for (float& s : scale) s = 1.0f;
        const auto fill = [&](int slot, float value) {
            auto* sub = new FixedTexmap("scale");
            sub->mono = scale[slot] = value;
            map->SetSubTexmap(slot, sub);
        };
        const auto empty = [&](int slot) {
            map->SetSubTexmap(slot, nullptr);
            scale[slot] = 1.0f;
        };
        const auto check = [&](const char* step) {
            Samples samples(kCount);
            std::vector<ColorRGBA> batch(kCount);
            map->EvaluateColors(samples.pointers.data(), kCount, batch.data());
            for (int i = 0; i < kCount; ++i) {
                IndexContext sc(i);
                const ColorRGBA want = Reference(cache, colours[std::size_t(i)], scale);
                ASSERT_TRUE(SameColour(map->EvaluateColor(sc), want)) << step << ", slot " << first << ", " << i;
                ASSERT_TRUE(SameColour(batch[std::size_t(i)], want)) << step << " (batch), slot " << first;
            }
        };
        fill(first, 0.5f);
        check("first filled");
        fill(second, 0.25f);
        check("both filled");
        empty(first);
        check("first emptied");
        empty(second);
        check("both emptied");
    }
}

// A batch may start with any colour, repeat it, and follow it with colours
// that differ in one channel only, or only in sign or alpha.
TEST(FastEvaluation, BatchOfAnyLeadingColourAndItsNeighboursMatchesEachSample) {
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInf = std::numeric_limits<float>::infinity();
    const ColorRGBA leads[] = {{0, 0, 0, 1},    {-1, -1, -1, 0},      {kNaN, kNaN, kNaN, 1}, {1, 1, 1, 1},
                               {-0.0f, 0, 0, 1}, {kInf, -kInf, 0.5f, 1}, {0.2f, 0.4f, 0.6f, 0.3f}};
    for (const ColorRGBA& lead : leads) {
        auto map = NewTintora();
        map->ParamBlock()->SetValue(PB_HUE_OFFSET, 0, 60.0f);
        map->ParamBlock()->SetValue(PB_VAL_OFFSET, 0, 10.0f);
        auto* source = new IndexedSource;
        source->colours = {lead, lead, {lead.r, lead.g, 0.5f, lead.a}, {lead.r, lead.g, 0.5f, 0.75f},
                           lead, {-lead.r, lead.g, lead.b, lead.a}, {0, 0, 0, 0}, lead};
        map->SetSubTexmap(MAP_SOURCE, source);
        Interval valid = WHOLE_INTERVAL;
        map->Update(0, valid);
        const int count = int(source->colours.size());
        Samples samples(count);
        std::vector<ColorRGBA> batch(std::size_t(count), ColorRGBA{9, 9, 9, 9});
        map->EvaluateColors(samples.pointers.data(), count, batch.data());
        for (int i = 0; i < count; ++i) {
            IndexContext sc(i);
            EXPECT_TRUE(SameColour(batch[std::size_t(i)], map->EvaluateColor(sc)))
                << "lead (" << lead.r << ", " << lead.g << ", " << lead.b << "), sample " << i;
        }
    }
}

// Before the first update the texture evaluates its start values the plain
// way, batch or not.
TEST(FastEvaluation, BatchBeforeAnyUpdateMatchesEachSample) {
    auto map = NewTintora();
    auto* source = new IndexedSource;
    RandomValues random(5);
    source->colours = RandomColours(random, 50);
    map->SetSubTexmap(MAP_SOURCE, source);
    Samples samples(50);
    std::vector<ColorRGBA> batch(50);
    map->EvaluateColors(samples.pointers.data(), 50, batch.data());
    for (int i = 0; i < 50; ++i) {
        IndexContext sc(i);
        EXPECT_TRUE(SameColour(batch[std::size_t(i)], map->EvaluateColor(sc))) << i;
    }
}

}  // namespace
