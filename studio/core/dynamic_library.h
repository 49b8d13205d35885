#pragma once

// The system loader behind the module registry.

#include <string>

namespace studio::dynlib {

/// Opens a shared library with all its symbols bound now and kept local.
/// Null on failure, with the reason in `error`.
void* Open(const std::string& path, std::string& error);
void* Symbol(void* library, const char* name);
void Close(void* library);
/// True where the studio plays the system's part and calls a module's entry
/// point itself; on Windows the system does that.
bool StudioCallsEntryPoint();

}  // namespace studio::dynlib
