// Colour evaluation through the real texture and the studio's parameter block.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <limits>
#include <thread>

#include "host/color_convert.h"
#include "test_textures.h"
#include "texture/color_pipeline.h"

namespace {

struct Setting {
    int param;
    float value;
};

void Apply(TintoraMap& map, const std::vector<Setting>& settings) {
    for (const Setting& s : settings) {
        if (TintoraParamDesc[s.param].type == TYPE_FLOAT)
            map.ParamBlock()->SetValue(s.param, 0, s.value);
        else
            map.ParamBlock()->SetValue(s.param, 0, static_cast<int>(s.value));
    }
}

ColorRGBA Evaluate(TintoraMap& map) {
    Interval valid = WHOLE_INTERVAL;
    map.Update(0, valid);
    LoggingContext sc;
    return map.EvaluateColor(sc);
}

constexpr Color kWhite(1, 1, 1), kBlack(0, 0, 0), kRed(1, 0, 0);

struct ColorCase {
    const char* name;
    Color source;
    std::vector<Setting> settings;
    ColorRGBA expected;
};

class ColorCases : public testing::TestWithParam<ColorCase> {};

TEST_P(ColorCases, GivesExactResult) {
    const ColorCase& c = GetParam();
    auto map = NewTintora();
    map->ParamBlock()->SetValue(PB_SOURCE_COLOR, 0, c.source);
    Apply(*map, c.settings);
    const ColorRGBA got = Evaluate(*map);
    EXPECT_EQ(got.r, c.expected.r);
    EXPECT_EQ(got.g, c.expected.g);
    EXPECT_EQ(got.b, c.expected.b);
    EXPECT_EQ(got.a, c.expected.a);
}

constexpr float k255 = 0.99609375f;  // 255 / 256

INSTANTIATE_TEST_SUITE_P(
    Pipeline, ColorCases,
    testing::Values(
        ColorCase{"DefaultRed", kRed, {}, {k255, 0, 0, 1}},
        ColorCase{"White", kWhite, {}, {k255, k255, k255, 1}},
        ColorCase{"Black", kBlack, {}, {0, 0, 0, 1}},
        ColorCase{"InvertWhite", kWhite, {{PB_INVERT, 1}}, {-0.00390625f, -0.00390625f, -0.00390625f, 1}},
        ColorCase{"InvertBlack", kBlack, {{PB_INVERT, 1}}, {0.9921875f, 0.9921875f, 0.9921875f, 1}},
        ColorCase{"BrightBlack", kBlack, {{PB_BRIGHTNESS, 100}}, {k255, k255, k255, 1}},
        ColorCase{"BrightWhiteUnclamped", kWhite, {{PB_BRIGHTNESS, 100}}, {1.9921875f, 1.9921875f, 1.9921875f, 1}},
        ColorCase{"NoContrastRed", kRed, {{PB_CONTRAST, 0}}, {0.49609375f, 0.49609375f, 0.49609375f, 1}},
        ColorCase{"NoContrastWhite", kWhite, {{PB_CONTRAST, 0}}, {0.49609375f, 0.49609375f, 0.49609375f, 1}},
        ColorCase{"RedGain200", kWhite, {{PB_R_GAIN, 200}}, {1.9921875f, k255, k255, 1}},
        ColorCase{"RedOffset50", kBlack, {{PB_R_OFFSET, 50}}, {0.5f, 0, 0, 1}},
        ColorCase{"SwapRedBlue", kRed, {{PB_R_SOURCE, 2}, {PB_B_SOURCE, 0}}, {0, 0, k255, 1}},
        ColorCase{"AllFromRed", kRed, {{PB_G_SOURCE, 0}, {PB_B_SOURCE, 0}}, {k255, k255, k255, 1}},
        ColorCase{"OddSourceCodeIsBlue", kRed, {{PB_R_SOURCE, 7}}, {0, 0, 0, 1}},
        ColorCase{"MonoRedIsGrey", kRed, {{PB_MONO, 1}}, {k255, k255, k255, 1}},
        ColorCase{"ColorizeIgnored", kRed, {{PB_COLORIZE, 1}}, {k255, 0, 0, 1}},
        ColorCase{"ValueOffsetToBlack", kWhite, {{PB_VAL_OFFSET, -100}}, {0, 0, 0, 1}},
        ColorCase{"HueAnglesCancel", kRed, {{PB_HUE_OFFSET, 90}, {PB_HUE_GAIN, -90}}, {k255, 0, 0, 1}},
        ColorCase{"GreyIgnoresHue", kWhite, {{PB_HUE_OFFSET, 123}}, {k255, k255, k255, 1}}),
    [](const testing::TestParamInfo<ColorCase>& param) { return std::string(param.param.name); });

// A full turn of the hue parameters is 255 steps, not 256: red comes back one
// step short of itself.
TEST(Evaluate, FullTurnOfHueIs255Steps) {
    auto map = NewTintora();
    map->ParamBlock()->SetValue(PB_HUE_OFFSET, 0, 360.0f);
    int h, s, v;
    RGBtoHSV(0x0000ff, &h, &s, &v);
    const DWORD expected = HSVtoRGB((h + 255) & 0xff, s, v);
    ASSERT_NE(expected, 0x0000ffu) << "the colour model must tell the two hues apart";
    const ColorRGBA got = Evaluate(*map);
    EXPECT_EQ(got.r, float(expected & 0xff) / 256.0f);
    EXPECT_EQ(got.g, float((expected >> 8) & 0xff) / 256.0f);
    EXPECT_EQ(got.b, float((expected >> 16) & 0xff) / 256.0f);
}

struct HueCase {
    int h;
    double turns;
    int expected;
};

TEST(ColorPipeline, HueTurnsTruncateTowardZeroAndWrap) {
    const float tenDegrees = -10.0f * (1.0f / 360.0f);
    const HueCase cases[] = {
        {0, 1.0, 255},           // 255 steps: one step back
        {10, 1.0, 9},
        {0, 0.5, 127},           // 127.5 truncates to 127
        {0, tenDegrees, 249},    // -7.08 truncates to -7
        {10, tenDegrees, 2},     // 2.92 truncates to 2
        {200, 2.0, (200 + 510) & 0xff},
        {5, -3.0, (5 - 765) & 0xff},
        {0, 1e30, 0},            // huge angles stay defined
        {0, std::numeric_limits<double>::infinity(), 0},
        {0, std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const HueCase& c : cases) {
        EXPECT_EQ(tintora::RotateHue(c.h, c.turns), c.expected) << c.h << " + " << c.turns;
    }
}

TEST(ColorPipeline, SaturationAndValueCapOnlyFromAbove) {
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(tintora::GainOffset8(200, 2.0f, 0.0f), 255);
    EXPECT_EQ(tintora::GainOffset8(100, 1.0f, -1.0f), -155);
    EXPECT_EQ(tintora::GainOffset8(100, 0.5f, 0.0f), 50);
    EXPECT_EQ(tintora::GainOffset8(101, 0.5f, 0.0f), 50);  // 50.5 truncates
    EXPECT_EQ(tintora::GainOffset8(100, 1e30f, 0.0f), 255);
    EXPECT_EQ(tintora::GainOffset8(100, -1e30f, 0.0f), INT32_MIN);
    EXPECT_EQ(tintora::GainOffset8(100, 1.0f, -inf), INT32_MIN);
    EXPECT_EQ(tintora::GainOffset8(0, inf, 0.0f), 0);  // 0 × inf is NaN
    EXPECT_EQ(tintora::GainOffset8(100, std::nanf(""), 0.0f), 0);
}

TEST(ColorPipeline, PackingSaturatesOutOfRangeChannels) {
    const struct {
        float x;
        DWORD byte;
    } cases[] = {{0.0f, 0},   {1.0f, 255},  {0.5f, 128}, {1.2f, 255}, {-0.1f, 0},
                 {1e30f, 255}, {-1e30f, 0}, {std::nanf(""), 0},
                 {std::numeric_limits<float>::infinity(), 255}};
    for (const auto& c : cases) EXPECT_EQ(tintora::PackChannel(c.x), c.byte) << c.x;
    EXPECT_EQ(tintora::PackColor(1.0f, 0.5f, 0.0f), 0x0080ffu);
}

// Sub-textures are evaluated once each, in the order of the pipeline, after
// the texture has handed over its own shade tag.
TEST(Evaluate, SubTexturesInPipelineOrder) {
    CallLog log;
    auto map = NewTintora();
    map->SetShadeTag(7);
    const char* names[TINTORA_NUM_SLOTS] = {"source", "satOff", "valOff", "hueGain",
                                            "satGain", "valGain", "rOff", "gOff",
                                            "bOff",   "rGain",   "gGain", "bGain"};
    for (int slot = TINTORA_NUM_SLOTS - 1; slot >= 0; --slot) {
        auto* sub = new FixedTexmap(names[slot], &log);
        if (slot == MAP_SOURCE) sub->shadeTagToSet = 9;
        map->SetSubTexmap(slot, sub);
    }
    Interval valid = WHOLE_INTERVAL;
    map->Update(0, valid);
    log.clear();
    LoggingContext sc(&log);
    map->EvaluateColor(sc);
    const CallLog expected = {"tag 7",        "source.color", "tag 9",      "hueGain.mono",
                              "satGain.mono", "satOff.mono",  "valGain.mono", "valOff.mono",
                              "rOff.mono",    "gOff.mono",    "bOff.mono",  "rGain.mono",
                              "gGain.mono",   "bGain.mono"};
    EXPECT_EQ(log, expected);

    log.clear();
    map->ParamBlock()->SetValue(PB_MONO, 0, 1);
    map->Update(0, valid);
    log.clear();
    map->SetShadeTag(0);
    map->EvaluateColor(sc);
    const CallLog monoExpected = {"source.color", "tag 9",     "hueGain.mono", "valGain.mono",
                                  "valOff.mono",  "rOff.mono", "gOff.mono",    "bOff.mono",
                                  "rGain.mono",   "gGain.mono", "bGain.mono"};
    EXPECT_EQ(log, monoExpected) << "mono skips the saturation maps; tag 0 is not handed over";
}

TEST(Evaluate, ModulatingMapScalesItsParameter) {
    auto map = NewTintora();
    map->ParamBlock()->SetValue(PB_SOURCE_COLOR, 0, kWhite);
    auto* half = new FixedTexmap("half");
    half->mono = 0.5f;
    map->SetSubTexmap(MAP_R_GAIN, half);
    const ColorRGBA got = Evaluate(*map);
    EXPECT_EQ(got.r, 0.498046875f);
    EXPECT_EQ(got.g, k255);
    EXPECT_EQ(got.b, k255);
}

// A source beyond 0..1 keeps its end of the scale instead of wrapping around
// to a dark byte; its alpha passes through.
TEST(Evaluate, SourceTextureOutOfRangeSaturatesAndKeepsAlpha) {
    auto map = NewTintora();
    auto* source = new FixedTexmap("source");
    source->color = {1.2f, 0.0f, 0.0f, 0.5f};
    map->SetSubTexmap(MAP_SOURCE, source);
    const ColorRGBA got = Evaluate(*map);
    EXPECT_EQ(got.r, k255);
    EXPECT_EQ(got.g, 0.0f);
    EXPECT_EQ(got.b, 0.0f);
    EXPECT_EQ(got.a, 0.5f);
}

TEST(Evaluate, MonoIsAverageInSinglePrecision) {
    auto map = NewTintora();
    Interval valid = WHOLE_INTERVAL;
    map->Update(0, valid);
    LoggingContext sc;
    EXPECT_EQ(map->EvaluateMono(sc), 0.33203125f);
}

TEST(Evaluate, PerturbationComesFromSourceOnly) {
    auto map = NewTintora();
    LoggingContext sc;
    EXPECT_EQ(map->EvaluatePerturbation(sc), (Vector3{0, 0, 0}));
    auto* source = new FixedTexmap("source");
    map->SetSubTexmap(MAP_SOURCE, source);
    map->ParamBlock()->SetValue(PB_BRIGHTNESS, 0, 50.0f);
    map->SetSubTexmap(MAP_R_GAIN, new FixedTexmap("gain"));
    EXPECT_EQ(map->EvaluatePerturbation(sc), source->perturbation);
}

// Every legal stored value, up to the spinners' limits and beyond, gives a
// defined result; sanitizer builds check that no conversion overflows.
TEST(Evaluate, ExtremeParametersStayDefined) {
    const float inf = std::numeric_limits<float>::infinity();
    const float values[] = {1e30f, -1e30f, inf, -inf, std::nanf("")};
    for (int param = PB_BRIGHTNESS; param <= PB_B_GAIN; ++param) {
        for (float value : values) {
            auto map = NewTintora();
            map->ParamBlock()->SetValue(param, 0, value);
            const ColorRGBA got = Evaluate(*map);
            EXPECT_EQ(got.a, 1.0f) << param << " = " << value;
        }
    }
}

// With every slot empty the update works the result out once; it must equal
// the per-sample path, which runs when a slot holds a texture whose mono
// value (1) leaves every value as it is.
TEST(Evaluate, ConstantResultEqualsPerSamplePath) {
    std::mt19937 random(1234);
    std::uniform_real_distribution<float> percent(-300.0f, 300.0f);
    std::uniform_real_distribution<float> unit(-0.2f, 1.2f);
    const float specials[] = {0.0f, 100.0f, 1e30f, -1e30f, std::numeric_limits<float>::infinity(),
                              std::nanf("")};
    for (int round = 0; round < 300; ++round) {
        auto constant = NewTintora();
        auto sampled = NewTintora();
        auto* identity = new FixedTexmap("one");
        sampled->SetSubTexmap(round % 11 + 1, identity);
        for (int param = PB_BRIGHTNESS; param <= PB_B_GAIN; ++param) {
            const float value = round % 7 == 0 ? specials[(round / 7 + param) % 6] : percent(random);
            constant->ParamBlock()->SetValue(param, 0, value);
            sampled->ParamBlock()->SetValue(param, 0, value);
        }
        for (int param = PB_R_SOURCE; param <= PB_MONO; ++param) {
            const int value = int(random() % 4);
            constant->ParamBlock()->SetValue(param, 0, value);
            sampled->ParamBlock()->SetValue(param, 0, value);
        }
        const Color source(unit(random), unit(random), unit(random));
        constant->ParamBlock()->SetValue(PB_SOURCE_COLOR, 0, source);
        sampled->ParamBlock()->SetValue(PB_SOURCE_COLOR, 0, source);

        const ColorRGBA a = Evaluate(*constant);
        const ColorRGBA b = Evaluate(*sampled);
        ASSERT_EQ(std::memcmp(&a, &b, sizeof a), 0) << "round " << round;
    }
}

// A slot filled after the update is evaluated at once, as the texture
// always reads its slots when it is evaluated.
TEST(Evaluate, SlotFilledAfterUpdateIsEvaluated) {
    auto map = NewTintora();
    Interval valid = WHOLE_INTERVAL;
    map->Update(0, valid);
    auto* half = new FixedTexmap("half");
    half->mono = 0.5f;
    map->SetSubTexmap(MAP_R_GAIN, half);
    LoggingContext sc;
    EXPECT_EQ(map->EvaluateColor(sc).r, 0.498046875f);
    map->SetSubTexmap(MAP_R_GAIN, nullptr);
    EXPECT_EQ(map->EvaluateColor(sc).r, k255);
}

TEST(Evaluate, ConcurrentEvaluationsAgree) {
    auto map = NewTintora();
    map->ParamBlock()->SetValue(PB_HUE_OFFSET, 0, 45.0f);
    map->SetSubTexmap(MAP_VAL_GAIN, new FixedTexmap("val"));
    const ColorRGBA expected = Evaluate(*map);
    std::vector<std::thread> threads;
    std::vector<int> mismatches(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            LoggingContext sc;
            for (int i = 0; i < 2000; ++i)
                if (!(map->EvaluateColor(sc) == expected)) ++mismatches[t];
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(mismatches, std::vector<int>(4, 0));
}

}  // namespace
