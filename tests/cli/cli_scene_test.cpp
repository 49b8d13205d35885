// tintora scene new / set / show, and scenes evaluated between their keys.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "run_program.h"

using cli_test::RunTintora;
using cli_test::TempFolder;

namespace {

class SceneCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(RunTintora({"scene", "new", scene, "--set", "sat_gain=80", "--map", "r_gain=constant:0.5"}).exitCode, 0);
    }
    std::string Eval(const std::vector<std::string>& extra) {
        std::vector<std::string> args{"eval"};
        args.insert(args.end(), extra.begin(), extra.end());
        const auto result = RunTintora(args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return result.out;
    }
    nlohmann::json Show(const std::string& frame) {
        const auto result = RunTintora({"scene", "show", scene, "--frame", frame, "--json"});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return nlohmann::json::parse(result.out);
    }
    TempFolder dir;
    std::string scene = dir / "look.tnts";
};

TEST_F(SceneCommands, NewSceneKeepsItsSettingsAndMaps) {
    EXPECT_EQ(Eval({"--scene", scene, "--color", "1,1,1"}),
              Eval({"--color", "1,1,1", "--set", "sat_gain=80", "--map", "r_gain=constant:0.5"}));
    EXPECT_EQ(Eval({"--scene", scene, "--color", "1,1,1"}), "0.498046875 0.99609375 0.99609375 1\n");
    const auto json = Show("0");
    EXPECT_EQ(json["parameters"][5]["name"], "sat_gain");
    EXPECT_EQ(json["parameters"][5]["value"], 80);
    EXPECT_EQ(json["slots"][9]["name"], "r_gain");
    EXPECT_EQ(json["slots"][9]["map"], "constant:0.5,0.5,0.5");
    EXPECT_EQ(json["slots"][0]["map"], "none");
}

TEST_F(SceneCommands, KeysInterpolateLinearlyBetweenFramesAndHoldOutside) {
    ASSERT_EQ(RunTintora({"scene", "set", scene, "--frame", "0", "brightness=0", "source_color=1,1,1"}).exitCode, 0);
    ASSERT_EQ(RunTintora({"scene", "set", scene, "--frame", "10", "brightness=-40", "source_color=0,0,1"}).exitCode, 0);
    struct Between {
        std::string frame, brightness, colour;
    };
    for (const Between& at : {Between{"0", "0", "1,1,1"}, Between{"2.5", "-10", "0.75,0.75,1"},
                              Between{"5", "-20", "0.5,0.5,1"}, Between{"10", "-40", "0,0,1"},
                              Between{"-3", "0", "1,1,1"}, Between{"25", "-40", "0,0,1"}}) {
        const std::string keyed = Eval({"--scene", scene, "--frame", at.frame});
        const std::string direct = Eval({"--color", at.colour, "--set", "brightness=" + at.brightness, "--set",
                                         "sat_gain=80", "--map", "r_gain=constant:0.5"});
        EXPECT_EQ(keyed, direct) << "frame " << at.frame;
    }
    const auto json = Show("5");
    EXPECT_EQ(json["parameters"][0]["value"], -20);
    EXPECT_EQ(json["parameters"][0]["keys"], nlohmann::json::parse(R"([{"frame":0,"value":0},{"frame":10,"value":-40}])"));
    EXPECT_EQ(json["parameters"][20]["value"], nlohmann::json::parse("[0.5,0.5,1]"));
}

TEST_F(SceneCommands, SetWithoutFrameChangesEveryFrameAndKeepsOthers) {
    ASSERT_EQ(RunTintora({"scene", "set", scene, "invert=on", "r_source=green", "--map", "r_gain=none"}).exitCode, 0);
    EXPECT_EQ(Eval({"--scene", scene, "--color", "1,1,1", "--frame", "7"}),
              Eval({"--color", "1,1,1", "--set", "sat_gain=80", "--set", "invert=on", "--set", "r_source=green"}));
    const auto json = Show("0");
    EXPECT_EQ(json["parameters"][17]["value"], true);
    EXPECT_EQ(json["parameters"][14]["value"], 1);
    EXPECT_EQ(json["slots"][9]["map"], "none");
}

TEST_F(SceneCommands, RefusedEditsLeaveTheFileAsItWas) {
    const auto before = Show("0");
    const auto notAnimatable = RunTintora({"scene", "set", scene, "--frame", "3", "contrast=50", "mono=on"});
    EXPECT_EQ(notAnimatable.exitCode, 2);
    EXPECT_NE(notAnimatable.err.find("mono"), std::string::npos) << notAnimatable.err;
    EXPECT_EQ(RunTintora({"scene", "set", scene, "contrast=50", "sat_gian=3"}).exitCode, 2);
    EXPECT_EQ(RunTintora({"scene", "set", scene, "--map", "b_gain=/nonexistent/mask.png"}).exitCode, 1);
    EXPECT_EQ(Show("0"), before);
}

TEST_F(SceneCommands, ShowPrintsValuesKeysAndSlots) {
    ASSERT_EQ(RunTintora({"scene", "set", scene, "--frame", "4", "hue_offset=30"}).exitCode, 0);
    const auto result = RunTintora({"scene", "show", scene});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("sat_gain      80"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("hue_offset    30              4: 30"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("r_gain        constant:0.5,0.5,0.5"), std::string::npos) << result.out;
}

}  // namespace
