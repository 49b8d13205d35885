#include "apps/tintora/progress.h"

#include <unistd.h>

#include <cstdio>

namespace tintora_cli {

namespace {

// Work finished sooner than this draws no bar at all.
constexpr std::chrono::milliseconds kQuietTime(400);
constexpr int kBarWidth = 30;

}  // namespace

ProgressBar::ProgressBar(std::string text) : label(std::move(text)), terminal(isatty(STDERR_FILENO) != 0) {}

ProgressBar::~ProgressBar() {
    if (drawn) std::fprintf(stderr, "\r\033[K");
}

void ProgressBar::Update(int done, int total) {
    if (!terminal || total <= 0) return;
    std::lock_guard lock(drawing);
    if (std::chrono::steady_clock::now() - start < kQuietTime) return;
    const int percent = int(100LL * done / total);
    if (percent == shownPercent) return;
    shownPercent = percent;
    const int filled = kBarWidth * percent / 100;
    std::fprintf(stderr, "\r%s [%s%s] %3d%%", label.c_str(), std::string(std::size_t(filled), '#').c_str(),
                 std::string(std::size_t(kBarWidth - filled), ' ').c_str(), percent);
    std::fflush(stderr);
    drawn = true;
}

}  // namespace tintora_cli
