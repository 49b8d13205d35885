#pragma once

// ColorSwatch windows: the colour shown is the swatch's. A click opens a
// colour dialog whose every change reaches the swatch at once (BeginColorPick,
// PickColor); OK keeps the colour (EndColorPick), Cancel brings back the one
// from before (CancelColorPick).

#include <QColor>

#include "host/types.h"
#include "studio/qt/control_widget.h"

namespace studio::qt {

class SwatchWidget : public ControlWidget {
public:
    SwatchWidget(HWND window, ActionRunner& runner, QWidget* parent);
    void Sync() override { update(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void PickInDialog();
};

/// Colour words (0x00BBGGRR) to Qt colours and back.
QColor ColorFromWord(DWORD word);
DWORD WordFromColor(const QColor& color);

}  // namespace studio::qt
