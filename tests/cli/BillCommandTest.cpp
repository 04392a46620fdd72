// connsheet bill and connsheet settings: a bill fed from rows is saved with its settings; saved as
// .xlsx it is a workbook whose texts, formats and print settings an office suite reads back (checked
// here by unzipping it and reading its XML, and through connsheet's own .xlsx reader).
#include <gtest/gtest.h>

#include <cstdio>  // popen
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/mfc/RegistryScope.h"
#include "platform/mxbase/Mx_Settings.h"
#include "spread/DlgSSAsTool.h"
#include "spread/Mx_Spread.h"
#include "tests/cli/CommandRun.h"
#include "tests/cli/ScratchFolder.h"

namespace {

// One part of the workbook (its zip container) as text.
std::string part(const std::filesystem::path& workbook, const std::string& name) {
    const std::string command = "unzip -p '" + workbook.string() + "' '" + name + "' 2>/dev/null";
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        ::pclose(pipe);
    }
    return text;
}

std::string read(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A 12 x 6 picture of a part.
std::string bitmap() {
    std::string bmp = "BM";
    auto u32 = [&](unsigned v) {
        for (int i = 0; i < 4; ++i)
            bmp += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    auto u16 = [&](unsigned v) { bmp += static_cast<char>(v & 0xFF), bmp += static_cast<char>(v >> 8); };
    const unsigned pixels = 12 * 6 * 3;
    u32(54 + pixels), u32(0), u32(54), u32(40), u32(12), u32(6), u16(1), u16(24), u32(0), u32(pixels);
    u32(2835), u32(2835), u32(0), u32(0);
    return bmp + std::string(pixels, '\x40');
}

struct BillCommand : ScratchFolderTest {
    ui::RegistryScope registry;
    void SetUp() override {
        ScratchFolderTest::SetUp();
        gSettings.setMxDir(Mx_String(dir_.string() + "/"));
    }
    void TearDown() override {
        gSettings.reset();
        ScratchFolderTest::TearDown();
    }
};

const std::string kRows =
    "Mark,Name,Qty,Weight\n"
    "A1,Beam HEA200,2,42.5\n"
    "B7,\"Plate 10x200, S355\",4,3.14\n"
    "!subtotal Total,,6,45.64\n";

}  // namespace

TEST_F(BillCommand, AnXlsxBillReadsBackWithItsTextsFormatsAndPrintSettings) {
    file("Office.vld",
         "marginLeft\xA4"
         "2\xA4"
         "20\xA4"
         "defaultFont\xA4"
         "4\xA4"
         "Verdana\xA4");
    const std::string rows = file("rows.csv", kRows);
    const std::filesystem::path out = dir_ / "Hall 7\u00BFbeams.xlsx";
    CommandRun r = runConnsheet({"bill", rows, "--template", "Office", "--types", "3,3,1,2", "--var",
                                 "Project=Hall 7", "--out", out.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "bill: 3 rows written to " + out.string() + "\n");

    CommandRun back = runConnsheet({"convert", out.string(), (dir_ / "back.csv").string()});
    ASSERT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(read(dir_ / "back.csv"),
              "Mark,Name,Qty,Weight\n"
              "A1,Beam HEA200,2,42.5\n"
              "B7,\"Plate 10x200, S355\",4,3.14\n"
              "Total,,6,45.64\n");

    const std::string sheet = part(out, "xl/worksheets/sheet1.xml");
    const std::string styles = part(out, "xl/styles.xml");
    ASSERT_FALSE(sheet.empty()) << "unzip could not read the workbook";
    // Margins of the settings file in millimetres, as inches: 20 mm on the left, the default 5 mm.
    EXPECT_NE(sheet.find("<pageMargins left=\"0.787"), std::string::npos) << sheet;
    EXPECT_NE(sheet.find("right=\"0.196"), std::string::npos);
    EXPECT_NE(sheet.find("<oddHeader>&amp;Lbeams&amp;R"), std::string::npos) << "the title after the last ¿";
    EXPECT_NE(sheet.find("<printOptions gridLines=\"1\"/>"), std::string::npos);
    EXPECT_NE(sheet.find("state=\"frozen\""), std::string::npos) << "the title row stays in view";
    EXPECT_NE(part(out, "xl/workbook.xml").find("_xlnm.Print_Titles"), std::string::npos);
    EXPECT_NE(styles.find("formatCode=\"0.0\""), std::string::npos) << "one decimal for type 2";
    EXPECT_NE(styles.find("<name val=\"Verdana\"/>"), std::string::npos) << "the settings' font";
    EXPECT_NE(styles.find("<b/>"), std::string::npos) << "bold titles";
    EXPECT_NE(styles.find("rgb=\"FFA4D1FF\""), std::string::npos) << "the subtotal fill";
    // Quantities are numbers, not texts.
    EXPECT_NE(sheet.find("<c r=\"C2\" s=\""), std::string::npos);
    EXPECT_EQ(sheet.find("<c r=\"C2\" s=\"1\" t=\"s\""), std::string::npos);
}

TEST_F(BillCommand, JsonRowsWithPicturesMakeMergedPictureRowsAndTheSettingsListTheVariables) {
    file("a1.bmp", bitmap());
    const std::string rows = file("rows.json", R"({"titles": ["Mark", "Name", "Qty"], "types": [3, 3, 1],
        "variables": [["Client", "Acme"]], "pictures": {"A1": "a1.bmp"},
        "rows": [["A1", "Beam", "2"], {"page": true}, ["B7", "Plate", "4"], {"subtotal": ["", "", "6"]}]})");
    const std::string out = (dir_ / "bill.xlsx").string();
    CommandRun r = runConnsheet({"bill", rows, "--out", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "bill: 4 rows written to " + out + "\n") << "three lines and a picture row";
    EXPECT_NE(part(out, "xl/worksheets/sheet1.xml").find("<mergeCell ref=\"B3:C3\"/>"), std::string::npos)
        << "the picture spans the columns after the marker";
    // The part's picture travels inside the workbook, anchored in the picture row's second column.
    const std::string drawing = part(out, "xl/drawings/drawing1.xml");
    EXPECT_NE(drawing.find("<xdr:col>1</xdr:col>"), std::string::npos) << drawing;
    EXPECT_NE(drawing.find("<xdr:row>2</xdr:row>"), std::string::npos) << drawing;
    EXPECT_EQ(part(out, "xl/media/image1.bmp").substr(0, 2), "BM");

    const std::string native = (dir_ / "bill.vls").string();
    ASSERT_EQ(runConnsheet({"bill", rows, "--out", native}).status, 0);
    CommandRun settings = runConnsheet({"settings", native});
    ASSERT_EQ(settings.status, 0) << settings.err;
    EXPECT_NE(settings.out.find("defaultFont\tTahoma\n"), std::string::npos) << settings.out;
    EXPECT_NE(settings.out.find("variable\tTitle\tbill\nvariable\tBillFilename\t" + native +
                                "\nvariable\tClient\tAcme\n"),
              std::string::npos)
        << settings.out;
}

TEST_F(BillCommand, BadInputAndUnwritableBillsAreReported) {
    const std::string rows = file("rows.json", R"({"titles": ["A"], "rows": [42]})");
    CommandRun bad = runConnsheet({"bill", rows, "--out", (dir_ / "x.vls").string()});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("rows.json: a row must be"), std::string::npos) << bad.err;

    const std::string csv = file("rows.csv", kRows);
    const std::string nowhere = (dir_ / "no folder" / "bill.xlsx").string();
    CommandRun unwritable = runConnsheet({"bill", csv, "--out", nowhere});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("the bill could not be saved"), std::string::npos) << unwritable.err;
    EXPECT_FALSE(std::filesystem::exists(nowhere));
}

