// The lines of a batch's JSON-lines file: found in one pass, read back one at a time from where they
// lie, whatever the line ends, blanks and sizes; a pipe kept whole; a file cut short said so.
#include "cli/JsonLinesFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>  // mkfifo
#include <unistd.h>    // getpid, truncate

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

class JsonLinesFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("connsheet-lines-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string put(const std::string& bytes) {
        const fs::path file = dir_ / "in.jsonl";
        std::ofstream(file, std::ios::binary) << bytes;
        return file.string();
    }
    // Every line found, as (number, text).
    static std::vector<std::pair<int, std::string>> all(const connsheet::JsonLinesFile& file) {
        std::vector<std::pair<int, std::string>> found;
        std::string text, error;
        for (std::size_t i = 0; i < file.lines().size(); ++i) {
            EXPECT_TRUE(file.read(i, text, error)) << error;
            found.emplace_back(file.lines()[i].number, text);
        }
        return found;
    }
    fs::path dir_;
};

using Lines = std::vector<std::pair<int, std::string>>;

TEST_F(JsonLinesFileTest, LineEndsBlanksAndTheLastLineWithoutItsEnd) {
    connsheet::JsonLinesFile file;
    std::string error;
    ASSERT_TRUE(file.open(put("{\"a\":1}\r\n\n  \t \r\n{\"b\": \"x y\"}\n\r\n \t{\"c\":3}"), error)) << error;
    EXPECT_EQ(all(file), (Lines{{1, "{\"a\":1}"}, {4, "{\"b\": \"x y\"}"}, {6, " \t{\"c\":3}"}}));
    EXPECT_EQ(file.size(), 40u);

    connsheet::JsonLinesFile empty;
    ASSERT_TRUE(empty.open(put(""), error)) << error;
    EXPECT_TRUE(empty.lines().empty());
}

TEST_F(JsonLinesFileTest, LinesAcrossTheReadingBufferComeBackWhole) {
    // Lines longer than the buffer it is read through, and line ends (a CR LF split too) at its edges.
    std::string bytes;
    Lines expected;
    const std::size_t sizes[] = {(1u << 20) - 9, 3u << 20, 5, (1u << 20) - 1, 17};
    int number = 0;
    for (std::size_t size : sizes) {
        std::string line = "\"" + std::string(size, static_cast<char>('a' + number)) + "\"";
        expected.emplace_back(++number, line);
        bytes += line + "\r\n";
    }
    connsheet::JsonLinesFile file;
    std::string error;
    ASSERT_TRUE(file.open(put(bytes), error)) << error;
    EXPECT_EQ(all(file), expected);
}

TEST_F(JsonLinesFileTest, APipeIsKeptWhole) {
    const fs::path fifo = dir_ / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string bytes;
    for (int i = 0; i < 5000; ++i)
        bytes += "{\"n\":" + std::to_string(i) + "}\n";
    std::thread writer([&] { std::ofstream(fifo, std::ios::binary) << bytes; });
    connsheet::JsonLinesFile file;
    std::string error;
    const bool opened = file.open(fifo.string(), error);
    writer.join();
    ASSERT_TRUE(opened) << error;
    ASSERT_EQ(file.lines().size(), 5000u);
    std::string text;
    ASSERT_TRUE(file.read(4321, text, error)) << error;
    EXPECT_EQ(text, "{\"n\":4321}");
    EXPECT_EQ(file.lines()[4321].number, 4322);
}

TEST_F(JsonLinesFileTest, AFileCutShortOrMissingIsSaid) {
    connsheet::JsonLinesFile file;
    std::string error;
    const std::string path = put("{\"a\":1}\n{\"b\":2}\n");
    ASSERT_TRUE(file.open(path, error)) << error;
    ASSERT_EQ(::truncate(path.c_str(), 10), 0);
    std::string text;
    EXPECT_TRUE(file.read(0, text, error));
    EXPECT_FALSE(file.read(1, text, error));
    EXPECT_EQ(error, path + " was cut short while the batch ran");

    connsheet::JsonLinesFile missing;
    EXPECT_FALSE(missing.open((dir_ / "none.jsonl").string(), error));
    EXPECT_EQ(error, "cannot read " + (dir_ / "none.jsonl").string() + ": No such file or directory");
    EXPECT_FALSE(missing.open(dir_.string(), error));
    EXPECT_EQ(error, "cannot read " + dir_.string() + ": Is a directory");
}

}  // namespace
