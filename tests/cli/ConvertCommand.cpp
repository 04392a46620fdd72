// connsheet convert: texts, numbers and formulas survive every route between the native format, CSV,
// TSV and .xlsx; .ods files are read; bad files are refused with the file and the problem, and a
// failed conversion leaves the target as it was.
#include <gtest/gtest.h>

#include <unistd.h>  // getpid
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/cli/CommandRun.h"

namespace {

namespace fs = std::filesystem;

class ConvertCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("connsheet-convert-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string path(const std::string& name) { return (dir_ / name).string(); }
    std::string file(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return path(name);
    }
    std::string read(const std::string& name) {
        std::ifstream in(dir_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    fs::path dir_;
};

const std::string kSheet =
    "Width,Height,Area,Note\n"
    "12.5,4,=A2*B2,\"a, b\"\n"
    "3,=A3+1,=SUM(A2:A3),Übergröße\n"
    ",,\"=IF(A2>10,\"\"wide\"\",\"\"narrow\"\")\",\n";

TEST_F(ConvertCommand, EveryRouteKeepsTextsNumbersAndFormulas) {
    file("in.csv", kSheet);
    const char* routes[][2] = {{"in.csv", "a.xlsx"},
                               {"a.xlsx", "b.vls"},
                               {"b.vls", "c.tsv"},
                               {"c.tsv", "d.xlsx"},
                               {"d.xlsx", "out.csv"}};
    for (const auto& [from, to] : routes) {
        CommandRun r = runConnsheet({"convert", path(from), path(to)});
        ASSERT_EQ(r.status, 0) << from << " -> " << to << ": " << r.err;
    }
    EXPECT_EQ(read("out.csv"), kSheet);
    // The values are computed from the formulas that arrived, not copied.
    CommandRun calc = runConnsheet({"calc", path("b.vls")});
    EXPECT_NE(calc.out.find("C2\t50\n"), std::string::npos) << calc.out;
    EXPECT_NE(calc.out.find("C3\t15.5\n"), std::string::npos) << calc.out;
    EXPECT_NE(calc.out.find("C4\twide\n"), std::string::npos) << calc.out;
}

TEST_F(ConvertCommand, OdsFirstTableWithRepeatsSpacesAndOpenFormulas) {
    // plates.ods: a repeated cell, "Two  words" written with <text:s c="2"/>, three empty rows
    // repeated, open formulas with ";" and sheet-qualified references, a million empty rows at the
    // end, and a second table that is not read.
    CommandRun r = runConnsheet({"convert", CONNSHEET_TEST_DATA_DIR "/plates.ods", path("plates.csv")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string csv = read("plates.csv");
    EXPECT_EQ(csv.rfind("Width,Two  words,\"Sum; \"\"x\"\"\"\n12.5,2,2\n", 0), 0u) << csv;
    EXPECT_NE(csv.find("\"=SUM(A2:C2,A2)\",\"=IF(A2>1,\"\"a;b\"\",\"\"c\"\")\""), std::string::npos) << csv;
    EXPECT_EQ(csv.find("not read"), std::string::npos) << csv;
}

TEST_F(ConvertCommand, XlsxFirstSheetWithSharedRichAndInlineStrings) {
    // handmade.xlsx: the first sheet is the workbook's first (rId3, an absolute part name), not
    // sheet1.xml; shared strings plain and in runs (the phonetic hint left out), an inline string,
    // a boolean, a formula, a shared formula's follower (its value stands in) and an error value.
    CommandRun r = runConnsheet({"convert", CONNSHEET_TEST_DATA_DIR "/handmade.xlsx", path("hand.csv")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read("hand.csv"),
              "Width,Rich text,\"inline, \"\"quoted\"\"\",,\n"
              ",,,,\n"
              "12.5,TRUE,=A3*2,=A3+1,\n"
              ",,,1,#DIV/0!\n");

    CommandRun broken =
        runConnsheet({"convert", CONNSHEET_TEST_DATA_DIR "/broken-sheet.xlsx", path("x.csv")});
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.err.find("broken-sheet.xlsx: xl/worksheets/plates.xml:3:19: Start-end tags mismatch"),
              std::string::npos)
        << broken.err;
    CommandRun badString =
        runConnsheet({"convert", CONNSHEET_TEST_DATA_DIR "/bad-string.xlsx", path("x.csv")});
    EXPECT_NE(badString.err.find("cell A1 names shared string 5, which is not there"), std::string::npos)
        << badString.err;
    EXPECT_FALSE(fs::exists(path("x.csv")));
}

TEST_F(ConvertCommand, BadInputsAreRefusedAndTheTargetKept) {
    const std::string target = file("kept.csv", "old\n");
    struct Bad {
        std::string in, message;
    } const cases[] = {
        {file("junk.xlsx", "PK not really"), "junk.xlsx: not a zip archive"},
        {file("junk.ods", ""), "junk.ods: content.xml: missing from the archive"},
        {file("formula.csv", "=SUM(A1\n"), "formula.csv: line 1: cell A1:"},
        {path("missing.csv"), "missing.csv"},
    };
    for (const Bad& c : cases) {
        SCOPED_TRACE(c.in);
        CommandRun r = runConnsheet({"convert", c.in, target});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(read("kept.csv"), "old\n");
    }
    CommandRun notXml = runConnsheet({"convert", path("kept.csv"), path("x.ods")});
    EXPECT_EQ(notXml.status, 2);
    EXPECT_NE(notXml.err.find(".ods files are read, not written"), std::string::npos) << notXml.err;
}

}  // namespace
