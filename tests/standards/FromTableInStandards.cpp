// FROMTABLE in a standards sheet: lookups in table sheets, nested lookups that fail, and the grid a
// three-argument lookup writes into.
#include <gtest/gtest.h>

#include <string>

#include "platform/mfc/ScriptedDriver.h"
#include "platform/mxbase/Mx_Settings.h"
#include "spread/CalculatingGrid.h"
#include "standards/VlSSDlgsMgr.h"
#include "tests/standards/StandardsTestSupport.h"

namespace {

using standardstest::EquationSheet;
using standardstest::ScratchDir;

const char* kBolts =
    "connsheet-grid 1\n"
    "sheet cols=3 rows=2\n"
    "cell A* data=\"Size\"\ncell B* data=\"Hole\"\ncell C* data=\"Grade\"\n"
    "cell A1 data=\"M12\"\ncell B1 type=10 data=\"13\"\ncell C1 data=\"8.8\"\n"
    "cell A2 data=\"M16\"\ncell B2 type=10 data=\"18\"\ncell C2 data=\"10.9\"\n";

std::string quoted(const Mx_String& path) {
    return "\"" + path.toUtf8() + "\"";
}

class FromTableRun : public ::testing::Test {
protected:
    void SetUp() override { gSettings.setStandardsWarnings(true); }
    void TearDown() override { gSSDlgsMgr.destroyAll(); }
    ui::ScriptedDriver driver;
    ScratchDir dir;
};

}  // namespace

TEST_F(FromTableRun, LooksValuesUpInTableSheets) {
    dir.write("bolts.vls", kBolts);
    const std::string bolts = quoted(dir.file("bolts.vls"));
    EquationSheet sheet;
    sheet.input(L"Bolt", L"M16", kVlString);
    const int hole = sheet.equation("FROMTABLE(" + bolts + ", \"size\", \"HOLE\", Bolt) + 2");
    // The sheet is two columns wide: its own A2 names the table's A2.
    const int size = sheet.equation("FROMTABLE(" + bolts + ", A2)", kVlString);
    ASSERT_TRUE(sheet.run(dir, driver));
    EXPECT_EQ(sheet.number(hole), 20);
    EXPECT_EQ(sheet.text(size), L"M16");
    EXPECT_TRUE(sheet.messages().empty());
    EXPECT_EQ(CalculatingGrid::current(), nullptr);
}

// The first equation looks up a table cell that itself looks up a missing file: the nested lookup
// fails inside the outer one. The next equation's three-argument lookup must still write into the
// standards sheet (not into a table grid that is gone), and the run leaves no grid current.
TEST_F(FromTableRun, AFailedNestedLookupKeepsTheCalculatingGridRight) {
    dir.write("bolts.vls", kBolts);
    dir.write("outer.vls", "connsheet-grid 1\nsheet cols=2 rows=2\ncell A1 formula=\"FROMTABLE(\\\"" +
                               dir.file("absent.vls").toUtf8() + "\\\", A1) + 1\"\n");
    EquationSheet sheet;
    sheet.local(L"Grade", kVlString);
    const int failed = sheet.equation("FROMTABLE(" + quoted(dir.file("outer.vls")) + ", A1)");
    sheet.equation("FROMTABLE(" + quoted(dir.file("bolts.vls")) + ", A2, Grade)", kVlString);
    const int copied = sheet.equation("Grade & \"\"", kVlString);
    ASSERT_TRUE(sheet.run(dir, driver));
    EXPECT_EQ(sheet.text(copied), L"M16");
    EXPECT_EQ(sheet.number(failed), 1) << "the missing inner value counts as empty";
    EXPECT_EQ(CalculatingGrid::current(), nullptr);
}
