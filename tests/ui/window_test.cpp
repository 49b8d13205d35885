// The window layer: dialogs from templates, delivery, the posted-message
// queue, invalidation, user data and the message box.

#include <gtest/gtest.h>

#include <cstdint>

#include "studio/ui/dialog_builder.h"
#include "studio/ui/messages.h"
#include "studio/ui/window_system.h"
#include "tests/ui/ui_test_support.h"

namespace {

using studio::Windows;
using uitest::Note;
using uitest::Recorded;
using uitest::RollupTest;

TEST_F(RollupTest, DialogHoldsTheTemplatesControlsAsChildren) {
    const studio::Window* d = Windows().Find(dialog);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->cx, 212);
    EXPECT_EQ(d->cy, 222);
    EXPECT_EQ(d->instance, uitest::TestInstance());
    ASSERT_EQ(d->children.size(), 68u);
    const studio::Window* swatch = Windows().Find(d->children.front());
    ASSERT_NE(swatch, nullptr);
    EXPECT_EQ(swatch->id, 1066);
    EXPECT_EQ(swatch->parent, dialog);
    EXPECT_EQ(Windows().Find(Item(1055))->text, "Colorize");
    EXPECT_TRUE(Windows().Find(Item(1055))->HasStyle(window_style::Disabled));
    EXPECT_FALSE(Windows().AcceptsInput(Item(1055)));
    EXPECT_TRUE(Windows().AcceptsInput(Item(1031)));
    EXPECT_EQ(GetDlgItem(dialog, 4242), nullptr);
}

TEST_F(RollupTest, InitDialogArrivesWithTheCallersValueAndFirstTabStop) {
    HWND second = studio::CreateDialogFromResources(uitest::TestInstance(), 102, nullptr, 0, 0,
                                                    uitest::RecordingProc, 0x1234);
    ASSERT_NE(second, nullptr);
    ASSERT_EQ(Recorded().size(), 1u);
    EXPECT_EQ(Recorded()[0].message, 272u);
    EXPECT_EQ(uitest::RecordedLParams()[0], 0x1234);
    Windows().Destroy(second);
}

TEST_F(RollupTest, PostedMessagesWaitForThePumpAndKeepTheirOrder) {
    EXPECT_TRUE(PostMessageA(dialog, 1000, 1, 0));
    EXPECT_TRUE(PostMessageA(dialog, 1001, 2, 0));
    EXPECT_TRUE(Recorded().empty());
    EXPECT_EQ(Windows().QueuedMessages(), 2u);
    EXPECT_EQ(Windows().Pump(), 2);
    EXPECT_EQ(Recorded(), (std::vector<Note>{{1000, 1, 0}, {1001, 2, 0}}));
    EXPECT_EQ(Windows().Pump(), 0);
}

TEST_F(RollupTest, InvalidateRectBringsOnePaintAfterThePostedMessages) {
    EXPECT_TRUE(InvalidateRect(dialog, nullptr, 0));
    EXPECT_TRUE(InvalidateRect(dialog, nullptr, 1));
    EXPECT_TRUE(PostMessageA(dialog, 1000, 0, 0));
    EXPECT_TRUE(Recorded().empty());
    Windows().Pump();
    EXPECT_EQ(Recorded(), (std::vector<Note>{{1000, 0, 0}, {15, 0, 0}}));
    Recorded().clear();
    Windows().Pump();
    EXPECT_TRUE(Recorded().empty());
}

TEST_F(RollupTest, MessagesPostedWhileDeliveringAreDeliveredInTheSamePump) {
    static HWND target;
    target = dialog;
    Windows().Find(dialog)->dialogProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> INT_PTR {
        if (m == 1000) {
            PostMessageA(target, 1001, 0, 0);
            InvalidateRect(target, nullptr, 0);
        }
        return uitest::RecordingProc(w, m, wp, lp);
    };
    PostMessageA(dialog, 1000, 0, 0);
    EXPECT_EQ(Windows().Pump(), 3);
    EXPECT_EQ(Recorded(), (std::vector<Note>{{1000, 0, 0}, {1001, 0, 0}, {15, 0, 0}}));
}

