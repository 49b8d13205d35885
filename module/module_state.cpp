#include "module/module_state.h"

HINSTANCE ModuleInstance = nullptr;
int controlsInitialized = 0;
