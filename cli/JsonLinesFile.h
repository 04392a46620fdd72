#pragma once
// A JSON-lines file of a batch: where each of its lines lies, found in one pass through a small
// buffer, and a line's text read back when it is wanted. A regular file is never held whole: a line is
// read from the file where it lies (each worker process reads only its own lines). Anything else (a
// pipe) can only be read once and is kept whole in memory.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace connsheet {

class JsonLinesFile {
public:
    struct Line {
        int number = 0;            // 1-based, counting blank lines
        std::uint64_t offset = 0;  // of its first byte
        std::uint64_t length = 0;  // without the line end (LF or CR LF)
    };

    JsonLinesFile() = default;
    ~JsonLinesFile();
    JsonLinesFile(const JsonLinesFile&) = delete;
    JsonLinesFile& operator=(const JsonLinesFile&) = delete;

    // Opens the file and finds its lines that hold more than blanks. False, with `error` a sentence
    // naming the file and the reason, when it cannot be read.
    bool open(const std::string& path, std::string& error);

    const std::vector<Line>& lines() const { return lines_; }

    // The text of line `index` (of lines()) in `buffer`, which is reused from one call to the next.
    // False, with `error` set, when it cannot be read back (the file was cut short since).
    bool read(std::size_t index, std::string& buffer, std::string& error) const;

    // The file's bytes in all.
    std::uint64_t size() const { return size_; }

private:
    std::string path_;
    int fd_ = -1;        // a regular file, read where each line lies
    std::string whole_;  // anything else, kept whole
    std::uint64_t size_ = 0;
    std::vector<Line> lines_;
};

}  // namespace connsheet
