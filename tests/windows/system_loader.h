#pragma once

// The system loader, called directly: the one place of the test program
// that sees the Windows headers (their types clash with the host's).

namespace windows_test {

/// LoadLibraryA; null when the system refuses the file.
void* OpenLibrary(const char* path);
/// GetProcAddress by name.
void* ExportByName(void* library, const char* name);
/// GetProcAddress by ordinal.
void* ExportByOrdinal(void* library, unsigned ordinal);
void CloseLibrary(void* library);

}  // namespace windows_test
