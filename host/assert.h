#pragma once

#include "host/api.h"

/// Reports a failed consistency check (line and file name) and returns;
/// execution goes on.
HOST_API void assert1(int line, const char* file);
