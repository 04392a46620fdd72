#include "spread/VlSSBillOutput.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/arx/AcTransaction.h"
#include "platform/grid/window/SSFunctions.h"
#include "platform/mfc/RegistryScope.h"
#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/Mx_Bill.h"
#include "platform/mxbase/Mx_Settings.h"
#include "spread/Mx_Spread.h"
#include "spread/VlSSSettings.h"
#include "tests/mxbase/FileSystemTestFolder.h"

namespace {

Mx_String wide(const std::filesystem::path& path) {
    return Mx_String(path.string());
}

struct BillTest : ::testing::Test {
    TestFolder folder;
    ui::RegistryScope registry;
    VlSSBillOutput output;
    void SetUp() override {
        gSettings.setMxDir(folder.wide());
        listOutputLog().clear();
    }
    void TearDown() override { gSettings.reset(); }

    Mx_Spread& start(const Mx_String& file, Mx_StringArray titles = {L"Mark", L"Name", L"Qty"},
                     std::vector<int> types = {3, 3, 1}) {
        EXPECT_EQ(output.init(file, titles, {}, types, L"", {L"Project"}, {L"Hall 7"}), Acad::eOk);
        Mx_Spread* grid = output.getSSPointer();
        EXPECT_NE(grid, nullptr);
        return *grid;
    }
    static Mx_String text(Mx_Spread& grid, int col, int row) {
        Mx_String t;
        grid.getCellText(col, row, t, Mx_Spread::kData);
        return t;
    }
    // A 16 x 8 picture of a part.
    std::filesystem::path putPicture(const std::string& name) {
        std::string bmp = "BM";
        auto u32 = [&](unsigned v) {
            for (int i = 0; i < 4; ++i)
                bmp += static_cast<char>((v >> (8 * i)) & 0xFF);
        };
        auto u16 = [&](unsigned v) { bmp += static_cast<char>(v & 0xFF), bmp += static_cast<char>(v >> 8); };
        const unsigned pixels = 16 * 8 * 3;
        u32(54 + pixels), u32(0), u32(54), u32(40), u32(16), u32(8), u16(1), u16(24), u32(0), u32(pixels);
        u32(2835), u32(2835), u32(0), u32(0);
        bmp += std::string(pixels, '\x80');
        return folder.put(name, bmp);
    }
};

}  // namespace

TEST_F(BillTest, TheSheetGrowsAHundredRowsAtATimeAndEndsWithTheRowsWritten) {
    Mx_Spread& grid = start(wide(folder / "bill.vls"));
    EXPECT_EQ(grid.getMaxRows(), 11) << "a new sheet";
    EXPECT_EQ(grid.getMaxCols(), 3);
    EXPECT_EQ(SSGetGridType(grid.GetSafeHwnd()), 7);
    EXPECT_EQ(SSGetGridColor(grid.GetSafeHwnd()), 3289650u);
    for (int i = 1; i <= 11; ++i)
        output.onAddRow({Mx_String(i), L"Plate", L"1"});
    EXPECT_EQ(grid.getMaxRows(), 11);
    output.onAddRow({L"12", L"Plate", L"1"});
    EXPECT_EQ(grid.getMaxRows(), 112);
    EXPECT_TRUE(text(grid, 1, 13).isEmpty()) << "the copied format comes without the last row's texts";
    EXPECT_EQ(output.onEndFeed(), Acad::eOk);
    EXPECT_EQ(grid.getMaxRows(), 12);
    EXPECT_EQ(text(grid, 1, 12), Mx_String(L"12"));
    EXPECT_EQ(text(grid, 2, SS_HEADER), Mx_String(L"Name"));

    VlSSBillOutput small;
    ASSERT_EQ(small.init(wide(folder / "small.vls"), {L"A"}, {}, {}, L"", {}, {}), Acad::eOk);
    for (int i = 0; i < 3; ++i)
        small.onAddRow({L"x"});
    small.onEndFeed();
    EXPECT_EQ(small.getSSPointer()->getMaxRows(), 3) << "the new sheet's 11 rows are cut";
}

TEST_F(BillTest, WideRowsWidenTheSheetAndSubtotalsMarkOnlyFilledCells) {
    Mx_Spread& grid = start(wide(folder / "bill.vls"));
    output.onAddRow({L"A1", L"Beam", L"2", L"extra"});
    EXPECT_EQ(grid.getMaxCols(), 4);
    EXPECT_EQ(text(grid, 4, 1), Mx_String(L"extra"));

    output.onAddSubTotals({L"Sum", L"", L"7"}, {}, false, 0);
    EXPECT_EQ(output.currentRow(), 2);
    WORD type = 0, style = 0;
    COLORREF back = 0, fore = 0, line = 0;
    SSGetBorder(grid.GetSafeHwnd(), 3, 2, &type, &style, &line);
    SSGetColor(grid.GetSafeHwnd(), 3, 2, &back, &fore);
    EXPECT_EQ(type, 31);
    EXPECT_EQ(back, 16765348u);
    SSGetBorder(grid.GetSafeHwnd(), 2, 2, &type, &style, &line);
    SSGetColor(grid.GetSafeHwnd(), 2, 2, &back, &fore);
    EXPECT_EQ(type, 0) << "the empty cell has no subtotal border";
    EXPECT_NE(back, 16765348u);

    // The next row clears what the subtotal row's format would otherwise carry on.
    output.onAddRow({L"A2", L"", L"1"});
    SSGetBorder(grid.GetSafeHwnd(), 3, 3, &type, &style, &line);
    EXPECT_EQ(type, 0);

    // A subtotal in the last row before the sheet grows: the next block copies the row's format, not
    // its subtotal colour or frame (the fourth column has no column type to reset it).
    for (int row = 4; row <= 10; ++row)
        output.onAddRow({L"P", L"", L"1", L"x"});
    output.onAddSubTotals({L"", L"", L"9", L"y"}, {}, false, 0);
    EXPECT_EQ(output.currentRow(), 11);
    output.onAddRow({L"Q", L"", L"1", L"z"});
    ASSERT_EQ(grid.getMaxRows(), 112);
    for (int row : {12, 60}) {
        SSGetBorder(grid.GetSafeHwnd(), 4, row, &type, &style, &line);
        SSGetColor(grid.GetSafeHwnd(), 4, row, &back, &fore);
        EXPECT_EQ(type, 0) << row;
        EXPECT_NE(back, 16765348u) << row;
    }
}

