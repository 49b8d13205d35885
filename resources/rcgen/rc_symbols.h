#pragma once

// The symbolic style names a resource script may use, with their values.

#include <optional>
#include <string>

#include "host/types.h"

namespace rcgen {

std::optional<DWORD> BuiltinSymbol(const std::string& name);

/// The standard class a name stands for, upper-case ("Button" -> "BUTTON");
/// other class names come back as written.
std::string CanonicalClassName(const std::string& name);

}  // namespace rcgen
