#include "studio/qt/control_factory.h"

#include <QString>

#include "studio/qt/button_widgets.h"
#include "studio/qt/combo_widget.h"
#include "studio/qt/edit_widget.h"
#include "studio/qt/spinner_widget.h"
#include "studio/qt/static_widget.h"
#include "studio/qt/swatch_widget.h"
#include "studio/ui/custom_controls.h"

namespace studio::qt {
namespace {

bool Is(const Window& w, const char* className) {
    return QString::fromStdString(w.className).compare(QLatin1String(className), Qt::CaseInsensitive) == 0;
}

ControlWidget* MakeButton(const Window& w, ActionRunner& runner, QWidget* parent) {
    switch (w.style & window_style::ButtonKindMask) {
    case window_style::CheckBox:
    case window_style::AutoCheckBox:
        return new CheckBoxWidget(w.handle, runner, parent);
    case window_style::GroupBox:
        return new GroupBoxWidget(w.handle, runner, parent);
    default:
        return new PushButtonWidget(w.handle, runner, parent);
    }
}

}  // namespace

ControlWidget* MakeControlWidget(const Window& w, ActionRunner& runner, QWidget* parent) {
    if (Is(w, "BUTTON")) return MakeButton(w, runner, parent);
    if (Is(w, "COMBOBOX")) return new ComboWidget(w.handle, runner, parent);
    if (Is(w, "STATIC")) return new StaticWidget(w.handle, runner, parent);
    if (Is(w, SpinnerClassName)) return new SpinnerWidget(w.handle, runner, parent);
    if (Is(w, EditClassName) || Is(w, "EDIT")) return new EditWidget(w.handle, runner, parent);
    if (Is(w, SwatchClassName)) return new SwatchWidget(w.handle, runner, parent);
    return nullptr;
}

}  // namespace studio::qt
