// Values as people type them: good forms parse exactly, bad ones are usage errors.

#include <gtest/gtest.h>

#include "apps/tintora/errors.h"
#include "apps/tintora/values.h"
#include "texture/param_table.h"

using namespace tintora_cli;

TEST(Values, NumbersMustBeWholeFiniteTexts) {
    EXPECT_EQ(ParseFloat("-12.5", "x"), -12.5f);
    EXPECT_EQ(ParseFloat("1e3", "x"), 1000.0f);
    EXPECT_EQ(ParseFloat("0.1", "x"), 0.1f);
    for (const char* bad : {"", " 1", "1 ", "1,5", "12x", "nan", "inf", "-inf", "1e40", "0x10"})
        EXPECT_THROW(ParseFloat(bad, "x"), UsageError) << bad;
    EXPECT_EQ(ParseInt("-7", "x"), -7);
    EXPECT_THROW(ParseInt("7.5", "x"), UsageError);
    EXPECT_THROW(ParseInt("99999999999", "x"), UsageError);
}

TEST(Values, ColoursFlagsAndChannels) {
    EXPECT_EQ(ParseColor("1,0.5,-2", "c"), Color(1.0f, 0.5f, -2.0f));
    for (const char* bad : {"1,1", "1,1,1,1", "1,,1", "red", ""}) EXPECT_THROW(ParseColor(bad, "c"), UsageError) << bad;
    for (const char* on : {"on", "1", "true", "yes"}) EXPECT_TRUE(ParseFlag(on, "f")) << on;
    for (const char* off : {"off", "0", "false", "no"}) EXPECT_FALSE(ParseFlag(off, "f")) << off;
    EXPECT_THROW(ParseFlag("2", "f"), UsageError);
    EXPECT_EQ(ParseChannel("red", "c"), 0);
    EXPECT_EQ(ParseChannel("green", "c"), 1);
    EXPECT_EQ(ParseChannel("blue", "c"), 2);
    EXPECT_EQ(ParseChannel("7", "c"), 7) << "any code is stored; evaluation reads it as blue";
    EXPECT_THROW(ParseChannel("Red", "c"), UsageError);
}

TEST(Values, SettingsParseByTheParametersType) {
    EXPECT_EQ(ParseSetting("hue_offset=-10").value, studio::ParamValue(-10.0f));
    EXPECT_EQ(ParseSetting("hue_offset=-10").param, PB_HUE_OFFSET);
    EXPECT_EQ(ParseSetting("invert=on").value, studio::ParamValue(1));
    EXPECT_EQ(ParseSetting("b_source=red").value, studio::ParamValue(0));
    EXPECT_EQ(ParseSetting("source_color=0,0.5,1").value, studio::ParamValue(Color(0.0f, 0.5f, 1.0f)));
    for (const char* bad : {"hue_offset", "hue_offset=", "=3", "hue_offset=on", "invert=3", "source_color=1"})
        EXPECT_THROW(ParseSetting(bad), UsageError) << bad;
}

TEST(Values, SettingsFormatBackToWhatParses) {
    for (const char* text : {"brightness=-12.5", "r_source=blue", "g_source=5", "mono=on", "colorize=off",
                             "source_color=0.200000003,1,0"}) {
        const Setting setting = ParseSetting(text);
        const std::string name = std::string(text).substr(0, std::string(text).find('='));
        EXPECT_EQ(name + "=" + FormatSettingValue(setting.param, setting.value), text);
    }
}

TEST(Values, FramesSizesAndCoordinates) {
    EXPECT_EQ(ParseFrameTime("2"), 320);
    EXPECT_EQ(ParseFrameTime("2.5"), 400);
    EXPECT_EQ(ParseFrameTime("-1"), -160);
    EXPECT_THROW(ParseFrameTime("1e9"), UsageError) << "beyond the host's time range";
    EXPECT_EQ(ParseFrameRange("0-23"), std::make_pair(0, 23));
    EXPECT_EQ(ParseFrameRange("-5--1"), std::make_pair(-5, -1));
    EXPECT_EQ(ParseFrameRange("4-4"), std::make_pair(4, 4));
    for (const char* bad : {"5-2", "1", "1-", "a-b", "1-2-3", "1.5-3"}) EXPECT_THROW(ParseFrameRange(bad), UsageError) << bad;
    EXPECT_EQ(ParseSize("640x480"), std::make_pair(640, 480));
    for (const char* bad : {"0x4", "4x-1", "4", "4x4x4", "x4"}) EXPECT_THROW(ParseSize(bad), UsageError) << bad;
    EXPECT_EQ(ParseUV("0.25,1.5"), (Point2{0.25f, 1.5f}));
    EXPECT_THROW(ParseUV("0.25"), UsageError);
}
