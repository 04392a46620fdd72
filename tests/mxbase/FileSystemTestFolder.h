#pragma once
// A fresh folder per test under the system's temporary folder, removed afterwards, with helpers to
// put bytes into files and read them back without going through the code under test.
#include <unistd.h>  // getpid

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

class TestFolder {
public:
    TestFolder() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("connsheet-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TestFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view relative) const { return path_ / relative; }
    // The folder as wide text with a trailing "/", for building product-style paths.
    std::wstring wide() const {
        std::string s = path_.string() + "/";
        return std::wstring(s.begin(), s.end());  // temp paths are ASCII
    }

    std::filesystem::path put(std::string_view relative, std::string_view bytes) const {
        std::filesystem::path file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }
    static std::string get(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // Names in the folder (not recursive), to catch leftover temporary files.
    int entryCount(const std::filesystem::path& folder) const {
        int n = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++n;
        return n;
    }

private:
    std::filesystem::path path_;
};
