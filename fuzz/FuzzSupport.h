#pragma once
// What the fuzz targets that read files share: a scratch folder of the process's own (removed when the
// process ends) and a check that turns a broken promise of a reader into a crash the fuzzer keeps.
#include <unistd.h>  // getpid

#include <cstdlib>  // abort
#include <filesystem>
#include <string>
#include <system_error>

namespace fuzzsupport {

class ScratchFolder {
public:
    // `stem` names the target, so leftovers of a killed run say whose they are.
    explicit ScratchFolder(const std::string& stem)
        : path_(std::filesystem::temp_directory_path() / (stem + "_" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace fuzzsupport
