#pragma once

// Problems an object meets while it loads that do not stop the load, such as
// an image file that is missing now. The scene loader gathers them into its
// warnings.

#include <string>
#include <vector>

/// Adds `text` to the warnings of the load running on this thread; without
/// one, the text is dropped (the object keeps its own record of it).
void ReportLoadWarning(const std::string& text);

/// Gathers the warnings reported on this thread while it lives; nests.
class LoadWarningCollector {
public:
    LoadWarningCollector();
    ~LoadWarningCollector();
    LoadWarningCollector(const LoadWarningCollector&) = delete;
    LoadWarningCollector& operator=(const LoadWarningCollector&) = delete;

    const std::vector<std::string>& Warnings() const { return warnings; }

private:
    friend void ReportLoadWarning(const std::string& text);
    std::vector<std::string> warnings;
    LoadWarningCollector* outer;
};
