// Buttons, check boxes and drop-down lists, through the Windows functions
// and as a user clicks them.

#include <gtest/gtest.h>

#include "studio/ui/messages.h"
#include "studio/ui/standard_controls.h"
#include "studio/ui/window_system.h"
#include "tests/ui/ui_test_support.h"

namespace {

using studio::ChooseListItem;
using studio::ClickButton;
using studio::Windows;
using uitest::Note;
using uitest::Recorded;
using uitest::RollupTest;

TEST_F(RollupTest, ClickingAPushButtonSendsItsCommand) {
    for (const int id : {1003, 1062, 1065}) {
        Recorded().clear();
        EXPECT_TRUE(ClickButton(Item(id)));
        EXPECT_EQ(Recorded(), (std::vector<Note>{{273, UINT(id), 0}}));
        EXPECT_EQ(uitest::RecordedLParams().back(), reinterpret_cast<LPARAM>(Item(id)));
    }
}

TEST_F(RollupTest, ClickingAnAutoCheckBoxTogglesItBeforeTheCommand) {
    static UINT stateSeen;
    Windows().Find(dialog)->dialogProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> INT_PTR {
        if (m == 273) stateSeen = IsDlgButtonChecked(w, int(LOWORD(wp)));
        return uitest::RecordingProc(w, m, wp, lp);
    };
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1031), 0u);
    EXPECT_TRUE(ClickButton(Item(1031)));
    EXPECT_EQ(stateSeen, 1u);
    EXPECT_TRUE(ClickButton(Item(1031)));
    EXPECT_EQ(stateSeen, 0u);
    EXPECT_EQ(Recorded(), (std::vector<Note>{{273, 1031, 0}, {273, 1031, 0}}));
}

TEST_F(RollupTest, CheckDlgButtonSetsWithoutNotifying) {
    EXPECT_TRUE(CheckDlgButton(dialog, 1032, 1));
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1032), 1u);
    EXPECT_TRUE(CheckDlgButton(dialog, 1055, 1));  // disabled controls still take program changes
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1055), 1u);
    EXPECT_TRUE(CheckDlgButton(dialog, 1032, 0));
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1032), 0u);
    EXPECT_FALSE(CheckDlgButton(dialog, 4242, 1));
    EXPECT_EQ(IsDlgButtonChecked(dialog, 4242), 0u);
    EXPECT_TRUE(Recorded().empty());
}

TEST_F(RollupTest, DisabledControlsIgnoreTheUser) {
    EXPECT_FALSE(ClickButton(Item(1055)));
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1055), 0u);
    Windows().Find(Item(1033))->style |= window_style::Disabled;
    SendDlgItemMessageA(dialog, 1033, 323, 0, reinterpret_cast<LPARAM>("Red"));
    EXPECT_FALSE(ChooseListItem(Item(1033), 0));
    Windows().Find(dialog)->style |= window_style::Disabled;  // a disabled dialog disables its controls
    EXPECT_FALSE(ClickButton(Item(1065)));
    EXPECT_TRUE(Recorded().empty());
}

TEST_F(RollupTest, GroupBoxesAndOtherClassesAreNotClickable) {
    const studio::Window* d = Windows().Find(dialog);
    HWND groupBox = nullptr;
    for (const HWND child : d->children)
        if (Windows().Find(child)->text == "Basic") groupBox = child;
    ASSERT_NE(groupBox, nullptr);
    EXPECT_FALSE(ClickButton(groupBox));
    EXPECT_FALSE(ClickButton(Item(1033)));
    EXPECT_FALSE(ClickButton(nullptr));
    EXPECT_TRUE(Recorded().empty());
}

TEST_F(RollupTest, ListMessagesAddSelectAndRead) {
    for (const char* item : {"Red", "Green", "Blue"})
        SendDlgItemMessageA(dialog, 1034, 323, 0, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(Windows().Find(Item(1034))->items, (std::vector<std::string>{"Red", "Green", "Blue"}));
    EXPECT_EQ(SendDlgItemMessageA(dialog, 1034, 327, 0, 0), -1);  // nothing selected yet
    EXPECT_EQ(SendDlgItemMessageA(dialog, 1034, 334, 1, 0), 1);
    EXPECT_EQ(SendDlgItemMessageA(dialog, 1034, 327, 0, 0), 1);
    EXPECT_EQ(SendDlgItemMessageA(dialog, 1034, 334, 3, 0), -1);  // out of range clears the selection
    EXPECT_EQ(SendDlgItemMessageA(dialog, 1034, 327, 0, 0), -1);
    EXPECT_EQ(SendDlgItemMessageA(dialog, 1034, 334, WPARAM(-1), 0), -1);
    EXPECT_EQ(SendDlgItemMessageA(dialog, 1034, studio::msg::ComboGetCount, 0, 0), 3);
    EXPECT_EQ(SendDlgItemMessageA(dialog, 1034, 323, 0, 0), -1);  // no text
    EXPECT_TRUE(Recorded().empty());
}

TEST_F(RollupTest, ChoosingAListItemSelectsThenSendsSelChange) {
    for (const char* item : {"Red", "Green", "Blue"})
        SendDlgItemMessageA(dialog, 1035, 323, 0, reinterpret_cast<LPARAM>(item));
    static LRESULT selectionSeen;
    Windows().Find(dialog)->dialogProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> INT_PTR {
        if (m == 273) selectionSeen = SendDlgItemMessageA(w, int(LOWORD(wp)), 327, 0, 0);
        return uitest::RecordingProc(w, m, wp, lp);
    };
    EXPECT_TRUE(ChooseListItem(Item(1035), 2));
    EXPECT_EQ(selectionSeen, 2);
    EXPECT_TRUE(ChooseListItem(Item(1035), 0));
    EXPECT_EQ(selectionSeen, 0);
    EXPECT_FALSE(ChooseListItem(Item(1035), 3));
    EXPECT_FALSE(ChooseListItem(Item(1035), -1));
    EXPECT_EQ(Recorded(), (std::vector<Note>{{273, 1035, 1}, {273, 1035, 1}}));
}

}  // namespace
