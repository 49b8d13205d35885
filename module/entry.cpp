// The module's entry point and its four exported functions.

#include "host/ui.h"
#include "module/export.h"
#include "module/module_state.h"
#include "module/tintora_class_desc.h"

// Every reason (attach, detach, thread attach or detach) runs the same steps;
// the first call, always the process attach, initialises the controls once.
TINTORA_EXPORT BOOL WINAPI DllMain(HINSTANCE instance, DWORD, void*) {
    ModuleInstance = instance;
    if (!controlsInitialized) {
        controlsInitialized = 1;
        InitCustomControls(instance);
        InitCommonControls();
    }
    return 1;
}

TINTORA_EXPORT const char* LibDescription() { return "Tintora by Varlen"; }

TINTORA_EXPORT int LibNumberClasses() { return 1; }

TINTORA_EXPORT ClassDesc* LibClassDesc(int index) {
    return index == 0 ? &TintoraClassDesc : nullptr;
}

TINTORA_EXPORT ULONG LibVersion() { return 100; }