TEST_F(BillCommand, HeaderOptionsOfASheetAreEditedWithSteps) {
    const std::string csv = file("rows.csv", kRows);
    const std::string sheet = (dir_ / "bill.vls").string();
    ASSERT_EQ(runConnsheet({"bill", csv, "--out", sheet}).status, 0);
    const std::string steps = file("steps.txt", "type 1017 \"5\"\nclick 1\n");
    const std::string edited = (dir_ / "edited.vls").string();
    CommandRun r = runConnsheet({"settings", sheet, "--headers", "--steps", steps, "--out", edited});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "headers changed\n");

    DlgSSAsTool tool;
    ASSERT_TRUE(tool.create());
    Mx_Spread& grid = *tool.grid();
    ASSERT_TRUE(grid.LoadFromFile(Mx_String(edited).c_str()));
    EXPECT_EQ(grid.getMaxCols(), 5);
    Mx_String title;
    grid.getCellText(4, 0, title, Mx_Spread::kData);
    EXPECT_EQ(title, Mx_String(L"Weight"));

    const std::string png = (dir_ / "options.png").string();
    CommandRun picture = runConnsheet({"settings", sheet, "--headers", "--png", png});
    EXPECT_EQ(picture.status, 0) << picture.err;
    EXPECT_EQ(picture.out, "headers unchanged\n");
    EXPECT_TRUE(std::filesystem::exists(png));
}