TEST_F(RollupTest, DestroyedWindowsTakeTheirQueuedMessagesAlong) {
    HWND second = studio::CreateDialogFromResources(uitest::TestInstance(), 103, nullptr, 0, 0,
                                                    uitest::RecordingProc, 0);
    ASSERT_NE(second, nullptr);
    const HWND child = Windows().Find(second)->children.at(0);
    PostMessageA(second, 1000, 0, 0);
    InvalidateRect(second, nullptr, 0);
    Windows().Destroy(second);
    Recorded().clear();
    EXPECT_EQ(Windows().Pump(), 0);
    EXPECT_EQ(Windows().Find(second), nullptr);
    EXPECT_EQ(Windows().Find(child), nullptr);
    EXPECT_FALSE(PostMessageA(second, 1000, 0, 0));
    EXPECT_FALSE(InvalidateRect(second, nullptr, 0));
    EXPECT_EQ(SendDlgItemMessageA(second, 1033, 327, 0, 0), 0);
}

TEST_F(RollupTest, UserDataHoldsAFullPointer) {
    const auto farPointer = LONG_PTR(std::uintptr_t(0xF00DFACE12345678ull & UINTPTR_MAX));
    EXPECT_EQ(GetWindowLongA(dialog, GWLP_USERDATA), 0);
    EXPECT_EQ(SetWindowLongA(dialog, GWLP_USERDATA, farPointer), 0);
    EXPECT_EQ(GetWindowLongA(dialog, GWLP_USERDATA), farPointer);
    int object = 0;
    EXPECT_EQ(SetWindowLongA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&object)), farPointer);
    EXPECT_EQ(reinterpret_cast<int*>(GetWindowLongA(dialog, GWLP_USERDATA)), &object);
    EXPECT_EQ(GetWindowLongA(Item(1031), GWLP_USERDATA), 0);  // each window its own
    EXPECT_EQ(GetWindowLongA(nullptr, GWLP_USERDATA), 0);
    EXPECT_EQ(SetWindowLongA(nullptr, GWLP_USERDATA, 5), 0);
}

TEST_F(RollupTest, DialogItemTextRoundTrips) {
    EXPECT_TRUE(SetDlgItemTextA(dialog, 1003, "Noise (Noise)"));
    char buffer[8];
    EXPECT_EQ(SendDlgItemMessageA(dialog, 1003, studio::msg::GetText, sizeof buffer,
                                  reinterpret_cast<LPARAM>(buffer)),
              7);
    EXPECT_STREQ(buffer, "Noise (");
    EXPECT_TRUE(SetDlgItemTextA(dialog, 1062, ""));
    EXPECT_EQ(Windows().Find(Item(1062))->text, "");
    EXPECT_FALSE(SetDlgItemTextA(dialog, 4242, "x"));
}

TEST_F(RollupTest, MissingControlClassFailsTheWholeDialog) {
    const ResourceControl controls[] = {
        {1, "BUTTON", window_style::Child, 0, 0, 0, 10, 10, "ok", 0},
        {2, "NoSuchClass", window_style::Child, 0, 0, 0, 10, 10, "", 0},
    };
    const ResourceDialog broken{500, window_style::Child, 0, 0, 0, 50, 50, "", "", 0, controls, 2};
    const std::size_t before = Windows().WindowCount();
    EXPECT_EQ(studio::CreateDialogFromTemplate(nullptr, broken, nullptr, 0, 0, uitest::RecordingProc, 0), nullptr);
    EXPECT_EQ(Windows().WindowCount(), before);
    EXPECT_NE(Windows().LastError().find("NoSuchClass"), std::string::npos) << Windows().LastError();
    EXPECT_TRUE(Recorded().empty());  // no 272 for a dialog that was never made
    EXPECT_EQ(studio::CreateDialogFromResources(uitest::TestInstance(), 999, nullptr, 0, 0, nullptr, 0), nullptr);
}

class MessageBoxTest : public ::testing::Test {
protected:
    void TearDown() override { Windows().SetMessageBoxProvider(nullptr); }
};

TEST_F(MessageBoxTest, ProviderAnswersWithWhatItWasAsked) {
    std::string text, caption;
    UINT type = 0;
    Windows().SetMessageBoxProvider([&](HWND, std::string_view t, std::string_view c, UINT ty) {
        text = t;
        caption = c;
        type = ty;
        return 7;
    });
    EXPECT_EQ(MessageBoxA(nullptr, "Is this OK?", "Are you sure?", 0x34), 7);
    EXPECT_EQ(text, "Is this OK?");
    EXPECT_EQ(caption, "Are you sure?");
    EXPECT_EQ(type, 0x34u);
    EXPECT_EQ(MessageBoxA(nullptr, nullptr, nullptr, 0), 7);
    EXPECT_EQ(text, "");
}

TEST_F(MessageBoxTest, WithoutProviderTheBoxFails) {
    EXPECT_EQ(MessageBoxA(nullptr, "text", "caption", 0x34), 0);
}

}  // namespace
