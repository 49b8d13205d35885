#pragma once

// STATIC windows: text (left, centred, right), an etched line, or an image
// of the module's resources.

#include <QImage>

#include "studio/qt/control_widget.h"

namespace studio::qt {

class StaticWidget : public ControlWidget {
public:
    StaticWidget(HWND window, ActionRunner& runner, QWidget* parent);
    void Sync() override { update(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintText(QPainter& painter, const Window& w);
    void PaintEtchedLine(QPainter& painter);
    QImage image;  // decoded once; empty for text and lines
};

/// The image resource a static window shows, decoded; empty when there is none.
QImage WindowImage(const Window& window);

}  // namespace studio::qt
