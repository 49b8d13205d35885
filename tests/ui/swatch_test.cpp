// The colour swatch: the notifications of a colour choice, silent program
// changes, and the handle the module keeps.

#include <gtest/gtest.h>

#include "host/ui.h"
#include "studio/ui/custom_controls.h"
#include "studio/ui/window_system.h"
#include "tests/ui/ui_test_support.h"

namespace {

using studio::Windows;
using uitest::Note;
using uitest::Recorded;

constexpr UINT Id = 1066;

class SwatchTest : public uitest::RollupTest {
protected:
    void SetUp() override {
        RollupTest::SetUp();
        std::string title = "Tora Source";
        swatch = GetIColorSwatch(Item(Id), 0x000080FF, title.c_str());
        title = "gone";  // the swatch keeps its own copy
        ASSERT_NE(swatch, nullptr);
        Recorded().clear();
    }
    IColorSwatch* swatch = nullptr;
};

TEST_F(SwatchTest, HoldsTheColourAndTitleItWasGiven) {
    EXPECT_EQ(swatch->GetSwatchColor(), 0x000080FFu);
    studio::SwatchState state{};
    ASSERT_TRUE(studio::GetSwatchState(Item(Id), state));
    EXPECT_EQ(state.title, "Tora Source");
    swatch->ActivateSwatch(1);
    ASSERT_TRUE(studio::GetSwatchState(Item(Id), state));
    EXPECT_TRUE(state.active);
    EXPECT_EQ(GetIColorSwatch(Item(Id), 0x123456, "again"), swatch);  // one per window
    EXPECT_EQ(swatch->GetSwatchColor(), 0x123456u);
    EXPECT_EQ(GetIColorSwatch(Item(1003), 0, "not a swatch"), nullptr);
    EXPECT_TRUE(Recorded().empty());
}

TEST_F(SwatchTest, LivePickThenEndKeepsTheColour) {
    EXPECT_TRUE(studio::BeginColorPick(Item(Id)));
    EXPECT_TRUE(studio::PickColor(Item(Id), 0x00112233));
    EXPECT_TRUE(studio::PickColor(Item(Id), 0xFF445566));  // the top byte is no colour
    EXPECT_TRUE(studio::EndColorPick(Item(Id)));
    EXPECT_EQ(Recorded(), (std::vector<Note>{{1630, Id, 0}, {1627, Id, 0}, {1627, Id, 0}, {1631, Id, 1}}));
    EXPECT_EQ(swatch->GetSwatchColor(), 0x00445566u);
}

TEST_F(SwatchTest, CancelRestoresTheColourAtTheStart) {
    studio::BeginColorPick(Item(Id));
    studio::PickColor(Item(Id), 0x00010203);
    EXPECT_TRUE(studio::CancelColorPick(Item(Id)));
    EXPECT_EQ(Recorded(), (std::vector<Note>{{1630, Id, 0}, {1627, Id, 0}, {1631, Id, 0}}));
    EXPECT_EQ(swatch->GetSwatchColor(), 0x000080FFu);
}

TEST_F(SwatchTest, AColourChosenOutsideAPickIsCompleteInItself) {
    EXPECT_TRUE(studio::PickColor(Item(Id), 0x00ABCDEF));
    EXPECT_EQ(Recorded(), (std::vector<Note>{{1627, Id, 1}}));
    EXPECT_FALSE(studio::EndColorPick(Item(Id)));
    EXPECT_FALSE(studio::CancelColorPick(Item(Id)));
}

TEST_F(SwatchTest, SetSwatchColorNotifiesOnlyWhenAsked) {
    swatch->SetSwatchColor(0x00FF0000, 0);
    EXPECT_TRUE(Recorded().empty());
    EXPECT_EQ(swatch->GetSwatchColor(), 0x00FF0000u);
    swatch->SetSwatchColor(0x0000FF00, 1);
    EXPECT_EQ(Recorded(), (std::vector<Note>{{1627, Id, 1}}));
}

TEST_F(SwatchTest, DisabledSwatchIgnoresTheUser) {
    Windows().Find(Item(Id))->style |= window_style::Disabled;
    EXPECT_FALSE(studio::BeginColorPick(Item(Id)));
    EXPECT_FALSE(studio::PickColor(Item(Id), 0));
    EXPECT_TRUE(Recorded().empty());
    EXPECT_EQ(swatch->GetSwatchColor(), 0x000080FFu);
}

TEST_F(SwatchTest, HandleOutlivesItsWindowHarmlessly) {
    Windows().Destroy(dialog);
    Recorded().clear();
    EXPECT_EQ(swatch->GetSwatchColor(), 0u);
    swatch->SetSwatchColor(0x00FFFFFF, 1);
    swatch->ActivateSwatch(0);
    EXPECT_TRUE(Recorded().empty());
}

}  // namespace
