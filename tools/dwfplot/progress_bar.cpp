#include "dwfplot/progress_bar.h"

#include <unistd.h>

namespace dwfplot_tool {
namespace {
constexpr int kCells = 30;
constexpr auto kQuietPeriod = std::chrono::seconds(1);

int percentOf(uint64_t done, uint64_t total) {
    if (total == 0) return 0;
    if (done >= total) return 100;
    return static_cast<int>(done * 100 / total);
}
}  // namespace

ProgressBar::ProgressBar(std::ostream& err, bool enabled, std::string label)
    : err_(err), enabled_(enabled), label_(std::move(label)), start_(std::chrono::steady_clock::now()) {}

void ProgressBar::update(uint64_t done, uint64_t total) {
    if (!enabled_) return;
    const int percent = percentOf(done, total);
    if (percent == lastPercent_) return;
    if (!drawn_ && std::chrono::steady_clock::now() - start_ < kQuietPeriod) return;
    lastPercent_ = percent;
    drawn_ = true;
    err_ << '\r' << progressLine(label_, done, total) << std::flush;
}

void ProgressBar::finish() {
    if (!drawn_) return;
    drawn_ = false;
    err_ << '\r' << std::string(label_.size() + kCells + 8, ' ') << '\r' << std::flush;
}

std::string progressLine(const std::string& label, uint64_t done, uint64_t total) {
    const int percent = percentOf(done, total);
    const int filled = percent * kCells / 100;
    std::string line = label + " [";
    line.append(static_cast<size_t>(filled), '#');
    line.append(static_cast<size_t>(kCells - filled), ' ');
    line += "] " + std::to_string(percent) + "%";
    return line;
}

bool standardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

}  // namespace dwfplot_tool
