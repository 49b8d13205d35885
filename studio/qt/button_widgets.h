#pragma once

// BUTTON windows: push buttons, check boxes and group boxes.

#include <QCheckBox>
#include <QPushButton>

#include "studio/qt/control_widget.h"

namespace studio::qt {

/// A push button: a click is the layer's ClickButton.
class PushButtonWidget : public ControlWidget {
public:
    PushButtonWidget(HWND window, ActionRunner& runner, QWidget* parent);
    void Sync() override;

private:
    QPushButton* button;
};

/// A check box: a click is the layer's ClickButton, which toggles the box;
/// the tick shown is always the window's.
class CheckBoxWidget : public ControlWidget {
public:
    CheckBoxWidget(HWND window, ActionRunner& runner, QWidget* parent);
    void Sync() override;

private:
    QCheckBox* box;
};

/// A group box: a titled frame, drawn beneath the controls it groups.
class GroupBoxWidget : public ControlWidget {
public:
    GroupBoxWidget(HWND window, ActionRunner& runner, QWidget* parent);
    void Sync() override { update(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace studio::qt