TEST_F(BillTest, TheEndOfTheFeedPutsDateTitleAndFileNameFirstAndSaves) {
    const Mx_String file = wide(folder / "Hall 7\u00BFLevel 2\u00BFbeams.vls");
    EXPECT_EQ(VlSSBillOutput::titleOf(file), Mx_String(L"beams"));
    EXPECT_EQ(VlSSBillOutput::titleOf(L"C:\\bills\\plain.name.vls"), Mx_String(L"plain.name"));
    Mx_Spread& grid = start(file);
    output.onAddRow({L"A1", L"Beam", L"2"});
    output.onEndFeed();

    ASSERT_EQ(output.varNames().length(), 4);
    EXPECT_EQ(output.varNames()[0], Mx_String(L"Date"));
    EXPECT_EQ(output.varNames()[1], Mx_String(L"Title"));
    EXPECT_EQ(output.varNames()[2], Mx_String(L"BillFilename"));
    EXPECT_EQ(output.varNames()[3], Mx_String(L"Project"));
    EXPECT_EQ(output.varValues()[1], Mx_String(L"beams"));
    EXPECT_EQ(output.varValues()[2], file);
    EXPECT_EQ(output.varValues()[3], Mx_String(L"Hall 7"));
    EXPECT_TRUE(output.varValues()[0].contains(Mx_String(L", 20"))) << output.varValues()[0].toUtf8();

    ASSERT_TRUE(std::filesystem::exists(fsys::resolve(file.view())));
    EXPECT_FALSE(grid.GetBool(SSB_CHANGEMADE));
    VlSSSettings saved;
    saved.readFromSheet(grid.GetSafeHwnd());
    EXPECT_EQ(saved.varNames.length(), 4);
    EXPECT_EQ(saved.varValues[1], Mx_String(L"beams"));
}

TEST_F(BillTest, PicturesComeFromTheImageMakerInRowsOfTheirOwn) {
    Mx_Bill bill;
    AcTransaction transaction;
    bill.setPartPicture(L"A1", wide(putPicture("a1.bmp")));
    bill.addRow({L"A1", L"Beam", L"2"});
    bill.addRow({L"B7", L"Plate", L"4"});  // no picture: no picture row
    bill.addSubTotal({L"", L"", L"6"});
    start(wide(folder / "pictures.vls"));
    output.setVars(-1, 40, 0, true, false, &bill, &transaction);
    EXPECT_EQ(bill.feed(output), Acad::eOk);

    Mx_Spread& grid = *output.getSSPointer();
    EXPECT_EQ(grid.getMaxRows(), 4);
    EXPECT_EQ(text(grid, 1, 3), Mx_String(L"B7"));
    EXPECT_EQ(grid.getCellType(1, 2), SS_TYPE_PICTURE) << "the picture-row marker";
    EXPECT_EQ(grid.getCellType(2, 2), SS_TYPE_PICTURE);
    int height = 0;
    grid.GetRowHeightInPixels(2, &height);
    EXPECT_EQ(height, 8);
    SS_COORD anchorCol = 0, anchorRow = 0, cols = 0, rows = 0;
    EXPECT_EQ(grid.GetCellSpan(2, 2, &anchorCol, &anchorRow, &cols, &rows), SS_SPAN_ANCHOR);
    EXPECT_EQ(cols, 2);

    const auto& log = listOutputLog();
    ASSERT_GE(log.size(), 8u);
    EXPECT_EQ(log[0], L"onStartFeed");
    EXPECT_EQ(log[1], L"openBillImageDialog 60") << "the picture size and 20";
    EXPECT_EQ(log[2], L"onAddRow A1|Beam|2");
    EXPECT_TRUE(log[3].starts_with(L"makeBillImage A1 -1,40,0,1,0 -> /")) << log[3];
    const std::wstring made = log[3].substr(log[3].find(L"-> ") + 3);
    EXPECT_FALSE(std::filesystem::exists(fsys::fromWide(made))) << "the made picture is deleted";
    EXPECT_EQ(log[5], L"makeBillImage B7 -1,40,0,1,0 -> (failed)");
    EXPECT_EQ(log[log.size() - 2], L"onEndFeed");
    EXPECT_EQ(log.back(), L"closeBillImageDialog");
}

TEST_F(BillTest, WithoutBillOrTransactionNoPicturesAreAsked) {
    Mx_Bill bill;
    bill.setPartPicture(L"A1", wide(putPicture("a1.bmp")));
    bill.addRow({L"A1", L"Beam", L"2"});
    start(wide(folder / "plain.vls"));
    output.setVars(-1, 40, 0, true, true, &bill, nullptr);
    bill.feed(output);
    EXPECT_EQ(output.getSSPointer()->getMaxRows(), 1);
    for (const std::wstring& call : listOutputLog())
        EXPECT_FALSE(call.find(L"Image") != std::wstring::npos) << call;
}
