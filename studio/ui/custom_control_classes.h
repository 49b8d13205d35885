#pragma once

// Factories of the custom controls' window classes, for InitCustomControls.

#include <memory>

#include "studio/ui/window.h"

namespace studio {

std::unique_ptr<Control> MakeSpinnerControl();
std::unique_ptr<Control> MakeEditControl();
std::unique_ptr<Control> MakeSwatchControl();

}  // namespace studio
