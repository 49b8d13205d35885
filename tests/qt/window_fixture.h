#pragma once

// The real material editor window on a new Tintora texture, offscreen, with
// helpers that act on it as a person would: mouse and keyboard on the
// widgets, answers scripted through the window's hooks.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <QPoint>

#include "studio/qt/main_window.h"
#include "texture/param_table.h"

class StudioWindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    studio::qt::ControlWidget* Widget(int id) const;
    IParamBlock* Params(Texmap* map = nullptr) const;
    float FloatParam(int param, TimeValue t = 0, Texmap* map = nullptr) const;
    int IntParam(int param, Texmap* map = nullptr) const;
    Color ColorParam(TimeValue t = 0) const;
    float SpinnerValue(int spinnerId) const;
    std::string EditText(int editId) const;
    std::string ButtonText(int buttonId) const;
    std::vector<std::string> UndoNames() const;
    std::vector<std::string> RedoNames() const;

    // The mouse on a spinner: press, drag by `pixels` upwards in steps of
    // `stride`, then release (or not).
    void PressSpinner(int spinnerId);
    void MoveSpinner(int spinnerId, int pixels, Qt::KeyboardModifiers modifiers = {});
    void ReleaseSpinner(int spinnerId);
    void DragSpinner(int spinnerId, int pixels, Qt::KeyboardModifiers modifiers = {});
    /// Clicks into an edit, types `text` over what it shows and ends with `key`.
    void TypeIntoEdit(int editId, const QString& text, Qt::Key key = Qt::Key_Return);
    void ClickButton(int buttonId);
    void ClickCheckBox(int id);
    /// Waits (without assuming how long it takes) until a preview newer than now is shown.
    void WaitForPreview();

    std::unique_ptr<studio::qt::MainWindow> window;
    QPoint spinnerMouse;
};
