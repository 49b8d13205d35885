#pragma once

// Checks command words and long options before CLI11 parses them, so that a
// mistyped name is reported with the names that exist and a near miss.

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

namespace tintora_cli {

/// A UsageError for an unknown or missing command, or an unknown long
/// option of the command named (or of the commands it belongs to).
void CheckCommandLine(const CLI::App& app, const std::vector<std::string>& args);

}  // namespace tintora_cli
