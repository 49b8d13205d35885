#pragma once

#include "host/win32.h"

/// The module's instance handle, as the system passed it to the entry point;
/// the editor loads its rollup templates through it.
extern HINSTANCE ModuleInstance;
/// 1 once the entry point has initialised the custom and common controls.
extern int controlsInitialized;
