#include "app/cli/progress_display.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

namespace {

constexpr int kDefaultColumns = 80;
constexpr int kMaxBarCells = 40;

int TerminalColumns() {
    struct winsize size {};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    return kDefaultColumns;
}

}  // namespace

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

ProgressDisplay::ProgressDisplay(std::string label, bool drawBar, std::FILE* log)
    : label_(std::move(label)), drawBar_(drawBar), log_(log) {}

void ProgressDisplay::Report(int32_t done, int32_t total) {
    if (log_ != nullptr) {
        std::fprintf(log_, "%d %d\n", done, total);
        std::fflush(log_);
    }
    if (!drawBar_ || total <= 0) return;
    const int percent = static_cast<int>(std::clamp<int64_t>(int64_t{done} * 100 / total, 0, 100));
    if (percent == lastPercent_) return;
    lastPercent_ = percent;

    // "label [#######.......]  45%", cut to the terminal's width.
    const int columns = TerminalColumns() - 1;
    const int cells =
        std::clamp(columns - 8 - static_cast<int>(label_.size()) - 1, 10, kMaxBarCells);
    const int filled = cells * percent / 100;
    std::string line = label_ + " [" + std::string(static_cast<std::size_t>(filled), '#') +
                       std::string(static_cast<std::size_t>(cells - filled), '.') + "] ";
    const std::string number = std::to_string(percent);
    line += std::string(3 - number.size(), ' ') + number + "%";
    if (static_cast<int>(line.size()) > columns)
        line = line.substr(line.size() - static_cast<std::size_t>(columns));
    std::fprintf(stderr, "\r%s\033[K", line.c_str());
    std::fflush(stderr);
    shown_ = true;
}

void ProgressDisplay::Clear() {
    if (!shown_) return;
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
    shown_ = false;
    lastPercent_ = -1;
}
