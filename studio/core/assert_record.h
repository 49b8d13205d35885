#pragma once

// Failed consistency checks reported through assert1, kept for inspection.

#include <string>
#include <vector>

namespace studio {

struct AssertEntry {
    int line;
    std::string file;
    bool operator==(const AssertEntry&) const = default;
};

/// Every assert1 report since the last ClearAssertRecord, oldest first.
std::vector<AssertEntry> AssertRecord();
void ClearAssertRecord();

}  // namespace studio
