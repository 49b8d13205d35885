#include "window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include "studio/core/module_loader.h"
#include "studio/core/param_block.h"
#include "studio/core/undo_stack.h"
#include "studio/qt/edit_widget.h"
#include "studio/ui/custom_controls.h"
#include "studio/ui/window_system.h"

namespace {

// One application for all tests, on the offscreen platform.
void EnsureApplication() {
    static int argc = 1;
    static char name[] = "studio_window_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    (void)app;
}

}  // namespace

void StudioWindowTest::SetUp() {
    EnsureApplication();
    auto session = std::make_unique<studio::qt::StudioSession>();
    ASSERT_EQ(session->LoadModules(studio::DefaultPluginFolder()), "");
    ASSERT_EQ(session->NewScene(), "");
    window = std::make_unique<studio::qt::MainWindow>(std::move(session));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    ASSERT_NE(Widget(1026), nullptr);
}

void StudioWindowTest::TearDown() {
    window.reset();
    studio::SetAutoKey(false);
    studio::Windows().Pump();
}

studio::qt::ControlWidget* StudioWindowTest::Widget(int id) const { return window->Control(id); }

IParamBlock* StudioWindowTest::Params(Texmap* map) const {
    if (!map) map = window->Session().Root();
    return dynamic_cast<IParamBlock*>(map->GetReference(0));
}

float StudioWindowTest::FloatParam(int param, TimeValue t, Texmap* map) const {
    float v = 0;
    Interval valid = WHOLE_INTERVAL;
    Params(map)->GetValue(param, t, v, valid);
    return v;
}

int StudioWindowTest::IntParam(int param, Texmap* map) const {
    int v = 0;
    Interval valid = WHOLE_INTERVAL;
    Params(map)->GetValue(param, 0, v, valid);
    return v;
}

Color StudioWindowTest::ColorParam(TimeValue t) const {
    Color v;
    Interval valid = WHOLE_INTERVAL;
    Params()->GetValue(PB_SOURCE_COLOR, t, v, valid);
    return v;
}

float StudioWindowTest::SpinnerValue(int spinnerId) const {
    studio::SpinnerState state{};
    EXPECT_TRUE(studio::GetSpinnerState(Widget(spinnerId)->Handle(), state));
    return state.value;
}

std::string StudioWindowTest::EditText(int editId) const {
    auto* edit = dynamic_cast<studio::qt::EditWidget*>(Widget(editId));
    return edit ? edit->Line()->text().toStdString() : std::string("<no edit>");
}

std::string StudioWindowTest::ButtonText(int buttonId) const {
    auto* button = Widget(buttonId)->findChild<QPushButton*>();
    return button ? button->text().toStdString() : std::string("<no button>");
}

std::vector<std::string> StudioWindowTest::UndoNames() const { return studio::TheUndoStack().UndoNames(); }
std::vector<std::string> StudioWindowTest::RedoNames() const { return studio::TheUndoStack().RedoNames(); }

void StudioWindowTest::PressSpinner(int spinnerId) {
    QWidget* spinner = Widget(spinnerId);
    spinnerMouse = QPoint(spinner->width() / 2, spinner->height() / 2);
    QTest::mousePress(spinner, Qt::LeftButton, {}, spinnerMouse);
}

void StudioWindowTest::MoveSpinner(int spinnerId, int pixels, Qt::KeyboardModifiers modifiers) {
    QWidget* spinner = Widget(spinnerId);
    // A pixel at a time, as a hand moves the mouse.
    for (int i = 0; i < std::abs(pixels); ++i) {
        spinnerMouse.ry() += pixels > 0 ? -1 : 1;
        QMouseEvent move(QEvent::MouseMove, spinnerMouse, spinner->mapToGlobal(spinnerMouse), Qt::NoButton,
                         Qt::LeftButton, modifiers);
        QApplication::sendEvent(spinner, &move);
    }
}

void StudioWindowTest::ReleaseSpinner(int spinnerId) {
    QTest::mouseRelease(Widget(spinnerId), Qt::LeftButton, {}, spinnerMouse);
}

void StudioWindowTest::DragSpinner(int spinnerId, int pixels, Qt::KeyboardModifiers modifiers) {
    PressSpinner(spinnerId);
    MoveSpinner(spinnerId, pixels, modifiers);
    ReleaseSpinner(spinnerId);
}

void StudioWindowTest::TypeIntoEdit(int editId, const QString& text, Qt::Key key) {
    QLineEdit* line = dynamic_cast<studio::qt::EditWidget*>(Widget(editId))->Line();
    QTest::mouseClick(line, Qt::LeftButton);
    line->setFocus();
    line->selectAll();
    QTest::keyClicks(line, text);
    QTest::keyClick(line, key);
}

void StudioWindowTest::ClickButton(int buttonId) {
    QTest::mouseClick(Widget(buttonId)->findChild<QPushButton*>(), Qt::LeftButton);
}

void StudioWindowTest::ClickCheckBox(int id) {
    auto* box = Widget(id)->findChild<QCheckBox*>();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

void StudioWindowTest::WaitForPreview() {
    // The cap only keeps a broken build from hanging; no test depends on it.
    for (int i = 0; i < 600 && !window->Preview().UpToDate(); ++i) QTest::qWait(50);
    ASSERT_TRUE(window->Preview().UpToDate());
}
