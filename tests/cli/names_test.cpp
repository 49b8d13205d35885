// Parameter and slot names come from the module's table; wrong names get
// the list of right ones and a near miss.

#include <gtest/gtest.h>

#include "apps/tintora/errors.h"
#include "apps/tintora/names.h"
#include "texture/param_table.h"

using namespace tintora_cli;

TEST(Names, KeysAreTheTableNamesAndSlotNamesWithoutPrefix) {
    EXPECT_EQ(ParamKeys().size(), std::size_t(TINTORA_NUM_PARAMS));
    EXPECT_EQ(ParamKey(PB_HUE_OFFSET), "hue_offset");
    EXPECT_EQ(ParamKey(PB_SOURCE_COLOR), "source_color");
    EXPECT_EQ(SlotKeys(), (std::vector<std::string>{"source", "sat_offset", "val_offset", "hue_gain", "sat_gain",
                                                    "val_gain", "r_offset", "g_offset", "b_offset", "r_gain",
                                                    "g_gain", "b_gain"}));
}

TEST(Names, EveryKeyFindsItsOwnIndex) {
    for (int i = 0; i < TINTORA_NUM_PARAMS; ++i) EXPECT_EQ(FindParam(ParamKey(i)), i);
    for (int i = 0; i < TINTORA_NUM_SLOTS; ++i) EXPECT_EQ(FindSlot(SlotKey(i)), i);
}

TEST(Names, SlotKeysNameTheParameterTheyDrive) {
    for (int i = 0; i < TINTORA_NUM_PARAMS; ++i)
        if (TintoraParams[i].slot > 0) {
            EXPECT_EQ(SlotKey(TintoraParams[i].slot), ParamKey(i));
        }
}

TEST(Names, NearMissesAreSuggested) {
    const std::vector<std::string> params = ParamKeys();
    struct Case {
        const char* typed;
        const char* near;
    };
    for (const Case& c : {Case{"hue_ofset", "hue_offset"}, Case{"Contrast", "contrast"}, Case{"bright", "brightness"},
                          Case{"r_gian", "r_gain"}, Case{"sourcecolor", "source_color"}, Case{"invret", "invert"}, Case{"mnoo", "mono"}}) {
        const auto near = NearestName(c.typed, params);
        ASSERT_TRUE(near.has_value()) << c.typed;
        EXPECT_EQ(*near, c.near) << c.typed;
    }
    for (const char* far : {"", "x", "zzzzzzzz", "saturation"}) EXPECT_FALSE(NearestName(far, params)) << far;
}

TEST(Names, UnknownNamesAreUsageErrorsListingTheNames) {
    try {
        FindSlot("r_gian");
        FAIL() << "no error";
    } catch (const UsageError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "unknown slot \"r_gian\" (did you mean \"r_gain\"?); slots: source, sat_offset, val_offset, "
                  "hue_gain, sat_gain, val_gain, r_offset, g_offset, b_offset, r_gain, g_gain, b_gain");
    }
    EXPECT_THROW(FindParam("PB_BRIGHTNESS"), UsageError);
    EXPECT_THROW(FindParam("Brightness"), UsageError) << "names are exact; the message suggests the key";
}
