#include "studio/qt/swatch_widget.h"

#include <QColorDialog>
#include <QMouseEvent>
#include <QPainter>

#include "studio/ui/custom_controls.h"

namespace studio::qt {

QColor ColorFromWord(DWORD word) {
    return QColor(int(word & 0xff), int((word >> 8) & 0xff), int((word >> 16) & 0xff));
}

DWORD WordFromColor(const QColor& color) {
    return DWORD(color.red()) | DWORD(color.green()) << 8 | DWORD(color.blue()) << 16;
}

SwatchWidget::SwatchWidget(HWND window, ActionRunner& runner, QWidget* parent)
    : ControlWidget(window, runner, parent) {
    setCursor(Qt::PointingHandCursor);
}

void SwatchWidget::paintEvent(QPaintEvent*) {
    SwatchState state{};
    if (!GetSwatchState(Handle(), state)) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(palette().color(QPalette::Dark));
    painter.setBrush(ColorFromWord(state.color));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    setToolTip(QString::fromStdString(state.title));
}

void SwatchWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) PickInDialog();
}

void SwatchWidget::PickInDialog() {
    SwatchState state{};
    if (!GetSwatchState(Handle(), state)) return;
    bool began = false;
    Act([&] { began = BeginColorPick(Handle()); });
    if (!began) return;
    QColorDialog dialog(ColorFromWord(state.color), window());
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setWindowTitle(QString::fromStdString(state.title));
    connect(&dialog, &QColorDialog::currentColorChanged, this,
            [this](const QColor& c) { Act([this, c] { PickColor(Handle(), WordFromColor(c)); }); });
    if (dialog.exec() == QDialog::Accepted) {
        const DWORD chosen = WordFromColor(dialog.selectedColor());
        Act([this, chosen] {
            PickColor(Handle(), chosen);
            EndColorPick(Handle());
        });
    } else {
        Act([this] { CancelColorPick(Handle()); });
    }
}

}  // namespace studio::qt
