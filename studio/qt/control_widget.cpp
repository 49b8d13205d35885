#include "studio/qt/control_widget.h"

#include "studio/ui/window_system.h"

namespace studio::qt {

ControlWidget::ControlWidget(HWND window, ActionRunner& actions, QWidget* parent)
    : QWidget(parent), handle(window), actionRunner(actions) {}

int ControlWidget::Id() const {
    const Window* w = State();
    return w ? w->id : -1;
}

const Window* ControlWidget::State() const { return Windows().Find(handle); }

QString WindowText(const Window& window) { return QString::fromStdString(window.text); }

}  // namespace studio::qt
