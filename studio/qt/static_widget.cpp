#include "studio/qt/static_widget.h"

#include <QPainter>
#include <QTextOption>

#include "studio/ui/resource_registry.h"

namespace studio::qt {
namespace {

DWORD Kind(const Window& w) { return w.style & window_style::StaticKindMask; }

}  // namespace

QImage WindowImage(const Window& window) {
    if (window.imageId == 0) return {};
    const ResourceImage* resource = FindImage(window.instance, window.imageId);
    if (!resource) return {};
    return QImage::fromData(resource->bytes, int(resource->size), "BMP");
}

StaticWidget::StaticWidget(HWND window, ActionRunner& runner, QWidget* parent)
    : ControlWidget(window, runner, parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    if (const Window* w = State(); w && Kind(*w) == window_style::StaticBitmap) image = WindowImage(*w);
}

void StaticWidget::paintEvent(QPaintEvent*) {
    const Window* w = State();
    if (!w) return;
    QPainter painter(this);
    switch (Kind(*w)) {
    case window_style::StaticBitmap:
        // Shown at its own size from the top left, as image statics do.
        if (!image.isNull()) painter.drawImage(QPoint(0, 0), image);
        break;
    case window_style::StaticEtchedHorz:
        PaintEtchedLine(painter);
        break;
    default:
        PaintText(painter, *w);
    }
}

void StaticWidget::PaintText(QPainter& painter, const Window& w) {
    Qt::Alignment align = Qt::AlignLeft;
    if (Kind(w) == window_style::StaticCenter) align = Qt::AlignHCenter;
    if (Kind(w) == window_style::StaticRight) align = Qt::AlignRight;
    QTextOption option(align | Qt::AlignTop);
    option.setWrapMode(QTextOption::WordWrap);
    // Tab stops every eight average characters, as static text expands them.
    option.setTabStopDistance(8.0 * painter.fontMetrics().averageCharWidth());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    // Text that would wrap past the bottom is drawn a little smaller rather than cut off.
    QFont small = font();
    for (qreal size = small.pointSizeF(); size > 6.0; size -= 0.5) {
        if (painter.boundingRect(QRectF(rect()), WindowText(w), option).height() <= height()) break;
        small.setPointSizeF(size - 0.5);
        painter.setFont(small);
    }
    painter.drawText(QRectF(rect()), WindowText(w), option);
}

void StaticWidget::PaintEtchedLine(QPainter& painter) {
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, 0, width() - 1, 0);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(0, 1, width() - 1, 1);
}

}  // namespace studio::qt
