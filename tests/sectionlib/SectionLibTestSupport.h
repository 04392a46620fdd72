#pragma once
// A scratch library for section library tests: a folder of the test program's own with a "prof\"
// folder holding copies of the bundled tables, made the library folder for the test and removed after.
#include <gtest/gtest.h>
#include <unistd.h>  // getpid

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/mxbase/MacroLangs.h"
#include "platform/mxbase/Mx_Settings.h"
#include "tests/spread/SpreadTestHost.h"  // PrintTo for Mx_String, a dialog hosting a grid

class ScratchLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        lib_ =
            std::filesystem::temp_directory_path() / ("connsheet-sectionlib-" + std::to_string(::getpid()));
        std::filesystem::remove_all(lib_);
        std::filesystem::create_directories(lib_ / "prof");
        for (const char* table : {"IPE.pr", "HEA.pr", "HEB.pr", "ipe.bmp", "hea.bmp", "heb.bmp"})
            std::filesystem::copy_file(bundledProf() / table, lib_ / "prof" / table);
        gSettings.setLibDir(Mx_String((lib_.string() + "/").c_str()));
        MacroLangs::setLanguages({});
    }
    void TearDown() override {
        gSettings.reset();
        MacroLangs::setLanguages({});
        std::filesystem::remove_all(lib_);
    }

    static std::filesystem::path bundledProf() {
        return std::filesystem::path(CONNSHEET_SOURCE_DIR) / "examples" / "library" / "prof";
    }
    static std::string bytesOf(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    std::filesystem::path prof(const std::string& file) const { return lib_ / "prof" / file; }
    void writeProf(const std::string& file, const std::string& bytes) const {
        std::ofstream(prof(file), std::ios::binary) << bytes;
    }

    std::filesystem::path lib_;
};

inline void PrintTo(const Mx_StringArray& items, std::ostream* out) {
    *out << '{';
    for (int i = 0; i < items.length(); ++i)
        *out << (i ? ", \"" : "\"") << items[i].toUtf8() << '"';
    *out << '}';
}
