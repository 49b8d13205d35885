#pragma once

// The two ways a command fails, and the exit codes they map to.

#include <stdexcept>
#include <string>

namespace tintora_cli {

inline constexpr int EXIT_WORK_FAILED = 1;
inline constexpr int EXIT_USAGE = 2;

/// The command line asked for something that does not exist or is malformed.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& what) : std::runtime_error(what) {}
};

/// The work itself failed: a missing or damaged file, an unreadable image, I/O.
class WorkError : public std::runtime_error {
public:
    explicit WorkError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace tintora_cli
