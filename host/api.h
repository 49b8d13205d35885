#pragma once

// Marks the functions and objects that the host library exports to modules.
// On Windows the host library is a DLL of its own; elsewhere symbols resolve
// into the host when the module is loaded.
#if defined(_WIN32)
#if defined(TINTORA_HOST_BUILD)
#define HOST_API __declspec(dllexport)
#else
#define HOST_API __declspec(dllimport)
#endif
#else
#define HOST_API __attribute__((visibility("default")))
#endif
