#pragma once
// A fixture for command tests: a scratch folder of the test program's own (removed after each test)
// and a way to write a file into it.
#include <gtest/gtest.h>
#include <unistd.h>  // getpid

#include <filesystem>
#include <fstream>
#include <string>

class ScratchFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = std::filesystem::temp_directory_path() / ("connsheet-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    // Writes `bytes` to `name` in the folder and returns the file's path.
    std::string file(const std::string& name, const std::string& bytes)
    {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return (dir_ / name).string();
    }
    std::filesystem::path dir_;
};
