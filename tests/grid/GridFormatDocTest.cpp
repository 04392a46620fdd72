// The example of docs/grid-format.md is a native grid file as this program writes it: loading it and
// writing it again gives the very same text, so the document never shows what the program would not
// keep.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/grid/GridFile.h"
#include "platform/grid/Sheet.h"

namespace grid {
namespace {

// The indented block that starts with "connsheet-grid", without its indentation.
std::string documentedExample() {
    std::ifstream in(std::string(CONNSHEET_SOURCE_DIR) + "/docs/grid-format.md");
    std::string line, example;
    bool inside = false;
    while (std::getline(in, line)) {
        if (!inside && line == "    connsheet-grid 1") inside = true;
        if (!inside) continue;
        if (!line.starts_with("    ")) break;
        example += line.substr(4) + "\n";
    }
    return example;
}

TEST(GridFormatDoc, TheExampleRoundTrips) {
    const std::string example = documentedExample();
    ASSERT_FALSE(example.empty());
    Sheet sheet;
    GridFileResult r = GridFile::loadText(sheet, example, GridFileFormat::Native);
    ASSERT_TRUE(r.ok) << r.diagnostic;
    EXPECT_EQ(GridFile::toNativeText(sheet), example);
    // The number cell shows its datum with its two decimals; the edit cell keeps the text typed.
    EXPECT_EQ(sheet.valueText(1, 1), L"12.50");
    EXPECT_EQ(sheet.dataText(1, 1), L"12.5");
    EXPECT_EQ(sheet.dataText(3, 1), L"12.50");
}

}  // namespace
}  // namespace grid
