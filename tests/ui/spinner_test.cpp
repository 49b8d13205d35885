// Spinners and their edits: the notifications of each user interaction,
// silent program changes, limits and step.

#include <gtest/gtest.h>

#include "host/ui.h"
#include "studio/ui/custom_controls.h"
#include "studio/ui/window_system.h"
#include "tests/ui/ui_test_support.h"

namespace {

using studio::Windows;
using uitest::Note;
using uitest::Recorded;

constexpr UINT Spin = 1026, Edit = 1025;

class SpinnerTest : public uitest::RollupTest {
protected:
    void SetUp() override {
        RollupTest::SetUp();
        spinner = SetupFloatSpinner(dialog, Spin, Edit, -50.0f, 50.0f, 10.0f, 0.5f);
        ASSERT_NE(spinner, nullptr);
        Recorded().clear();
    }
    void TearDown() override {
        ReleaseISpinner(spinner);
        RollupTest::TearDown();
    }
    std::string Shown() const { return Windows().Find(Item(Edit))->text; }

    ISpinnerControl* spinner = nullptr;
};

TEST_F(SpinnerTest, SetupShowsTheValueInTheEdit) {
    EXPECT_FLOAT_EQ(spinner->GetFloat(), 10.0f);
    EXPECT_EQ(Shown(), "10.0");
    studio::SpinnerState state{};
    ASSERT_TRUE(studio::GetSpinnerState(Item(Spin), state));
    EXPECT_EQ(state.low, -50.0f);
    EXPECT_EQ(state.high, 50.0f);
    EXPECT_EQ(state.step, 0.5f);
    EXPECT_EQ(state.edit, Item(Edit));
    EXPECT_TRUE(Recorded().empty());
}

TEST_F(SpinnerTest, DragThenReleaseKeepsTheChange) {
    EXPECT_TRUE(studio::PressSpinner(Item(Spin)));
    EXPECT_TRUE(studio::DragSpinner(Item(Spin), 3));
    EXPECT_TRUE(studio::DragSpinner(Item(Spin), -1));
    EXPECT_TRUE(studio::ReleaseSpinner(Item(Spin)));
    EXPECT_EQ(Recorded(), (std::vector<Note>{{1625, Spin, 0}, {1624, Spin, 0}, {1624, Spin, 0}, {1626, Spin, 1}}));
    EXPECT_FLOAT_EQ(spinner->GetFloat(), 11.0f);
    EXPECT_EQ(Shown(), "11.0");
}

TEST_F(SpinnerTest, CancelRestoresTheValueAndReportsTheCancel) {
    studio::PressSpinner(Item(Spin));
    studio::DragSpinner(Item(Spin), 4);
    EXPECT_TRUE(studio::CancelSpinner(Item(Spin)));
    EXPECT_EQ(Recorded(), (std::vector<Note>{{1625, Spin, 0}, {1624, Spin, 0}, {1626, Spin, 0}}));
    EXPECT_FLOAT_EQ(spinner->GetFloat(), 10.0f);
    EXPECT_EQ(Shown(), "10.0");
}

TEST_F(SpinnerTest, DraggingAgainstALimitClampsAndStopsNotifying) {
    studio::PressSpinner(Item(Spin));
    studio::DragSpinner(Item(Spin), 1000);
    studio::DragSpinner(Item(Spin), 1);  // already at the limit: no change, no message
    studio::ReleaseSpinner(Item(Spin));
    EXPECT_FLOAT_EQ(spinner->GetFloat(), 50.0f);
    EXPECT_EQ(Recorded(), (std::vector<Note>{{1625, Spin, 0}, {1624, Spin, 0}, {1626, Spin, 1}}));
}

TEST_F(SpinnerTest, ActionsOutOfOrderAreIgnored) {
    EXPECT_FALSE(studio::DragSpinner(Item(Spin), 1));
    EXPECT_FALSE(studio::ReleaseSpinner(Item(Spin)));
    EXPECT_FALSE(studio::CancelSpinner(Item(Spin)));
    EXPECT_TRUE(studio::PressSpinner(Item(Spin)));
    EXPECT_FALSE(studio::PressSpinner(Item(Spin)));
    EXPECT_EQ(Recorded(), (std::vector<Note>{{1625, Spin, 0}}));
    EXPECT_FLOAT_EQ(spinner->GetFloat(), 10.0f);
}

TEST_F(SpinnerTest, TypingAndCommittingSendsChangeThenEnter) {
    EXPECT_TRUE(studio::TypeInEdit(Item(Edit), " 12.25 "));
    EXPECT_TRUE(Recorded().empty());  // typing alone tells nobody
    EXPECT_FLOAT_EQ(spinner->GetFloat(), 10.0f);
    EXPECT_TRUE(studio::CommitEdit(Item(Edit)));
    EXPECT_EQ(Recorded(), (std::vector<Note>{{1624, Spin, 0}, {1709, Edit, 1}}));
    EXPECT_FLOAT_EQ(spinner->GetFloat(), 12.25f);
    EXPECT_EQ(Shown(), "12.25");
}

TEST_F(SpinnerTest, TypedValuesAreClampedOrRefused) {
    const struct {
        const char* typed;
        bool accepted;
        float value;
        std::size_t messages;
    } cases[] = {
        {"1e6", true, 50.0f, 2},   {"-75", true, -50.0f, 2}, {"abc", false, -50.0f, 0},
        {"3x", false, -50.0f, 0},  {"", false, -50.0f, 0},   {"nan", false, -50.0f, 0},
        {"inf", false, -50.0f, 0}, {"-50", true, -50.0f, 0}, // unchanged: nothing to tell
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        Recorded().clear();
        studio::TypeInEdit(Item(Edit), c.typed);
        EXPECT_EQ(studio::CommitEdit(Item(Edit)), c.accepted);
        EXPECT_FLOAT_EQ(spinner->GetFloat(), c.value);
        EXPECT_EQ(Shown(), studio::FormatSpinnerValue(c.value));
        EXPECT_EQ(Recorded().size(), c.messages);
    }
}

TEST_F(SpinnerTest, SetFloatWithoutNotifyIsSilentAndClamps) {
    spinner->SetFloat(-12.5f, 0);
    EXPECT_FLOAT_EQ(spinner->GetFloat(), -12.5f);
    EXPECT_EQ(Shown(), "-12.5");
    spinner->SetFloat(99.0f, 0);
    EXPECT_FLOAT_EQ(spinner->GetFloat(), 50.0f);
    spinner->SetFloat(std::numeric_limits<float>::quiet_NaN(), 0);
    EXPECT_FLOAT_EQ(spinner->GetFloat(), 50.0f);
    EXPECT_TRUE(Recorded().empty());
    spinner->SetFloat(1.0f, 1);
    EXPECT_EQ(Recorded(), (std::vector<Note>{{1624, Spin, 0}}));
}

TEST_F(SpinnerTest, NewLimitsAndStepTakeEffect) {
    spinner->SetLimits(20.0f, 0.0f);  // given the wrong way round
    EXPECT_FLOAT_EQ(spinner->GetFloat(), 10.0f);
    spinner->SetLimits(12.0f, 20.0f);
    EXPECT_FLOAT_EQ(spinner->GetFloat(), 12.0f);
    spinner->SetScale(2.0f);
    spinner->SetScale(-1.0f);  // refused
    studio::PressSpinner(Item(Spin));
    studio::DragSpinner(Item(Spin), 2);
    EXPECT_FLOAT_EQ(spinner->GetFloat(), 16.0f);
    studio::DragSpinner(Item(Spin), -10);
    EXPECT_FLOAT_EQ(spinner->GetFloat(), 12.0f);
    studio::ReleaseSpinner(Item(Spin));
}

TEST_F(SpinnerTest, EveryInteractionIsIgnoredWhenDisabled) {
    Windows().Find(Item(Spin))->style |= window_style::Disabled;
    EXPECT_FALSE(studio::PressSpinner(Item(Spin)));
    EXPECT_FALSE(studio::TypeInEdit(Item(Edit), "3"));
    EXPECT_FALSE(studio::CommitEdit(Item(Edit)));
    Windows().Find(Item(Spin))->style &= ~window_style::Disabled;
    Windows().Find(Item(Edit))->style |= window_style::Disabled;
    EXPECT_FALSE(studio::TypeInEdit(Item(Edit), "3"));
    EXPECT_TRUE(Recorded().empty());
    EXPECT_FLOAT_EQ(spinner->GetFloat(), 10.0f);
}

TEST_F(SpinnerTest, SetupNeedsASpinnerAndAnEdit) {
    EXPECT_EQ(SetupFloatSpinner(dialog, 1025, 1026, 0, 1, 0, 1), nullptr);  // ids swapped
    EXPECT_EQ(SetupFloatSpinner(dialog, 1026, 4242, 0, 1, 0, 1), nullptr);
    EXPECT_EQ(SetupFloatSpinner(nullptr, 1026, 1025, 0, 1, 0, 1), nullptr);
}

TEST_F(SpinnerTest, ReleasedHandlesAndGoneWindowsAreHarmless) {
    ISpinnerControl* other = SetupFloatSpinner(dialog, 1028, 1027, -1e30f, 1e30f, 100.0f, 0.1f);
    ASSERT_NE(other, nullptr);
    ReleaseISpinner(other);
    ReleaseISpinner(other);  // twice: ignored
    ReleaseISpinner(nullptr);
    // A handle outliving its rollup answers 0 and changes nothing.
    ISpinnerControl* orphan = SetupFloatSpinner(dialog, 1030, 1029, 0.0f, 10.0f, 5.0f, 1.0f);
    ASSERT_NE(orphan, nullptr);
    Windows().Destroy(dialog);
    EXPECT_EQ(orphan->GetFloat(), 0.0f);
    orphan->SetFloat(3.0f, 1);
    orphan->SetLimits(0.0f, 1.0f);
    ReleaseISpinner(orphan);
    EXPECT_TRUE(std::none_of(Recorded().begin(), Recorded().end(),
                             [](const Note& n) { return n.message == 1624; }));
}

TEST(SpinnerFormatTest, ShowsAtLeastOneAndAtMostThreeDecimals) {
    EXPECT_EQ(studio::FormatSpinnerValue(0.0f), "0.0");
    EXPECT_EQ(studio::FormatSpinnerValue(-0.0f), "0.0");
    EXPECT_EQ(studio::FormatSpinnerValue(100.0f), "100.0");
    EXPECT_EQ(studio::FormatSpinnerValue(33.3333f), "33.333");
    EXPECT_EQ(studio::FormatSpinnerValue(-0.1f), "-0.1");
}

}  // namespace
