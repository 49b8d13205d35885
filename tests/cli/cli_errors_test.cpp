// Exit codes and their one-line messages; help on every command; where the
// module is loaded from.

#include <gtest/gtest.h>

#include <fstream>

#include "run_program.h"

using cli_test::RunTintora;
using cli_test::TempFolder;

namespace {

struct ErrorCase {
    const char* what;
    std::vector<std::string> args;
    int exitCode;
    std::vector<std::string> mentions;  // each must appear in the one line
};

// Names the case in failure messages instead of dumping its bytes.
void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.what; }

class ExitCodes : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ExitCodes, OneLineNamesWhatWasWrong) {
    const auto result = RunTintora(GetParam().args);
    EXPECT_EQ(result.exitCode, GetParam().exitCode) << result.err;
    EXPECT_EQ(result.out, "");
    const auto lines = result.ErrLines();
    ASSERT_EQ(lines.size(), 1u) << result.err;
    EXPECT_TRUE(lines[0].starts_with("tintora: ")) << lines[0];
    for (const std::string& mention : GetParam().mentions)
        EXPECT_NE(lines[0].find(mention), std::string::npos) << "\"" << mention << "\" not in: " << lines[0];
}

INSTANTIATE_TEST_SUITE_P(
    Usage, ExitCodes,
    ::testing::Values(
        ErrorCase{"no_command", {}, 2, {"missing command", "info, eval, apply, render, scene"}},
        ErrorCase{"unknown_command", {"evl"}, 2, {"unknown command \"evl\"", "did you mean \"eval\"", "render"}},
        ErrorCase{"unknown_scene_command", {"scene", "shwo"}, 2, {"\"shwo\"", "did you mean \"show\"", "new, set, show"}},
        ErrorCase{"unknown_parameter", {"eval", "--set", "hue_ofset=3"}, 2,
                  {"unknown parameter \"hue_ofset\"", "did you mean \"hue_offset\"", "source_color"}},
        ErrorCase{"far_parameter", {"eval", "--set", "zzzzzz=3"}, 2, {"unknown parameter \"zzzzzz\"", "brightness"}},
        ErrorCase{"prefixed_parameter", {"eval", "--set", "PB_BRIGHTNESS=3"}, 2, {"PB_BRIGHTNESS", "brightness"}},
        ErrorCase{"unknown_slot", {"eval", "--map", "r_gian=noise"}, 2,
                  {"unknown slot \"r_gian\"", "did you mean \"r_gain\"", "b_gain"}},
        ErrorCase{"bad_number", {"eval", "--set", "contrast=12x"}, 2, {"contrast", "\"12x\"", "number"}},
        ErrorCase{"nan_number", {"eval", "--set", "contrast=nan"}, 2, {"\"nan\""}},
        ErrorCase{"bad_colour", {"eval", "--color", "1,0"}, 2, {"colour", "\"1,0\"", "R,G,B"}},
        ErrorCase{"bad_colour_param", {"eval", "--set", "source_color=red"}, 2, {"source_color", "R,G,B"}},
        ErrorCase{"bad_flag", {"eval", "--set", "invert=maybe"}, 2, {"invert", "on, off"}},
        ErrorCase{"bad_channel", {"eval", "--set", "r_source=purple"}, 2, {"r_source", "red, green, blue"}},
        ErrorCase{"missing_equals", {"eval", "--set", "contrast"}, 2, {"\"contrast\"", "NAME=VALUE"}},
        ErrorCase{"bad_map", {"eval", "--map", "r_gain=constant:"}, 2, {"constant"}},
        ErrorCase{"bad_checker", {"eval", "--map", "r_gain=checker:1,1,1"}, 2, {"checker"}},
        ErrorCase{"bad_uv", {"eval", "--uv", "0.5"}, 2, {"\"0.5\"", "U,V"}},
        ErrorCase{"bad_frame", {"eval", "--frame", "ten"}, 2, {"frame", "\"ten\""}},
        ErrorCase{"unknown_option", {"eval", "--colour", "1,1,1"}, 2,
                  {"unknown option \"--colour\" for tintora eval", "did you mean \"--color\"", "--uv", "--plugins"}},
        ErrorCase{"unknown_scene_option", {"scene", "set", "a.tnts", "--frmae", "2", "contrast=1"}, 2,
                  {"\"--frmae\"", "did you mean \"--frame\""}},
        ErrorCase{"bad_size", {"render", "a.tnts", "b.png", "--size", "64"}, 2, {"\"64\"", "WIDTHxHEIGHT"}},
        ErrorCase{"bad_range", {"render", "a.tnts", "b.#.png", "--frames", "5-2"}, 2, {"\"5-2\""}},
        ErrorCase{"both_frame_options", {"render", "a.tnts", "b.#.png", "--frame", "1", "--frames", "1-2"}, 2, {"--frame"}},
        ErrorCase{"missing_positional", {"apply", "in.png"}, 2, {"OUTPUT"}},
        ErrorCase{"negative_threads", {"apply", "in.png", "out.png", "--threads", "-1"}, 2, {"--threads"}},
        ErrorCase{"source_map_in_apply", {"apply", "in.png", "out.png", "--map", "source=noise"}, 2, {"source"}},
        ErrorCase{"scene_set_nothing", {"scene", "set", "a.tnts"}, 2, {"NAME=VALUE"}}),
    [](const auto& param) { return std::string(param.param.what); });

