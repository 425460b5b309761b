// A progress bar on standard error for long commands: drawn only when
// standard error is a terminal and the work has taken more than a second,
// so short runs and redirected output stay clean.
#ifndef DWFPLOT_TOOL_PROGRESS_BAR_H
#define DWFPLOT_TOOL_PROGRESS_BAR_H

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

namespace dwfplot_tool {

class ProgressBar {
public:
    ProgressBar(std::ostream& err, bool enabled, std::string label);
    ~ProgressBar() { finish(); }
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void update(uint64_t done, uint64_t total);
    // Erases the bar, if one was drawn.
    void finish();

private:
    std::ostream& err_;
    bool enabled_;
    std::string label_;
    std::chrono::steady_clock::time_point start_;
    bool drawn_ = false;
    int lastPercent_ = -1;
};

// One line of the bar: label, 30 cells and the percentage.
std::string progressLine(const std::string& label, uint64_t done, uint64_t total);

// Whether standard error is a terminal.
bool standardErrorIsTerminal();

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_PROGRESS_BAR_H
