#pragma once

// A progress bar on standard error for work that takes more than a moment,
// drawn only when standard error is a terminal.

#include <chrono>
#include <mutex>
#include <string>

namespace tintora_cli {

class ProgressBar {
public:
    /// `label` heads the bar ("frame 3 of 24").
    explicit ProgressBar(std::string label);
    /// Clears the bar's line if one was drawn.
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    /// `done` of `total` units are finished; safe to call from any thread.
    void Update(int done, int total);

private:
    std::string label;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    bool terminal;
    bool drawn = false;
    int shownPercent = -1;
    std::mutex drawing;
};

}  // namespace tintora_cli
