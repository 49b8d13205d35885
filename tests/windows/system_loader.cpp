#include "tests/windows/system_loader.h"

#include <windows.h>

namespace windows_test {

void* OpenLibrary(const char* path) { return reinterpret_cast<void*>(LoadLibraryA(path)); }

void* ExportByName(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void* ExportByOrdinal(void* library, unsigned ordinal) {
    return reinterpret_cast<void*>(
        GetProcAddress(static_cast<HMODULE>(library), MAKEINTRESOURCEA(ordinal)));
}

void CloseLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

}  // namespace windows_test
