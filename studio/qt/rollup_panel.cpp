#include "studio/qt/rollup_panel.h"

#include <QVBoxLayout>

#include "studio/qt/button_widgets.h"
#include "studio/qt/control_factory.h"
#include "studio/ui/window_system.h"

namespace studio::qt {

RollupPanel::RollupPanel(HWND window, const QString& title, const DialogUnits& units, ActionRunner& runner,
                         QWidget* parent)
    : QWidget(parent), dialog(window), titleBar(new QToolButton(this)), body(new QWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    titleBar->setText(title);
    titleBar->setCheckable(true);
    titleBar->setChecked(true);
    titleBar->setArrowType(Qt::DownArrow);
    titleBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    titleBar->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    titleBar->setObjectName(QStringLiteral("rollupTitle"));
    connect(titleBar, &QToolButton::toggled, this, [this](bool on) { SetExpanded(on); });
    layout->addWidget(titleBar);
    layout->addWidget(body);

    const Window* w = Windows().Find(dialog);
    if (!w) return;
    body->setFixedSize(units.X(w->cx), units.Y(w->cy));
    body->setFont(DialogUnits::RollupFont());
    for (HWND child : w->children) {
        const Window* c = Windows().Find(child);
        if (!c) continue;
        ControlWidget* widget = MakeControlWidget(*c, runner, body);
        if (!widget) continue;
        widget->setGeometry(units.Rect(c->x, c->y, c->cx, c->cy));
        controls.push_back(widget);
    }
    // Group boxes lie beneath the controls they frame.
    for (ControlWidget* widget : controls)
        if (dynamic_cast<GroupBoxWidget*>(widget)) widget->lower();
    Sync();
}

void RollupPanel::SetExpanded(bool on) {
    body->setVisible(on);
    titleBar->setArrowType(on ? Qt::DownArrow : Qt::RightArrow);
    if (titleBar->isChecked() != on) titleBar->setChecked(on);
}

ControlWidget* RollupPanel::Control(int id) const {
    for (ControlWidget* widget : controls)
        if (widget->Id() == id) return widget;
    return nullptr;
}

void RollupPanel::Sync() {
    for (ControlWidget* widget : controls) widget->Sync();
}

}  // namespace studio::qt
