#pragma once
// A batch run's progress on stderr: a bar redrawn in place on a terminal (count, rate, time left),
// plain lines at most once a second otherwise, so a log file gets a readable trail rather than a
// stream of carriage returns.
#include <chrono>
#include <cstddef>
#include <iosfwd>
#include <string>

namespace connsheet {

// "[#########.........]  450/1000  3120/s  0:01 left" for `width` bar characters; the time left is
// estimated from the rate so far ("?" before the first item is done).
std::string progressLine(std::size_t done, std::size_t total, double seconds, int width = 30);

class BatchProgress {
public:
    BatchProgress(std::ostream& err, std::size_t total, bool terminal);
    void advance();  // one more item done
    void finish();   // the last line, and a line end after the bar

private:
    void show(bool last);

    std::ostream& err_;
    std::size_t total_;
    std::size_t done_ = 0;
    bool terminal_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point shown_;
};

}  // namespace connsheet
