#include "host/ui.h"
#include "studio/ui/custom_control_classes.h"
#include "studio/ui/custom_controls.h"
#include "studio/ui/window_system.h"

namespace studio {
namespace {
int initCount = 0;
}

int CustomControlsInitCount() { return initCount; }

}  // namespace studio

void InitCustomControls(HINSTANCE) {
    using namespace studio;
    ++initCount;
    Windows().RegisterClass(SpinnerClassName, MakeSpinnerControl);
    Windows().RegisterClass(EditClassName, MakeEditControl);
    Windows().RegisterClass(SwatchClassName, MakeSwatchControl);
}
