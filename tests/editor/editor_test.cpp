// The editor object: what it shows, when it reloads, and how it follows
// the texture, the time and other textures.

#include "editor/controls.h"
#include "editor_fixture.h"
#include "studio/core/assert_record.h"
#include "studio/core/param_block.h"
#include "studio/core/undo_stack.h"
#include "studio/ui/custom_controls.h"
#include "studio/ui/standard_controls.h"
#include "studio/ui/window_system.h"

namespace {

constexpr int kBasicHueSpin = 1026, kContrastSpin = 1064, kHueGainSpin = 1018;
constexpr int kBrightnessSpin = 1030, kRGainSpin = 1040;

DWORD SwatchColor(HWND swatch) {
    studio::SwatchState state{};
    EXPECT_TRUE(studio::GetSwatchState(swatch, state));
    return state.color;
}

int Selection(HWND list) { return studio::Windows().Find(list)->selection; }

TEST_F(EditorTest, RollupsInOrderWithTitles) {
    EXPECT_EQ(host.Rollups()[0].title, "About Tintora");
    EXPECT_EQ(host.Rollups()[0].flags, 1u);
    EXPECT_EQ(host.Rollups()[0].templateId, 103);
    EXPECT_EQ(host.Rollups()[1].title, "Tintora Parameters");
    EXPECT_EQ(host.Rollups()[1].flags, 0u);
    EXPECT_EQ(map->editor, dlg);
    EXPECT_EQ(dlg->GetEditedMap(), map.get());
    EXPECT_EQ(dlg->ClassID(), Class_ID(0x57EE53DC, 0x134F5A34));
}

TEST_F(EditorTest, SetupBindsControls) {
    studio::SpinnerState spin{};
    ASSERT_TRUE(studio::GetSpinnerState(Control(kHueGainSpin), spin));
    EXPECT_EQ(spin.low, -1.0e30f);
    EXPECT_EQ(spin.high, 1.0e30f);
    EXPECT_EQ(spin.step, 0.1f);
    EXPECT_EQ(spin.edit, Control(1017));
    for (int list : {IDC_R_SOURCE, IDC_G_SOURCE, IDC_B_SOURCE})
        EXPECT_EQ(studio::Windows().Find(Control(list))->items,
                  (std::vector<std::string>{"Red", "Green", "Blue"}));
    studio::SwatchState swatch{};
    ASSERT_TRUE(studio::GetSwatchState(Control(IDC_SOURCE_SWATCH), swatch));
    EXPECT_EQ(swatch.title, "Tora Source");
}

// Values show in display units; the contrast shows as stored under invert.
TEST_F(EditorTest, RefreshShowsCacheInDisplayUnits) {
    IParamBlock* pb = map->ParamBlock();
    pb->SetValue(PB_HUE_OFFSET, 0, 90.0f);
    pb->SetValue(PB_HUE_GAIN, 0, -45.0f);
    pb->SetValue(PB_CONTRAST, 0, 100.0f);
    pb->SetValue(PB_INVERT, 0, 1);
    pb->SetValue(PB_R_GAIN, 0, 250.0f);
    pb->SetValue(PB_B_SOURCE, 0, 0);
    pb->SetValue(PB_SOURCE_COLOR, 0, Color(1.0f, 0.5f, 0.0f));
    dlg->Refresh();
    EXPECT_EQ(SpinnerValue(kBasicHueSpin), 90.0f);
    EXPECT_EQ(SpinnerValue(1057), 90.0f);
    EXPECT_EQ(SpinnerValue(kHueGainSpin), -45.0f);
    EXPECT_EQ(SpinnerValue(kContrastSpin), 100.0f);
    EXPECT_EQ(SpinnerValue(kRGainSpin), 250.0f);
    EXPECT_EQ(IsDlgButtonChecked(Panel(), IDC_INVERT), 1u);
    EXPECT_EQ(Selection(Control(IDC_B_SOURCE)), 0);
    EXPECT_EQ(SwatchColor(Control(IDC_SOURCE_SWATCH)), 0x000080ffu);
}

TEST_F(EditorTest, ButtonLabelsFollowSlots) {
    EXPECT_EQ(Text(1003), "NONE");
    for (int slot = 1; slot < 12; ++slot) EXPECT_EQ(Text(slotButtonIds[slot]), "") << slot;

    auto* source = new FixedTexmap("src");
    source->SetName("Marble");
    map->SetSubTexmap(MAP_SOURCE, source);
    map->SetSubTexmap(MAP_G_GAIN, new FixedTexmap("gain"));
    EXPECT_EQ(Text(1003), source->GetFullName().str());
    EXPECT_EQ(Text(slotButtonIds[MAP_G_GAIN]), "M");
    map->SetSubTexmap(MAP_G_GAIN, nullptr);
    EXPECT_EQ(Text(slotButtonIds[MAP_G_GAIN]), "");
}

TEST_F(EditorTest, ChosenSubTextureReachesSlotAndLabel) {
    auto* chosen = new FixedTexmap("chosen");
    host.SetTextureChooser([&](MtlBase&, int) -> std::optional<Texmap*> { return chosen; });
    ASSERT_TRUE(studio::ClickButton(Control(slotButtonIds[MAP_R_GAIN])));
    Pump();
    EXPECT_EQ(map->GetSubTexmap(MAP_R_GAIN), chosen);
    EXPECT_EQ(Text(slotButtonIds[MAP_R_GAIN]), "M");
}

struct MessageBoxCall {
    std::string text, caption;
    UINT type = 0;
};

TEST_F(EditorTest, ResetAnsweredNoChangesNothing) {
    MessageBoxCall call;
    studio::Windows().SetMessageBoxProvider([&](HWND, std::string_view text, std::string_view caption, UINT type) {
        call = {std::string(text), std::string(caption), type};
        return 7;
    });
    map->ParamBlock()->SetValue(PB_BRIGHTNESS, 0, 30.0f);
    map->SetSubTexmap(MAP_VAL_GAIN, new FixedTexmap("v"));
    dlg->Refresh();
    ASSERT_TRUE(studio::ClickButton(Control(IDC_RESET)));
    EXPECT_EQ(call.text,
              "All the settings will be reset to defaults and \n"
              "all the sub-textures (Except the Source texture) will be removed.\n"
              "Is this OK?");
    EXPECT_EQ(call.caption, "Are you sure?");
    EXPECT_EQ(call.type, 0x34u);
    EXPECT_EQ(FloatParam(PB_BRIGHTNESS), 30.0f);
    EXPECT_NE(map->GetSubTexmap(MAP_VAL_GAIN), nullptr);
    EXPECT_FLOAT_EQ(SpinnerValue(kBrightnessSpin), 30.0f);
}

TEST_F(EditorTest, ResetAnsweredYesRestoresDefaultsAndKeepsSource) {
    studio::Windows().SetMessageBoxProvider([](HWND, std::string_view, std::string_view, UINT) { return 6; });
    auto* source = new FixedTexmap("src");
    map->SetSubTexmap(MAP_SOURCE, source);
    map->SetSubTexmap(MAP_VAL_GAIN, new FixedTexmap("v"));
    map->ParamBlock()->SetValue(PB_BRIGHTNESS, 0, 30.0f);
    map->ParamBlock()->SetValue(PB_MONO, 0, 1);
    dlg->Refresh();

    ASSERT_TRUE(studio::ClickButton(Control(IDC_RESET)));
    EXPECT_EQ(map->GetSubTexmap(MAP_SOURCE), source);
    EXPECT_EQ(map->GetSubTexmap(MAP_VAL_GAIN), nullptr);
    EXPECT_EQ(FloatParam(PB_BRIGHTNESS), 0.0f);
    EXPECT_EQ(SpinnerValue(kBrightnessSpin), 0.0f) << "shown at once";
    EXPECT_EQ(IsDlgButtonChecked(Panel(), IDC_MONO), 0u);
    EXPECT_EQ(Text(slotButtonIds[MAP_VAL_GAIN]), "");
    EXPECT_TRUE(UndoNames().empty()) << "a reset is no undo step";
}

// A change from outside the editor marks it stale and the next paint reloads
// it; changes made through the rollup do not, so a paint then reloads
// nothing. A reload shows as an Update reaching the sub-texture.
TEST_F(EditorTest, PaintReloadsOnlyWhenStale) {
    CallLog log;
    map->SetSubTexmap(MAP_VAL_GAIN, new FixedTexmap("sub", &log));
    Pump();  // the first paint after construction
    log.clear();

    HWND brightness = Control(kBrightnessSpin);
    ASSERT_TRUE(studio::PressSpinner(brightness));
    ASSERT_TRUE(studio::DragSpinner(brightness, 10));
    ASSERT_TRUE(studio::ReleaseSpinner(brightness));
    InvalidateRect(Panel(), nullptr, 0);
    EXPECT_EQ(Pump(), 1);
    EXPECT_TRUE(log.empty()) << "no reload while up to date";

    map->ParamBlock()->SetValue(PB_BRIGHTNESS, 0, 12.5f);
    EXPECT_FLOAT_EQ(SpinnerValue(kBrightnessSpin), 1.0f) << "not before the paint";
    EXPECT_EQ(Pump(), 1);
    EXPECT_EQ(log, CallLog{"sub.update"});
    EXPECT_EQ(SpinnerValue(kBrightnessSpin), 12.5f);
}

TEST_F(EditorTest, ChangeTimeFollowsAnimation) {
    studio::SetAutoKey(true);
    map->ParamBlock()->SetValue(PB_HUE_GAIN, 0, 0.0f);
    map->ParamBlock()->SetValue(PB_HUE_GAIN, 100, 100.0f);
    studio::SetAutoKey(false);
    Pump();

    dlg->ChangeTime(50);
    EXPECT_FLOAT_EQ(SpinnerValue(kHueGainSpin), 50.0f);
    EXPECT_EQ(Pump(), 1) << "the rollup is repainted";

    dlg->ChangeTime(50);
    EXPECT_EQ(Pump(), 0) << "the same time neither refreshes nor repaints";

    // Writes go to the material editor's time.
    studio::SetAutoKey(true);
    host.SetCurrentTime(100);
    HWND edit = Control(1017);
    ASSERT_TRUE(studio::TypeInEdit(edit, "80"));
    ASSERT_TRUE(studio::CommitEdit(edit));
    EXPECT_EQ(FloatParam(PB_HUE_GAIN, 100), 80.0f);
    EXPECT_EQ(FloatParam(PB_HUE_GAIN, 0), 0.0f);
}

TEST_F(EditorTest, SetEditedMapMovesBetweenTextures) {
    auto second = NewTintora();
    second->ParamBlock()->SetValue(PB_BRIGHTNESS, 0, 77.0f);
    dlg->SetEditedMap(second.get());
    EXPECT_EQ(map->editor, nullptr);
    EXPECT_EQ(second->editor, dlg);
    EXPECT_EQ(dlg->GetEditedMap(), second.get());
    EXPECT_FLOAT_EQ(SpinnerValue(kBrightnessSpin), 77.0f);

    dlg->SetEditedMap(map.get());
    EXPECT_EQ(second->editor, nullptr);
    EXPECT_EQ(SpinnerValue(kBrightnessSpin), 0.0f);
}

// Another class is reported with the two lines and stays unattached.
TEST_F(EditorTest, SetEditedMapRefusesOtherClasses) {
    studio::ClearAssertRecord();
    FixedTexmap other("other");
    dlg->SetEditedMap(&other);
    const auto& record = studio::AssertRecord();
    ASSERT_EQ(record.size(), 1u);
    EXPECT_EQ(record[0].line, 669);
    EXPECT_EQ(record[0].file, "Tintora");
    EXPECT_EQ(dlg->GetEditedMap(), map.get());
    EXPECT_EQ(map->editor, dlg);
}

TEST_F(EditorTest, MessagesWithoutEditorAnswerZero) {
    HWND stray = studio::Windows().Create({"#32770", 1, 0, "", 0, 0, 10, 10, nullptr, nullptr, 0, nullptr});
    ASSERT_NE(stray, nullptr);
    EXPECT_EQ(TintoraDlg::PanelThunk(stray, 273, IDC_INVERT, 0), 0);
    EXPECT_EQ(TintoraDlg::PanelThunk(stray, 15, 0, 0), 0);
    studio::Windows().Destroy(stray);

    HWND panel = Panel();
    dlg->DeleteThis();
    dlg = nullptr;
    EXPECT_EQ(map->editor, nullptr);
    CheckDlgButton(panel, IDC_MONO, 1);
    EXPECT_EQ(TintoraDlg::PanelThunk(panel, 273, IDC_MONO, 0), 0);
    EXPECT_EQ(IntParam(PB_MONO), 0);
    map->ParamBlock()->SetValue(PB_BRIGHTNESS, 0, 5.0f);  // no editor to tell
}

// The editor holds sixteen spinner handles and releases each once.
TEST_F(EditorTest, DestructionReleasesEverySpinner) {
    const std::size_t withEditor = studio::LiveSpinnerHandles();
    auto other = NewTintora();
    studio::MaterialEditorHost otherHost;
    ParamEditor* second = other->CreateEditor(otherHost.EditorWindow(), &otherHost);
    EXPECT_EQ(studio::LiveSpinnerHandles(), withEditor + 16);
    second->DeleteThis();
    EXPECT_EQ(studio::LiveSpinnerHandles(), withEditor);
    EXPECT_EQ(other->editor, nullptr);
}

TEST_F(EditorTest, MouseMessagesGoToHost) {
    for (UINT message : {512u, 513u, 514u}) studio::Windows().Send(Panel(), message, 0, 0);
    EXPECT_EQ(host.MouseMessageCount(), 3);
}

}  // namespace
