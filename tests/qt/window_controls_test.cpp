// The rollup controls of the window, used with mouse and keyboard.

#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "studio/qt/combo_widget.h"
#include "studio/qt/swatch_widget.h"
#include "studio/ui/custom_controls.h"
#include "window_fixture.h"

namespace {

constexpr int kBasicHueSpin = 1026, kHueOffsetSpin = 1057, kHueOffsetEdit = 1056;
constexpr int kBrightnessSpin = 1030, kBrightnessEdit = 1029, kContrastSpin = 1064;
constexpr int kValOffsetSpin = 1061;
constexpr int kInvert = 1031, kMono = 1032, kColorize = 1055, kReset = 1065, kSwatch = 1066;

TEST_F(StudioWindowTest, DrawsEveryControlOfBothRollups) {
    const auto& panels = window->Rollups().Panels();
    ASSERT_EQ(panels.size(), 2u);
    EXPECT_EQ(panels[0]->Title(), "About Tintora");
    EXPECT_EQ(panels[1]->Title(), "Tintora Parameters");
    EXPECT_EQ(panels[0]->Controls().size(), 3u);
    EXPECT_EQ(panels[1]->Controls().size(), 68u);
    // Dialog units become pixels for the rollup font: x by a quarter, y by an eighth of a character.
    const studio::qt::DialogUnits& units = window->Rollups().Units();
    EXPECT_EQ(Widget(kBrightnessEdit)->geometry(), units.Rect(90, 64, 30, 10));
    EXPECT_EQ(Widget(kSwatch)->geometry(), units.Rect(35, 10, 22, 12));
    EXPECT_GT(units.CharWidth(), 0);
    EXPECT_FALSE(Widget(kColorize)->findChild<QWidget*>()->isEnabled());
    EXPECT_TRUE(Widget(kInvert)->findChild<QWidget*>()->isEnabled());
}

TEST_F(StudioWindowTest, RollupsCollapseByTheirTitleBars) {
    studio::qt::RollupPanel* about = window->Rollups().Panel("About Tintora");
    ASSERT_NE(about, nullptr);
    QTest::mouseClick(about->TitleBar(), Qt::LeftButton);
    EXPECT_FALSE(about->Expanded());
    QTest::mouseClick(about->TitleBar(), Qt::LeftButton);
    EXPECT_TRUE(about->Expanded());
}

// One step of 0.1 per pixel; the mirror spinner follows; the drag is one undo step.
TEST_F(StudioWindowTest, DraggingASpinnerWritesTheParameterAndMirror) {
    DragSpinner(kBasicHueSpin, 25);
    EXPECT_NEAR(FloatParam(PB_HUE_OFFSET), 2.5f, 1e-4f);
    EXPECT_NEAR(SpinnerValue(kHueOffsetSpin), 2.5f, 1e-4f);
    EXPECT_EQ(EditText(kHueOffsetEdit), "2.5");
    EXPECT_EQ(UndoNames(), std::vector<std::string>{"Parameter Change"});
    EXPECT_TRUE(window->UndoAction()->text().contains("Parameter Change"));
    // Downwards is less; Ctrl drags ten times as fast.
    DragSpinner(kBrightnessSpin, -4);
    EXPECT_NEAR(FloatParam(PB_BRIGHTNESS), -0.4f, 1e-4f);
    DragSpinner(kBrightnessSpin, 3, Qt::ControlModifier);
    EXPECT_NEAR(FloatParam(PB_BRIGHTNESS), 2.6f, 1e-4f);
    EXPECT_EQ(UndoNames().size(), 3u);
    // Brightness has no mirror.
    EXPECT_EQ(SpinnerValue(kValOffsetSpin), 0.0f);
}

TEST_F(StudioWindowTest, ClickingASpinnerStepsOnce) {
    QWidget* spinner = Widget(kContrastSpin);
    QTest::mouseClick(spinner, Qt::LeftButton, {}, QPoint(spinner->width() / 2, 1));
    EXPECT_NEAR(FloatParam(PB_CONTRAST), 100.1f, 1e-3f);
    QTest::mouseClick(spinner, Qt::LeftButton, {}, QPoint(spinner->width() / 2, spinner->height() - 2));
    EXPECT_NEAR(FloatParam(PB_CONTRAST), 100.0f, 1e-3f);
    EXPECT_EQ(UndoNames().size(), 2u);
}

// A right-click or Escape during a drag puts the value back and leaves no undo step.
TEST_F(StudioWindowTest, CancellingADragRestoresTheValue) {
    for (const bool byEscape : {false, true}) {
        PressSpinner(kBasicHueSpin);
        MoveSpinner(kBasicHueSpin, 30);
        EXPECT_NEAR(FloatParam(PB_HUE_OFFSET), 3.0f, 1e-4f) << byEscape;
        EXPECT_NEAR(SpinnerValue(kHueOffsetSpin), 3.0f, 1e-4f);
        if (byEscape)
            QTest::keyClick(Widget(kBasicHueSpin), Qt::Key_Escape);
        else
            QTest::mouseClick(Widget(kBasicHueSpin), Qt::RightButton, {}, spinnerMouse);
        // The left button comes up after the cancel; that changes nothing more.
        ReleaseSpinner(kBasicHueSpin);
        EXPECT_EQ(FloatParam(PB_HUE_OFFSET), 0.0f) << byEscape;
        EXPECT_EQ(SpinnerValue(kBasicHueSpin), 0.0f);
        EXPECT_EQ(SpinnerValue(kHueOffsetSpin), 0.0f);
        EXPECT_TRUE(UndoNames().empty());
    }
}

TEST_F(StudioWindowTest, TypedValuesAreTakenWithEnter) {
    TypeIntoEdit(kBrightnessEdit, "42.5");
    EXPECT_EQ(FloatParam(PB_BRIGHTNESS), 42.5f);
    EXPECT_EQ(SpinnerValue(kBrightnessSpin), 42.5f);
    EXPECT_EQ(UndoNames(), std::vector<std::string>{"Parameter Change"});
    // Escape drops what was typed; text that is no number is refused.
    TypeIntoEdit(kBrightnessEdit, "7", Qt::Key_Escape);
    EXPECT_EQ(EditText(kBrightnessEdit), "42.5");
    TypeIntoEdit(kBrightnessEdit, "lots");
    EXPECT_EQ(FloatParam(PB_BRIGHTNESS), 42.5f);
    EXPECT_EQ(EditText(kBrightnessEdit), "42.5");
    EXPECT_EQ(UndoNames().size(), 1u);
}

TEST_F(StudioWindowTest, CheckBoxesActAtOnce) {
    const std::pair<int, int> boxes[] = {{kInvert, PB_INVERT}, {kMono, PB_MONO}};
    for (const auto& [id, param] : boxes) {
        ClickCheckBox(id);
        EXPECT_EQ(IntParam(param), 1) << id;
        EXPECT_TRUE(Widget(id)->findChild<QCheckBox*>()->isChecked());
        ClickCheckBox(id);
        EXPECT_EQ(IntParam(param), 0) << id;
        EXPECT_FALSE(Widget(id)->findChild<QCheckBox*>()->isChecked());
    }
    // The disabled Colorize box takes no click.
    ClickCheckBox(kColorize);
    EXPECT_EQ(IntParam(PB_COLORIZE), 0);
    EXPECT_TRUE(UndoNames().empty());
}

TEST_F(StudioWindowTest, ChannelListsActAtOnce) {
    const std::pair<int, int> lists[] = {{1033, PB_R_SOURCE}, {1034, PB_G_SOURCE}, {1035, PB_B_SOURCE}};
    for (const auto& [id, param] : lists) {
        QComboBox* box = dynamic_cast<studio::qt::ComboWidget*>(Widget(id))->Box();
        EXPECT_EQ(box->count(), 3);
        EXPECT_EQ(box->itemText(2), "Blue");
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Home);
        EXPECT_EQ(IntParam(param), 0) << id;
        QTest::keyClick(box, Qt::Key_End);
        EXPECT_EQ(IntParam(param), 2) << id;
        EXPECT_EQ(box->currentText(), "Blue");
    }
}