INSTANTIATE_TEST_SUITE_P(
    WorkFailed, ExitCodes,
    ::testing::Values(
        ErrorCase{"missing_scene", {"eval", "--scene", "/nonexistent/look.tnts"}, 1, {"/nonexistent/look.tnts"}},
        ErrorCase{"missing_scene_render", {"render", "/nonexistent/look.tnts", "out.png"}, 1, {"/nonexistent/look.tnts"}},
        ErrorCase{"missing_scene_show", {"scene", "show", "/nonexistent/look.tnts"}, 1, {"/nonexistent/look.tnts"}},
        ErrorCase{"missing_input", {"apply", "/nonexistent/in.png", "/tmp/out.png"}, 1, {"/nonexistent/in.png"}},
        ErrorCase{"missing_map_image", {"eval", "--map", "r_gain=/nonexistent/mask.png"}, 1, {"/nonexistent/mask.png"}},
        ErrorCase{"no_plugin_folder", {"eval", "--plugins", "/nonexistent/plugins"}, 1, {"/nonexistent/plugins"}},
        ErrorCase{"empty_plugin_folder", {"info", "--plugins", "/"}, 1, {"Tintora"}}),
    [](const auto& param) { return std::string(param.param.what); });

TEST(ExitCodes, DamagedSceneIsRefusedAndLeftAlone) {
    TempFolder dir;
    const std::string scene = dir / "damaged.tnts";
    ASSERT_EQ(RunTintora({"scene", "new", scene}).exitCode, 0);
    std::string bytes;
    {
        std::ifstream in(scene, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    ASSERT_GT(bytes.size(), 20u);
    bytes.resize(bytes.size() / 2);
    std::ofstream(scene, std::ios::binary | std::ios::trunc) << bytes;

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"eval", "--scene", scene}, {"scene", "show", scene}, {"scene", "set", scene, "contrast=50"}}) {
        const auto result = RunTintora(args);
        EXPECT_EQ(result.exitCode, 1) << args[0] << ": " << result.err;
        ASSERT_EQ(result.ErrLines().size(), 1u) << result.err;
        EXPECT_NE(result.err.find(scene), std::string::npos) << result.err;
    }
    std::ifstream in(scene, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes) << "a refused file is not rewritten";
}

TEST(ExitCodes, SceneNewKeepsAnExistingFileUnlessForced) {
    TempFolder dir;
    const std::string scene = dir / "look.tnts";
    ASSERT_EQ(RunTintora({"scene", "new", scene, "--set", "contrast=50"}).exitCode, 0);
    const auto again = RunTintora({"scene", "new", scene});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_NE(again.err.find("--force"), std::string::npos) << again.err;
    EXPECT_EQ(RunTintora({"eval", "--scene", scene, "--color", "0,0,0"}).out, RunTintora({"eval", "--color", "0,0,0", "--set", "contrast=50"}).out);
    EXPECT_EQ(RunTintora({"scene", "new", scene, "--force"}).exitCode, 0);
    EXPECT_EQ(RunTintora({"eval", "--scene", scene}).out, "0.99609375 0 0 1\n");
}

TEST(Help, EveryCommandHelpsWithExamples) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--help"}, {"info", "--help"}, {"eval", "--help"}, {"apply", "--help"}, {"render", "--help"},
             {"scene", "--help"}, {"scene", "new", "--help"}, {"scene", "set", "--help"}, {"scene", "show", "--help"}}) {
        const auto result = RunTintora(args);
        EXPECT_EQ(result.exitCode, 0) << args[0];
        EXPECT_NE(result.out.find("Usage:"), std::string::npos) << args[0];
        EXPECT_NE(result.out.find("Examples:"), std::string::npos) << args[0] << (args.size() > 1 ? " " + args[1] : "");
    }
}

TEST(PluginFolder, DefaultsToThePluginsBesideTheProgram) {
    const auto result = RunTintora({"eval"}, {{"TINTORA_PLUGIN_PATH", ""}});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "0.99609375 0 0 1\n");
}

TEST(PluginFolder, TheFlagWinsOverTheVariable) {
    const auto flagGood = RunTintora({"eval", "--plugins", TINTORA_TEST_PLUGIN_DIR},
                                     {{"TINTORA_PLUGIN_PATH", "/nonexistent/plugins"}});
    EXPECT_EQ(flagGood.exitCode, 0) << flagGood.err;
    const auto flagBad = RunTintora({"eval", "--plugins", "/nonexistent/flag"}, {{"TINTORA_PLUGIN_PATH", TINTORA_TEST_PLUGIN_DIR}});
    EXPECT_EQ(flagBad.exitCode, 1);
    EXPECT_NE(flagBad.err.find("/nonexistent/flag"), std::string::npos) << flagBad.err;
    const auto variableBad = RunTintora({"eval"}, {{"TINTORA_PLUGIN_PATH", "/nonexistent/variable"}});
    EXPECT_EQ(variableBad.exitCode, 1);
    EXPECT_NE(variableBad.err.find("/nonexistent/variable"), std::string::npos) << variableBad.err;
}

}  // namespace
