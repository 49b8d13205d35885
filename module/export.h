#pragma once

// Marks the functions the module exports by their plain names. On Windows
// tintora.def names the exports and their ordinals, so the functions only
// need C linkage there; the entry point is found by the C runtime and is
// not exported.
#if defined(_WIN32)
#define TINTORA_EXPORT extern "C"
#else
#define TINTORA_EXPORT extern "C" __attribute__((visibility("default")))
#endif
