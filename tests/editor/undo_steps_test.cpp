// Edits through the rollup's controls: the parameter written, the mirror
// spinners, and the undo steps they leave on the studio's undo stack.

#include "editor/controls.h"
#include "editor_fixture.h"
#include "host/hold.h"
#include "studio/core/undo_stack.h"
#include "studio/ui/custom_controls.h"
#include "studio/ui/standard_controls.h"
#include "studio/ui/window_system.h"

namespace {

using Names = std::vector<std::string>;

constexpr int kBasicHueSpin = 1026, kHueOffsetSpin = 1057;
constexpr int kBasicSatSpin = 1028, kSatGainSpin = 1020;
constexpr int kBrightnessSpin = 1030, kValOffsetSpin = 1061, kValGainSpin = 1022;

TEST_F(EditorTest, DragAndReleaseIsOneParameterStep) {
    ASSERT_TRUE(studio::PressSpinner(Control(kBrightnessSpin)));
    ASSERT_TRUE(studio::DragSpinner(Control(kBrightnessSpin), 5));
    ASSERT_TRUE(studio::DragSpinner(Control(kBrightnessSpin), 5));
    ASSERT_TRUE(studio::ReleaseSpinner(Control(kBrightnessSpin)));
    EXPECT_FLOAT_EQ(FloatParam(PB_BRIGHTNESS), 1.0f);
    EXPECT_EQ(UndoNames(), Names{"Parameter Change"});
    EXPECT_EQ(host.MapChangedCount(), 1);

    ASSERT_TRUE(studio::TheUndoStack().Undo());
    EXPECT_EQ(FloatParam(PB_BRIGHTNESS), 0.0f) << "one step holds every write of the drag";
    ASSERT_TRUE(studio::TheUndoStack().Redo());
    EXPECT_FLOAT_EQ(FloatParam(PB_BRIGHTNESS), 1.0f);
}

TEST_F(EditorTest, CancelledDragLeavesNoStep) {
    ASSERT_TRUE(studio::PressSpinner(Control(kBrightnessSpin)));
    ASSERT_TRUE(studio::DragSpinner(Control(kBrightnessSpin), 30));
    EXPECT_FLOAT_EQ(FloatParam(PB_BRIGHTNESS), 3.0f) << "a drag writes at each step";
    ASSERT_TRUE(studio::CancelSpinner(Control(kBrightnessSpin)));
    EXPECT_EQ(FloatParam(PB_BRIGHTNESS), 0.0f);
    EXPECT_TRUE(UndoNames().empty());
    EXPECT_EQ(host.MapChangedCount(), 1) << "a cancel still tells the material editor";
    EXPECT_FALSE(theHold.Holding());
}

TEST_F(EditorTest, TypedValueIsOneParameterStep) {
    HWND edit = Control(1029);
    ASSERT_TRUE(studio::TypeInEdit(edit, "-250.5"));
    ASSERT_TRUE(studio::CommitEdit(edit));
    EXPECT_EQ(FloatParam(PB_BRIGHTNESS), -250.5f);
    EXPECT_EQ(UndoNames(), Names{"Parameter Change"});
    EXPECT_FALSE(theHold.Holding());
}

TEST_F(EditorTest, ColorPickIsOneColorStep) {
    HWND swatch = Control(IDC_SOURCE_SWATCH);
    ASSERT_TRUE(studio::BeginColorPick(swatch));
    ASSERT_TRUE(studio::PickColor(swatch, 0x000080ff));
    ASSERT_TRUE(studio::PickColor(swatch, 0x00ff0000));
    EXPECT_EQ(ColorParam(), Color(0.0f, 0.0f, 1.0f)) << "live choices write at once";
    ASSERT_TRUE(studio::EndColorPick(swatch));
    EXPECT_EQ(UndoNames(), Names{"Color Change"});
    studio::TheUndoStack().Undo();
    EXPECT_EQ(ColorParam(), Color(1.0f, 0.0f, 0.0f));
}

TEST_F(EditorTest, CancelledColorPickRestoresColor) {
    HWND swatch = Control(IDC_SOURCE_SWATCH);
    ASSERT_TRUE(studio::BeginColorPick(swatch));
    ASSERT_TRUE(studio::PickColor(swatch, 0x0000ff00));
    ASSERT_TRUE(studio::CancelColorPick(swatch));
    EXPECT_EQ(ColorParam(), Color(1.0f, 0.0f, 0.0f));
    EXPECT_TRUE(UndoNames().empty());
}

TEST_F(EditorTest, SingleColorChoiceIsItsOwnStep) {
    ASSERT_TRUE(studio::PickColor(Control(IDC_SOURCE_SWATCH), 0x00ffffff));
    EXPECT_EQ(ColorParam(), Color(1.0f, 1.0f, 1.0f));
    EXPECT_EQ(UndoNames(), Names{"Color Change"});
}

// A live colour change without an interaction around it only writes: no
// undo call, no change notice.
TEST_F(EditorTest, IncompleteColorChangeOnlyWrites) {
    Interval valid = WHOLE_INTERVAL;
    map->Update(0, valid);
    studio::SwatchState swatch{};
    ASSERT_TRUE(studio::GetSwatchState(Control(IDC_SOURCE_SWATCH), swatch));
    studio::Windows().Send(Panel(), 1627, IDC_SOURCE_SWATCH, 0);
    EXPECT_EQ(ColorParam(), Color(swatch.color));
    EXPECT_FALSE(theHold.Holding());
    EXPECT_TRUE(UndoNames().empty());
}

struct MirrorCase {
    int driven, mirror;
    int param;
};

TEST_F(EditorTest, MirrorSpinnersFollowEachOther) {
    const MirrorCase cases[] = {{kBasicHueSpin, kHueOffsetSpin, PB_HUE_OFFSET},
                                {kHueOffsetSpin, kBasicHueSpin, PB_HUE_OFFSET},
                                {kBasicSatSpin, kSatGainSpin, PB_SAT_GAIN},
                                {kSatGainSpin, kBasicSatSpin, PB_SAT_GAIN}};
    for (const MirrorCase& c : cases) {
        ASSERT_TRUE(studio::PressSpinner(Control(c.driven)));
        ASSERT_TRUE(studio::DragSpinner(Control(c.driven), 7));
        ASSERT_TRUE(studio::ReleaseSpinner(Control(c.driven)));
        EXPECT_EQ(SpinnerValue(c.mirror), SpinnerValue(c.driven)) << c.driven;
        EXPECT_EQ(FloatParam(c.param), SpinnerValue(c.driven)) << c.driven;
    }
    EXPECT_EQ(UndoNames().size(), 4u);
}

TEST_F(EditorTest, BrightnessHasNoMirror) {
    ASSERT_TRUE(studio::PressSpinner(Control(kBrightnessSpin)));
    ASSERT_TRUE(studio::DragSpinner(Control(kBrightnessSpin), 10));
    ASSERT_TRUE(studio::ReleaseSpinner(Control(kBrightnessSpin)));
    EXPECT_EQ(SpinnerValue(kValOffsetSpin), 0.0f);
    EXPECT_EQ(SpinnerValue(kValGainSpin), 100.0f);
}

TEST_F(EditorTest, CheckBoxesWriteWithoutUndoStep) {
    const std::pair<int, int> boxes[] = {{IDC_INVERT, PB_INVERT}, {IDC_MONO, PB_MONO}};
    for (auto [id, param] : boxes) {
        ASSERT_TRUE(studio::ClickButton(Control(id)));
        EXPECT_EQ(IntParam(param), 1) << id;
        ASSERT_TRUE(studio::ClickButton(Control(id)));
        EXPECT_EQ(IntParam(param), 0) << id;
    }
    EXPECT_TRUE(UndoNames().empty());
}

// Colorize is disabled in the layout, so no user reaches it; a command from
// it is still handled like the other boxes.
TEST_F(EditorTest, ColorizeCommandWritesEvenThoughDisabled) {
    EXPECT_FALSE(studio::ClickButton(Control(IDC_COLORIZE)));
    CheckDlgButton(Panel(), IDC_COLORIZE, 1);
    studio::Windows().Send(Panel(), 273, IDC_COLORIZE, 0);
    EXPECT_EQ(IntParam(PB_COLORIZE), 1);
}

TEST_F(EditorTest, ChannelListsWriteOnSelectionChangeOnly) {
    ASSERT_TRUE(studio::ChooseListItem(Control(IDC_R_SOURCE), 2));
    EXPECT_EQ(IntParam(PB_R_SOURCE), 2);
    ASSERT_TRUE(studio::ChooseListItem(Control(IDC_B_SOURCE), 0));
    EXPECT_EQ(IntParam(PB_B_SOURCE), 0);
    EXPECT_TRUE(UndoNames().empty());

    SendDlgItemMessageA(Panel(), IDC_G_SOURCE, 334, 2, 0);
    studio::Windows().Send(Panel(), 273, IDC_G_SOURCE | (7 << 16), 0);  // the list opened
    EXPECT_EQ(IntParam(PB_G_SOURCE), 1);
}

// A change message naming no spinner opens a step if none is open and still
// sends the change notice, but writes nothing.
TEST_F(EditorTest, ChangeFromUnknownSpinnerWritesNothing) {
    int notices = 0;
    map->SetName("x");
    struct Counter : ReferenceMaker {
        explicit Counter(ReferenceTarget* t, int* n) : count(n) { ReplaceReference(0, t, 0); }
        ~Counter() override { ReplaceReference(0, nullptr, 0); }
        int NumRefs() override { return 1; }
        RefTargetHandle GetReference(int) override { return ref; }
        void SetReference(int, RefTargetHandle t) override { ref = t; }
        RefResult OnReferenceMessage(Interval, RefTargetHandle, PartID&, RefMessage m) override {
            if (m == 80) ++*count;
            return REF_SUCCEED;
        }
        RefTargetHandle ref = nullptr;
        int* count;
    } counter(map.get(), &notices);

    studio::Windows().Send(Panel(), 1624, 4242, 0);
    EXPECT_TRUE(theHold.Holding());
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(FloatParam(PB_BRIGHTNESS), 0.0f);
    theHold.Cancel();
}

TEST_F(EditorTest, SubTextureButtonsPostRequestsWithoutUndo) {
    std::vector<int> asked;
    host.SetTextureChooser([&](MtlBase& texture, int slot) -> std::optional<Texmap*> {
        EXPECT_EQ(&texture, map.get());
        asked.push_back(slot);
        return std::nullopt;
    });
    for (int slot = 0; slot < 12; ++slot) ASSERT_TRUE(studio::ClickButton(Control(slotButtonIds[slot])));
    EXPECT_TRUE(asked.empty()) << "requests are posted, not sent";
    Pump();
    std::vector<int> all(12);
    for (int slot = 0; slot < 12; ++slot) all[slot] = slot;
    EXPECT_EQ(asked, all);
    EXPECT_TRUE(UndoNames().empty());
}

}  // namespace
