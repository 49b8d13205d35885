#pragma once

// Runs the tintora program and captures what it printed and how it ended.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace cli_test {

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
    /// The lines printed on standard error.
    std::vector<std::string> ErrLines() const;
};

/// Environment changes for one run: a value sets the variable, an empty
/// value removes it.
using EnvChanges = std::map<std::string, std::string>;

/// Runs build/bin/tintora with `args` and waits for it. Without changes the
/// program inherits this process's environment (with the plug-in path).
RunResult RunTintora(const std::vector<std::string>& args, const EnvChanges& env = {});

/// A fresh folder for one test, removed at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string operator/(const std::string& name) const { return (path / name).string(); }
    /// The names of the files in the folder, sorted.
    std::vector<std::string> Files() const;
    std::filesystem::path path;
};

}  // namespace cli_test
