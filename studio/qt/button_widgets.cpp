#include "studio/qt/button_widgets.h"

#include <QPainter>
#include <QVBoxLayout>

#include "studio/ui/standard_controls.h"

namespace studio::qt {
namespace {

// Lays `inner` over the whole of `outer`.
void Fill(QWidget* outer, QWidget* inner) {
    auto* layout = new QVBoxLayout(outer);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(inner);
}

bool Enabled(const Window& w) { return !w.HasStyle(window_style::Disabled); }

}  // namespace

PushButtonWidget::PushButtonWidget(HWND window, ActionRunner& runner, QWidget* parent)
    : ControlWidget(window, runner, parent), button(new QPushButton(this)) {
    Fill(this, button);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this] { Act([this] { ClickButton(Handle()); }); });
}

void PushButtonWidget::Sync() {
    const Window* w = State();
    if (!w) return;
    button->setText(WindowText(*w));
    button->setToolTip(WindowText(*w));
    button->setEnabled(Enabled(*w));
}

CheckBoxWidget::CheckBoxWidget(HWND window, ActionRunner& runner, QWidget* parent)
    : ControlWidget(window, runner, parent), box(new QCheckBox(this)) {
    Fill(this, box);
    connect(box, &QCheckBox::clicked, this, [this] { Act([this] { ClickButton(Handle()); }); });
}

void CheckBoxWidget::Sync() {
    const Window* w = State();
    if (!w) return;
    box->setText(WindowText(*w));
    box->setEnabled(Enabled(*w));
    box->setChecked(w->checkState != 0);
}

GroupBoxWidget::GroupBoxWidget(HWND window, ActionRunner& runner, QWidget* parent)
    : ControlWidget(window, runner, parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void GroupBoxWidget::paintEvent(QPaintEvent*) {
    const Window* w = State();
    if (!w) return;
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const QString title = WindowText(*w);
    const int lineY = metrics.height() / 2;
    const QRectF frame = QRectF(rect()).adjusted(0.5, lineY + 0.5, -0.5, -0.5);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRoundedRect(frame, 3, 3);
    const int textLeft = 8;
    const QRect textRect(textLeft - 3, 0, metrics.horizontalAdvance(title) + 6, metrics.height());
    painter.fillRect(textRect, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(textRect, Qt::AlignCenter, title);
}

}  // namespace studio::qt
