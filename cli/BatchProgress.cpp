#include "cli/BatchProgress.h"

#include <cstdio>  // snprintf
#include <ostream>

namespace connsheet {

std::string progressLine(std::size_t done, std::size_t total, double seconds, int width) {
    const double share = total == 0 ? 1.0 : static_cast<double>(done) / static_cast<double>(total);
    const int filled = static_cast<int>(share * width);
    std::string line = "[" + std::string(static_cast<std::size_t>(filled), '#') +
                       std::string(static_cast<std::size_t>(width - filled), '.') + "]";
    const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0.0;
    char tail[96];
    if (done == 0 || rate <= 0) {
        std::snprintf(tail, sizeof tail, "  %zu/%zu  ?/s  ? left", done, total);
    } else {
        const long left = static_cast<long>(static_cast<double>(total - done) / rate + 0.5);
        std::snprintf(tail, sizeof tail, "  %zu/%zu  %.0f/s  %ld:%02ld left", done, total, rate, left / 60,
                      left % 60);
    }
    return line + tail;
}

BatchProgress::BatchProgress(std::ostream& err, std::size_t total, bool terminal)
    : err_(err),
      total_(total),
      terminal_(terminal),
      start_(std::chrono::steady_clock::now()),
      shown_(start_) {}

void BatchProgress::advance() {
    ++done_;
    const auto now = std::chrono::steady_clock::now();
    // A terminal is redrawn ten times a second; a log gets a line a second.
    const auto every = terminal_ ? std::chrono::milliseconds(100) : std::chrono::milliseconds(1000);
    if (now - shown_ >= every)
        show(false);
}

void BatchProgress::finish() {
    // A log that got no line keeps quiet: the summary says the same on stdout.
    if (terminal_)
        show(true);
}

void BatchProgress::show(bool last) {
    shown_ = std::chrono::steady_clock::now();
    const double seconds = std::chrono::duration<double>(shown_ - start_).count();
    const std::string line = progressLine(done_, total_, seconds);
    if (terminal_) {
        err_ << '\r' << line << (last ? "\n" : "") << std::flush;
    } else {
        err_ << line << '\n' << std::flush;
    }
}

}  // namespace connsheet
