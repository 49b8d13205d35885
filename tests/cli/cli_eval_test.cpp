// tintora eval and info: colours from the real module, printed exactly.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "run_program.h"

using cli_test::RunTintora;

namespace {

struct EvalCase {
    const char* what;
    std::vector<std::string> args;
    const char* expected;
};

// Names the case in failure messages instead of dumping its bytes.
void PrintTo(const EvalCase& c, std::ostream* os) { *os << c.what; }

class EvalColours : public ::testing::TestWithParam<EvalCase> {};

TEST_P(EvalColours, PrintsTheModulesColourExactly) {
    std::vector<std::string> args{"eval"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const auto result = RunTintora(args);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, std::string(GetParam().expected) + "\n");
    EXPECT_EQ(result.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EvalColours,
    ::testing::Values(
        EvalCase{"default", {}, "0.99609375 0 0 1"},
        EvalCase{"white", {"--color", "1,1,1"}, "0.99609375 0.99609375 0.99609375 1"},
        EvalCase{"black", {"--color", "0,0,0"}, "0 0 0 1"},
        EvalCase{"invert_white", {"--color", "1,1,1", "--set", "invert=on"}, "-0.00390625 -0.00390625 -0.00390625 1"},
        EvalCase{"invert_black", {"--color", "0,0,0", "--set", "invert=1"}, "0.9921875 0.9921875 0.9921875 1"},
        EvalCase{"brightness_black", {"--color", "0,0,0", "--set", "brightness=100"}, "0.99609375 0.99609375 0.99609375 1"},
        EvalCase{"brightness_white", {"--color", "1,1,1", "--set", "brightness=100"}, "1.9921875 1.9921875 1.9921875 1"},
        EvalCase{"contrast_zero", {"--color", "0.3,0.6,0.9", "--set", "contrast=0"}, "0.49609375 0.49609375 0.49609375 1"},
        EvalCase{"red_gain", {"--color", "1,1,1", "--set", "r_gain=200"}, "1.9921875 0.99609375 0.99609375 1"},
        EvalCase{"red_offset", {"--color", "0,0,0", "--set", "r_offset=50"}, "0.5 0 0 1"},
        EvalCase{"channel_swap", {"--set", "r_source=blue", "--set", "b_source=red"}, "0 0 0.99609375 1"},
        EvalCase{"channel_numbers", {"--set", "r_source=2", "--set", "b_source=0"}, "0 0 0.99609375 1"},
        EvalCase{"all_from_red", {"--set", "g_source=red", "--set", "b_source=red"}, "0.99609375 0.99609375 0.99609375 1"},
        EvalCase{"mapped_gain", {"--color", "1,1,1", "--map", "r_gain=constant:0.5"}, "0.498046875 0.99609375 0.99609375 1"},
        EvalCase{"mapped_gain_colour", {"--color", "1,1,1", "--map", "r_gain=constant:0.5,0.5,0.5"}, "0.498046875 0.99609375 0.99609375 1"},
        EvalCase{"source_colour_param", {"--set", "source_color=1,1,1"}, "0.99609375 0.99609375 0.99609375 1"},
        EvalCase{"colorize_ignored", {"--set", "colorize=on"}, "0.99609375 0 0 1"},
        EvalCase{"mono_red", {"--set", "mono=on"}, "0.99609375 0.99609375 0.99609375 1"}),
    [](const auto& param) { return std::string(param.param.what); });

TEST(EvalJson, GivesColourMonoAndPerturbation) {
    const auto result = RunTintora({"eval", "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["color"], nlohmann::json::parse("[0.99609375, 0, 0, 1]"));
    EXPECT_EQ(json["mono"].get<float>(), 0.33203125f);
    EXPECT_EQ(json["perturbation"], nlohmann::json::parse("[0, 0, 0]"));
}

TEST(EvalJson, NumbersReadBackAsTheSameSingles) {
    // A colour whose corrected channels are not short decimals.
    const auto text = RunTintora({"eval", "--color", "0.1,0.7,0.3", "--set", "r_gain=33.3", "--json"});
    const auto plain = RunTintora({"eval", "--color", "0.1,0.7,0.3", "--set", "r_gain=33.3"});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    const auto json = nlohmann::json::parse(text.out);
    float r = 0, g = 0, b = 0, a = 0;
    ASSERT_EQ(std::sscanf(plain.out.c_str(), "%f %f %f %f", &r, &g, &b, &a), 4);
    EXPECT_EQ(json["color"][0].get<float>(), r);
    EXPECT_EQ(json["color"][1].get<float>(), g);
    EXPECT_EQ(json["color"][2].get<float>(), b);
    EXPECT_EQ(json["mono"].get<float>(), (g + b + r) * 0.33333334f);
}

TEST(EvalMaps, SourceTexturesPassPerturbationAndVaryOverUv) {
    const auto left = RunTintora({"eval", "--map", "source=checker:1,1,1:0,0,0:2", "--uv", "0.1,0.1"});
    const auto right = RunTintora({"eval", "--map", "source=checker:1,1,1:0,0,0:2", "--uv", "0.6,0.1"});
    EXPECT_EQ(left.exitCode, 0) << left.err;
    EXPECT_NE(left.out, right.out);
    const auto noise = RunTintora({"eval", "--map", "source=noise:3", "--uv", "0.3,0.45", "--json"});
    ASSERT_EQ(noise.exitCode, 0) << noise.err;
    const auto json = nlohmann::json::parse(noise.out);
    EXPECT_NE(json["perturbation"], nlohmann::json::parse("[0, 0, 0]")) << "noise has a slope";
}

TEST(Info, ListsModuleClassParametersAndSlots) {
    const auto result = RunTintora({"info", "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["module"]["description"], "Tintora by Varlen");
    EXPECT_EQ(json["module"]["version"], 100);
    EXPECT_EQ(json["class"]["name"], "Tintora");
    EXPECT_EQ(json["class"]["class_id"], "0x57EE53DC, 0x134F5A34");
    ASSERT_EQ(json["parameters"].size(), 21u);
    EXPECT_EQ(json["parameters"][2]["name"], "hue_offset");
    EXPECT_EQ(json["parameters"][2]["unit"], "degrees");
    EXPECT_EQ(json["parameters"][3]["default"], "0") << "hue gain starts at 0";
    EXPECT_EQ(json["parameters"][5]["default"], "100");
    EXPECT_EQ(json["parameters"][16]["default"], "blue");
    EXPECT_EQ(json["parameters"][16]["animatable"], false);
    EXPECT_EQ(json["parameters"][20]["default"], "1,0,0");
    ASSERT_EQ(json["slots"].size(), 12u);
    EXPECT_EQ(json["slots"][0]["name"], "source");
    EXPECT_EQ(json["slots"][1]["slot_name"], "Tora Sat Offset");
    EXPECT_EQ(json["slots"][3]["drives"], "hue_gain");

    const auto text = RunTintora({"info"});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_NE(text.out.find("Tintora by Varlen, version 100"), std::string::npos);
    EXPECT_NE(text.out.find("Color Mods"), std::string::npos);
}

}  // namespace
