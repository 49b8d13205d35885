#include "studio/qt/spinner_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "studio/ui/custom_controls.h"

namespace studio::qt {
namespace {

void PaintArrow(QPainter& painter, const QRectF& box, bool up) {
    const QPointF c = box.center();
    const qreal w = std::max<qreal>(2.0, std::min(box.width(), box.height() * 2) * 0.28);
    const qreal h = w * 0.6;
    QPainterPath path;
    path.moveTo(c.x() - w, up ? c.y() + h / 2 : c.y() - h / 2);
    path.lineTo(c.x() + w, up ? c.y() + h / 2 : c.y() - h / 2);
    path.lineTo(c.x(), up ? c.y() - h / 2 : c.y() + h / 2);
    path.closeSubpath();
    painter.fillPath(path, painter.pen().color());
}

}  // namespace

SpinnerWidget::SpinnerWidget(HWND window, ActionRunner& runner, QWidget* parent)
    : ControlWidget(window, runner, parent) {
    setCursor(Qt::SizeVerCursor);
    setFocusPolicy(Qt::ClickFocus);
    setToolTip(tr("Drag up or down to change; Ctrl drags faster; right-click or Esc cancels"));
}

void SpinnerWidget::paintEvent(QPaintEvent*) {
    SpinnerState state{};
    const bool known = GetSpinnerState(Handle(), state);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor face = palette().color(QPalette::Button);
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(known && state.pressed ? face.darker(115) : face);
    painter.drawRoundedRect(box, 2, 2);
    painter.drawLine(QPointF(box.left() + 1, box.center().y()), QPointF(box.right() - 1, box.center().y()));
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    const QRectF upper(box.left(), box.top(), box.width(), box.height() / 2);
    PaintArrow(painter, upper, true);
    PaintArrow(painter, upper.translated(0, box.height() / 2), false);
}

void SpinnerWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        if (dragging) Cancel();
        return;
    }
    if (event->button() != Qt::LeftButton || dragging) return;
    dragging = true;
    moved = false;
    upperHalf = event->position().y() < height() / 2.0;
    lastY = int(event->position().y());
    setFocus(Qt::MouseFocusReason);
    Act([this] { PressSpinner(Handle()); });
}

void SpinnerWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging) return;
    const int y = int(event->position().y());
    const int pixels = lastY - y;  // upwards is more
    if (pixels == 0) return;
    lastY = y;
    moved = true;
    const int steps = pixels * ((event->modifiers() & Qt::ControlModifier) ? FastSteps : 1);
    Act([this, steps] { DragSpinner(Handle(), steps); });
}

void SpinnerWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging) return;
    dragging = false;
    const int click = moved ? 0 : (upperHalf ? 1 : -1);
    Act([this, click] {
        if (click != 0) DragSpinner(Handle(), click);
        ReleaseSpinner(Handle());
    });
}

void SpinnerWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && dragging) {
        Cancel();
        return;
    }
    ControlWidget::keyPressEvent(event);
}

void SpinnerWidget::Cancel() {
    dragging = false;
    Act([this] { CancelSpinner(Handle()); });
}

}  // namespace studio::qt
