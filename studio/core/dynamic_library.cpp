#include "studio/core/dynamic_library.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace studio::dynlib {

#if defined(_WIN32)

void* Open(const std::string& path, std::string& error) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module)
        error = "the system loader refused it (error " + std::to_string(GetLastError()) + ")";
    return reinterpret_cast<void*>(module);
}
void* Symbol(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}
void Close(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }
bool StudioCallsEntryPoint() { return false; }

#else

void* Open(const std::string& path, std::string& error) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        error = reason ? reason : "the system loader refused it";
    }
    return handle;
}
void* Symbol(void* library, const char* name) { return dlsym(library, name); }
void Close(void* library) { dlclose(library); }
bool StudioCallsEntryPoint() { return true; }

#endif

}  // namespace studio::dynlib
