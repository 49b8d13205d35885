// The window's own commands: sub-textures, undo and redo, time and Auto
// Key, scene files, nested textures and the preview.

#include <QAction>
#include <QDir>
#include <QSlider>
#include <QStatusBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "window_fixture.h"

namespace {

using studio::qt::TextureChoice;
using studio::qt::TextureKind;

constexpr int kSourceButton = 1003, kSatGainMap = 1023, kBrightnessEdit = 1029, kBrightnessSpin = 1030;

class StudioWindowSessionTest : public StudioWindowTest {
protected:
    void SetUp() override {
        StudioWindowTest::SetUp();
        window->Hooks().chooseTexture = [this](const QString& slotName) -> std::optional<TextureChoice> {
            askedSlot = slotName.toStdString();
            return choice;
        };
    }
    /// Chooses `kind` for the slot of a sub-texture button.
    void Assign(int buttonId, std::optional<TextureKind> kind) {
        choice = kind ? std::optional<TextureChoice>(TextureChoice{*kind, {}}) : std::nullopt;
        ClickButton(buttonId);
    }
    Texmap* Slot(int slot) const { return window->Session().Root()->GetSubTexmap(slot); }

    std::optional<TextureChoice> choice;
    std::string askedSlot;
};

TEST_F(StudioWindowSessionTest, MapButtonsAssignAndClearSubTextures) {
    Assign(kSatGainMap, TextureKind::Checker);
    ASSERT_NE(Slot(MAP_SAT_GAIN), nullptr);
    EXPECT_EQ(Slot(MAP_SAT_GAIN)->ClassID(), Slot(MAP_SAT_GAIN)->ClassID());
    EXPECT_EQ(ButtonText(kSatGainMap), "M");
    Assign(kSourceButton, TextureKind::Noise);
    ASSERT_NE(Slot(MAP_SOURCE), nullptr);
    EXPECT_EQ(ButtonText(kSourceButton), Slot(MAP_SOURCE)->GetFullName().str());
    EXPECT_NE(ButtonText(kSourceButton).find("(Noise)"), std::string::npos);
    // Cancelling the chooser changes nothing; None empties the slot.
    Assign(kSatGainMap, std::nullopt);
    EXPECT_NE(Slot(MAP_SAT_GAIN), nullptr);
    Assign(kSatGainMap, TextureKind::None);
    EXPECT_EQ(Slot(MAP_SAT_GAIN), nullptr);
    EXPECT_EQ(ButtonText(kSatGainMap), "");
    EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Map Change", "Map Change", "Map Change"}));
}

// A bitmap whose image cannot be read is still assigned, keeping its file
// name, and the status bar says what was wrong.
TEST_F(StudioWindowSessionTest, BitmapChoiceKeepsAMissingFile) {
    choice = TextureChoice{TextureKind::Bitmap, "/nonexistent/photo.png"};
    ClickButton(kSourceButton);
    ASSERT_NE(Slot(MAP_SOURCE), nullptr);
    EXPECT_NE(ButtonText(kSourceButton).find("(Bitmap)"), std::string::npos);
    EXPECT_TRUE(window->statusBar()->currentMessage().contains("photo.png"));
}

// Ctrl+Z and Ctrl+Y walk the studio's undo stack; the menu names the steps.
TEST_F(StudioWindowSessionTest, UndoAndRedoWithTheKeyboard) {
    DragSpinner(kBrightnessSpin, 10);
    Assign(kSatGainMap, TextureKind::Gradient);
    ASSERT_NE(Slot(MAP_SAT_GAIN), nullptr);
    EXPECT_EQ(window->UndoAction()->text(), "&Undo Map Change");
    window->activateWindow();
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Slot(MAP_SAT_GAIN), nullptr);
    EXPECT_EQ(ButtonText(kSatGainMap), "");
    EXPECT_EQ(window->RedoAction()->text(), "&Redo Map Change");
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(FloatParam(PB_BRIGHTNESS), 0.0f);
    EXPECT_EQ(EditText(kBrightnessEdit), "0.0");
    EXPECT_FALSE(window->UndoAction()->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_NEAR(FloatParam(PB_BRIGHTNESS), 1.0f, 1e-4f);
    EXPECT_EQ(EditText(kBrightnessEdit), "1.0");
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_NE(Slot(MAP_SAT_GAIN), nullptr);
    EXPECT_EQ(ButtonText(kSatGainMap), "M");
    EXPECT_TRUE(RedoNames().empty());
}

TEST_F(StudioWindowSessionTest, SavedScenesOpenWithTheSameValues) {
    QTemporaryDir folder;
    const QString path = folder.filePath("look.tnts");
    DragSpinner(1026, 40);  // hue 4.0
    TypeIntoEdit(kBrightnessEdit, "12.5");
    ClickCheckBox(1031);
    Assign(1038, TextureKind::Checker);  // R gain
    EXPECT_TRUE(window->isWindowModified());
    window->Hooks().saveFile = [&] { return path; };
    ASSERT_TRUE(window->SaveSceneAs());
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_TRUE(window->windowTitle().startsWith("look.tnts"));

    ASSERT_TRUE(window->NewScene());  // nothing unsaved: no question
    EXPECT_EQ(FloatParam(PB_BRIGHTNESS), 0.0f);
    EXPECT_EQ(EditText(kBrightnessEdit), "0.0");
    window->Hooks().openFile = [&] { return path; };
    ASSERT_TRUE(window->OpenScene());
    EXPECT_NEAR(FloatParam(PB_HUE_OFFSET), 4.0f, 1e-4f);
    EXPECT_EQ(FloatParam(PB_BRIGHTNESS), 12.5f);
    EXPECT_EQ(IntParam(PB_INVERT), 1);
    ASSERT_NE(Slot(MAP_R_GAIN), nullptr);
    EXPECT_EQ(EditText(kBrightnessEdit), "12.5");
    EXPECT_EQ(ButtonText(1038), "M");
    EXPECT_TRUE(UndoNames().empty());
    // A damaged file is refused and the scene open stays.
    QFile damaged(folder.filePath("damaged.tnts"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a scene");
    damaged.close();
    window->Hooks().messageBox = [](std::string_view, std::string_view, UINT) { return 1; };
    EXPECT_FALSE(window->OpenScene(damaged.fileName()));
    EXPECT_EQ(FloatParam(PB_BRIGHTNESS), 12.5f);
}

TEST_F(StudioWindowSessionTest, UnsavedChangesAreAskedAbout) {
    TypeIntoEdit(kBrightnessEdit, "5");
    int asked = 0;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    window->Hooks().unsavedChanges = [&] {
        ++asked;
        return answer;
    };
    EXPECT_FALSE(window->NewScene());
    EXPECT_EQ(FloatParam(PB_BRIGHTNESS), 5.0f);
    answer = QMessageBox::Discard;
    EXPECT_TRUE(window->NewScene());
    EXPECT_EQ(FloatParam(PB_BRIGHTNESS), 0.0f);
    EXPECT_EQ(asked, 2);
}

// With Auto Key on, a change away from frame 0 makes keys; the editor follows the time.
TEST_F(StudioWindowSessionTest, TimeAndAutoKey) {
    QTest::mouseClick(window->AutoKeyButton(), Qt::LeftButton);
    ASSERT_TRUE(window->AutoKeyButton()->isChecked());
    window->FrameField()->setFocus();
    window->FrameField()->selectAll();
    QTest::keyClicks(window->FrameField(), "10");
    QTest::keyClick(window->FrameField(), Qt::Key_Return);
    EXPECT_EQ(window->Session().Time(), 10 * studio::qt::MainWindow::TicksPerFrame);
    EXPECT_EQ(window->TimeSlider()->value(), 10);
    TypeIntoEdit(kBrightnessEdit, "50");
    window->TimeSlider()->setValue(0);
    EXPECT_EQ(window->FrameField()->value(), 0);
    EXPECT_EQ(EditText(kBrightnessEdit), "50.0");  // one key holds everywhere
    TypeIntoEdit(kBrightnessEdit, "10");
    EXPECT_EQ(FloatParam(PB_BRIGHTNESS, 0), 10.0f);
    EXPECT_EQ(FloatParam(PB_BRIGHTNESS, 1600), 50.0f);
    EXPECT_EQ(FloatParam(PB_BRIGHTNESS, 800), 30.0f);
    window->TimeSlider()->setValue(5);
    EXPECT_EQ(EditText(kBrightnessEdit), "30.0");
    QTest::mouseClick(window->AutoKeyButton(), Qt::LeftButton);
    EXPECT_FALSE(window->AutoKeyButton()->isChecked());
}

TEST_F(StudioWindowSessionTest, IntoANestedTintoraAndBack) {
    Assign(kSourceButton, TextureKind::Tintora);
    Texmap* nested = Slot(MAP_SOURCE);
    ASSERT_NE(nested, nullptr);
    EXPECT_FALSE(window->ParentAction()->isEnabled());
    ASSERT_TRUE(window->EnterSubTexture(MAP_SOURCE));
    EXPECT_EQ(window->Session().Edited(), nested);
    EXPECT_TRUE(window->ParentAction()->isEnabled());
    EXPECT_EQ(ButtonText(kSourceButton), "NONE");
    TypeIntoEdit(kBrightnessEdit, "20");
    EXPECT_EQ(FloatParam(PB_BRIGHTNESS, 0, nested), 20.0f);
    EXPECT_EQ(FloatParam(PB_BRIGHTNESS), 0.0f);
    window->ParentAction()->trigger();
    EXPECT_EQ(window->Session().Edited(), window->Session().Root());
    EXPECT_EQ(EditText(kBrightnessEdit), "0.0");
    // Undoing the assignment while inside takes the editor back up.
    ASSERT_TRUE(window->EnterSubTexture(MAP_SOURCE));
    window->UndoAction()->trigger();  // the typed 20
    window->UndoAction()->trigger();  // the assignment
    EXPECT_EQ(Slot(MAP_SOURCE), nullptr);
    EXPECT_EQ(window->Session().Edited(), window->Session().Root());
    EXPECT_EQ(ButtonText(kSourceButton), "NONE");
}

QRgb Centre(const QImage& image) { return image.pixel(image.width() / 2, image.height() / 2); }

// The preview follows the edits: the red default turned by 120 degrees is green.
TEST_F(StudioWindowSessionTest, PreviewFollowsEdits) {
    WaitForPreview();
    EXPECT_GT(qRed(Centre(window->PreviewPictures().Swatch())), 200);
    EXPECT_LT(qGreen(Centre(window->PreviewPictures().Swatch())), 50);
    TypeIntoEdit(1025, "120");
    WaitForPreview();
    const QRgb swatch = Centre(window->PreviewPictures().Swatch());
    EXPECT_GT(qGreen(swatch), 200);
    EXPECT_LT(qRed(swatch), 50);
    const QImage& sphere = window->PreviewPictures().Sphere();
    EXPECT_GT(qGreen(Centre(sphere)), qRed(Centre(sphere)));
    EXPECT_EQ(qAlpha(sphere.pixel(0, 0)), 0);  // outside the sphere
}

}  // namespace
