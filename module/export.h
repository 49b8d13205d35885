#pragma once

// Marks the functions the module exports by their plain names.
#if defined(_WIN32)
#define TINTORA_EXPORT extern "C" __declspec(dllexport)
#else
#define TINTORA_EXPORT extern "C" __attribute__((visibility("default")))
#endif
