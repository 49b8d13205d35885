#pragma once

// Writes a parsed script as a C++ source that defines the module's
// ResourceTable (host/resources.h) under its exported symbol.

#include <filesystem>
#include <ostream>
#include <vector>

#include "resources/rcgen/rc_script.h"

namespace rcgen {

/// Reads the bitmaps the script names (relative to `scriptDir`) and writes
/// the source to `out`. Appends every file read to `inputs`. Throws
/// ScriptError on duplicate ids or unreadable or malformed bitmaps.
void EmitSource(const Script& script, const std::filesystem::path& scriptDir,
                const std::string& scriptName, std::ostream& out,
                std::vector<std::filesystem::path>& inputs);

}  // namespace rcgen