// The Reset confirmation is asked through the window; No keeps everything, Yes resets.
TEST_F(StudioWindowTest, ResetAsksFirst) {
    TypeIntoEdit(kBrightnessEdit, "30");
    std::string asked, caption;
    int answer = 7;
    window->Hooks().messageBox = [&](std::string_view text, std::string_view title, UINT type) {
        asked = text;
        caption = title;
        EXPECT_EQ(type, 0x34u);
        return answer;
    };
    ClickButton(kReset);
    EXPECT_EQ(caption, "Are you sure?");
    EXPECT_NE(asked.find("reset to defaults"), std::string::npos);
    EXPECT_EQ(FloatParam(PB_BRIGHTNESS), 30.0f);
    EXPECT_EQ(EditText(kBrightnessEdit), "30.0");
    answer = 6;
    ClickButton(kReset);
    EXPECT_EQ(FloatParam(PB_BRIGHTNESS), 0.0f);
    EXPECT_EQ(EditText(kBrightnessEdit), "0.0");
}

// The swatch's colour dialog changes the colour live; Cancel takes it back,
// OK keeps it as one undo step.
TEST_F(StudioWindowTest, SwatchDialogChangesColourLive) {
    for (const bool accept : {false, true}) {
        Color whileOpen;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->setCurrentColor(QColor(0, 255, 0));
            whileOpen = ColorParam();
            if (accept)
                dialog->accept();
            else
                dialog->reject();
        });
        QTest::mouseClick(Widget(kSwatch), Qt::LeftButton);
        EXPECT_EQ(whileOpen, Color(0.0f, 1.0f, 0.0f)) << accept;
        EXPECT_EQ(ColorParam(), accept ? Color(0.0f, 1.0f, 0.0f) : Color(1.0f, 0.0f, 0.0f));
        studio::SwatchState state{};
        ASSERT_TRUE(studio::GetSwatchState(Widget(kSwatch)->Handle(), state));
        EXPECT_EQ(state.color, accept ? 0x0000ff00u : 0x000000ffu);
        EXPECT_EQ(UndoNames().size(), accept ? 1u : 0u);
    }
    EXPECT_EQ(UndoNames(), std::vector<std::string>{"Color Change"});
}

}  // namespace
