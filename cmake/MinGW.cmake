# Shared part of the mingw-w64 cross toolchains: the caller sets
# TINTORA_MINGW_TRIPLE (i686-w64-mingw32 or x86_64-w64-mingw32) first.
#
# The posix thread variant of the compilers, since the host library uses
# std::mutex. Every DLL and program links libgcc, libstdc++ and winpthread
# statically so that it needs nothing beside itself but the system's DLLs
# and the host library.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${TINTORA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TINTORA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TINTORA_MINGW_TRIPLE}-windres)
set(CMAKE_OBJDUMP ${TINTORA_MINGW_TRIPLE}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${TINTORA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(tintora_static_runtime "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT ${tintora_static_runtime})
set(CMAKE_SHARED_LINKER_FLAGS_INIT ${tintora_static_runtime})
set(CMAKE_MODULE_LINKER_FLAGS_INIT ${tintora_static_runtime})
