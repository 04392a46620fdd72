#pragma once
// Reads entries of a zip archive held in memory (the container of .xlsx and .ods files).
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct zip;

namespace connsheet::office {

class ZipArchive {
public:
    // The bytes must outlive the archive. ok() says whether they are a zip archive; error() why not.
    explicit ZipArchive(std::string_view bytes);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool ok() const { return archive_ != nullptr; }
    const std::string& error() const { return error_; }

    // The entry's bytes; nullopt (with error() saying why) when it is missing, damaged or would
    // unpack to more than `limit` bytes.
    std::optional<std::string> read(const std::string& name, std::size_t limit = kDefaultLimit);

    static constexpr std::size_t kDefaultLimit = 64u << 20;

private:
    zip* archive_ = nullptr;
    std::string error_;
};

}  // namespace connsheet::office
