#pragma once

#include "studio/qt/control_widget.h"

namespace studio::qt {

/// The widget that draws `window` (a child of a rollup), by its class and
/// style; null for a class the front end does not draw.
ControlWidget* MakeControlWidget(const Window& window, ActionRunner& runner, QWidget* parent);

}  // namespace studio::qt
