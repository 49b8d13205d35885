#pragma once

// SpinnerControl windows: the up/down arrows beside a spinner's edit.
// Dragging up or down changes the value by one step per pixel (ten with
// Ctrl held); a right-click or Escape during the drag cancels it; a click
// without a drag steps once up or down, by the half that was clicked.

#include "studio/qt/control_widget.h"

namespace studio::qt {

class SpinnerWidget : public ControlWidget {
public:
    SpinnerWidget(HWND window, ActionRunner& runner, QWidget* parent);
    void Sync() override { update(); }
    /// Steps per pixel of drag with Ctrl held.
    static constexpr int FastSteps = 10;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Cancel();
    bool dragging = false;  // pressed, until release or cancel
    bool moved = false;     // the press has turned into a drag
    bool upperHalf = false;
    int lastY = 0;
};

}  // namespace studio::qt
