#include "cli/JsonLinesFile.h"

#include <fcntl.h>     // open
#include <sys/stat.h>  // fstat
#include <unistd.h>    // pread, read, close

#include <cerrno>
#include <cstring>  // memchr, strerror

namespace connsheet {
namespace {

constexpr std::size_t kChunk = std::size_t(1) << 20;

// Cuts the bytes into lines as they come, a chunk at a time; a line may span chunks. A line of
// nothing but blanks (spaces, tabs, its CR) is no macro and is passed over, its number counted.
class LineScanner {
public:
    explicit LineScanner(std::vector<JsonLinesFile::Line>& lines) : lines_(lines) {}

    void feed(std::string_view bytes) {
        while (!bytes.empty()) {
            const void* found = std::memchr(bytes.data(), '\n', bytes.size());
            const std::size_t take =
                found ? static_cast<std::size_t>(static_cast<const char*>(found) - bytes.data())
                      : bytes.size();
            note(bytes.substr(0, take));
            position_ += take;
            if (!found)
                return;
            endLine();
            ++position_;
            start_ = position_;
            bytes.remove_prefix(take + 1);
        }
    }
    void finish() {
        if (position_ > start_)
            endLine();
    }

private:
    // Where the line's first byte other than a space or a tab lies, once one is seen: the only bytes
    // looked at one by one are a line's leading blanks.
    void note(std::string_view part) {
        if (!part.empty())
            lastByte_ = part.back();
        if (firstContent_ != kNone)
            return;
        const std::size_t at = part.find_first_not_of(" \t");
        if (at != std::string_view::npos)
            firstContent_ = position_ + at;
    }
    // The line from start_ to position_ (its LF or the file's end) is whole. It holds a macro when
    // something other than blanks stands before its CR (a CR LF line end loses the CR).
    void endLine() {
        ++number_;
        std::uint64_t end = position_;
        if (end > start_ && lastByte_ == '\r')
            --end;
        if (firstContent_ != kNone && firstContent_ < end)
            lines_.push_back({number_, start_, end - start_});
        firstContent_ = kNone;
        lastByte_ = '\0';
    }

    static constexpr std::uint64_t kNone = ~std::uint64_t(0);

    std::vector<JsonLinesFile::Line>& lines_;
    std::uint64_t position_ = 0;  // bytes seen
    std::uint64_t start_ = 0;     // of the line being cut
    int number_ = 0;
    std::uint64_t firstContent_ = kNone;
    char lastByte_ = '\0';      // the line's last byte before its LF
};

}  // namespace

JsonLinesFile::~JsonLinesFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool JsonLinesFile::open(const std::string& path, std::string& error) {
    path_ = path;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        const int saved = S_ISDIR(info.st_mode) ? EISDIR : errno;
        ::close(fd);
        error = "cannot read " + path + ": " + std::strerror(saved);
        return false;
    }
    const bool regular = S_ISREG(info.st_mode);
    LineScanner scanner(lines_);
    // A regular file goes through one reused buffer; anything else is kept whole as it comes.
    std::string chunk(regular ? kChunk : 0, '\0');
    std::string& into = regular ? chunk : whole_;
    for (;;) {
        const std::size_t at = regular ? 0 : whole_.size();
        if (!regular)
            whole_.resize(at + kChunk);
        const ssize_t n = ::read(fd, into.data() + at, kChunk);
        if (n < 0 && errno == EINTR) {
            if (!regular)
                whole_.resize(at);
            continue;
        }
        if (n <= 0) {
            if (!regular)
                whole_.resize(at);
            if (n == 0)
                break;
            const int saved = errno;
            ::close(fd);
            error = "cannot read " + path + ": " + std::strerror(saved);
            return false;
        }
        scanner.feed(std::string_view(into.data() + at, static_cast<std::size_t>(n)));
        size_ += static_cast<std::uint64_t>(n);
        if (!regular)
            whole_.resize(at + static_cast<std::size_t>(n));
    }
    scanner.finish();
    if (regular)
        fd_ = fd;
    else
        ::close(fd);
    return true;
}

bool JsonLinesFile::read(std::size_t index, std::string& buffer, std::string& error) const {
    const Line& line = lines_.at(index);
    if (fd_ < 0) {
        buffer.assign(whole_, static_cast<std::size_t>(line.offset), static_cast<std::size_t>(line.length));
        return true;
    }
    buffer.resize(static_cast<std::size_t>(line.length));
    std::size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t n =
            ::pread(fd_, buffer.data() + done, buffer.size() - done, static_cast<off_t>(line.offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n < 0 ? std::string("cannot read ") + path_ + ": " + std::strerror(errno)
                          : path_ + " was cut short while the batch ran";
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace connsheet
