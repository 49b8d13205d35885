// Map specs: every documented form, and the malformed ones.

#include <gtest/gtest.h>

#include "apps/tintora/errors.h"
#include "apps/tintora/map_spec.h"
#include "texture/param_table.h"

using namespace tintora_cli;
using Kind = MapSpec::Kind;

TEST(MapSpecs, ProceduralForms) {
    const MapSpec grey = ParseMapSpec("constant:0.5");
    EXPECT_EQ(grey.kind, Kind::Constant);
    EXPECT_EQ(grey.color1, Color(0.5f, 0.5f, 0.5f));
    EXPECT_EQ(ParseMapSpec("constant:1,0,0.25").color1, Color(1.0f, 0.0f, 0.25f));

    const MapSpec plainChecker = ParseMapSpec("checker");
    EXPECT_EQ(plainChecker.kind, Kind::Checker);
    EXPECT_FALSE(plainChecker.hasColors);
    EXPECT_FALSE(plainChecker.tiles);
    const MapSpec checker = ParseMapSpec("checker:1,1,1:0,0,0.5:8");
    EXPECT_TRUE(checker.hasColors);
    EXPECT_EQ(checker.color2, Color(0.0f, 0.0f, 0.5f));
    EXPECT_EQ(checker.tiles, 8.0f);
    EXPECT_FALSE(ParseMapSpec("checker:1,1,1:0,0,0").tiles);

    EXPECT_EQ(ParseMapSpec("noise").kind, Kind::Noise);
    EXPECT_EQ(ParseMapSpec("noise:3.5").scale, 3.5f);
    EXPECT_EQ(ParseMapSpec("gradient").kind, Kind::Gradient);
    EXPECT_EQ(ParseMapSpec("none").kind, Kind::None);
}

TEST(MapSpecs, AnythingElseIsAnImagePath) {
    for (const char* path : {"photo.png", "./noise", "dir/checker.exr", "/abs/a:b.png", "gradients.png"}) {
        const MapSpec spec = ParseMapSpec(path);
        EXPECT_EQ(spec.kind, Kind::Image) << path;
        EXPECT_EQ(spec.path, path);
    }
}

TEST(MapSpecs, MalformedFormsAreUsageErrors) {
    for (const char* bad : {"", "constant", "constant:", "constant:a", "constant:1,1", "constant:1:2",
                            "checker:1,1,1", "checker:1,1,1:0,0,0:2:3", "checker:x:y", "noise:", "noise:big",
                            "noise:1:2", "gradient:1", "none:1"})
        EXPECT_THROW(ParseMapSpec(bad), UsageError) << bad;
}

TEST(MapSpecs, AssignmentsNameASlot) {
    const MapAssignment map = ParseMapAssignment("val_gain=noise:2");
    EXPECT_EQ(map.slot, MAP_VAL_GAIN);
    EXPECT_EQ(map.spec.kind, Kind::Noise);
    EXPECT_EQ(ParseMapAssignment("source=a=b.png").spec.path, "a=b.png");
    EXPECT_THROW(ParseMapAssignment("brightness=noise"), UsageError) << "brightness has no slot";
    EXPECT_THROW(ParseMapAssignment("noise"), UsageError);
}
