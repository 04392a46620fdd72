// The grid's C functions, called as the system's code calls them, on a grid inside a dialog.
#include <cstring>  // memcpy
#include <filesystem>
#include <span>

#include "tests/grid_window/GridTestDialog.h"
#include "platform/grid/Sheet.h"
#include "platform/mfc/Font.h"

namespace {

using SSFunctions = GridWindowTest;

TEST_F(SSFunctions, TheDialogTemplateCreatesAGridWindow) {
    EXPECT_TRUE(::IsWindow(hwnd));
    EXPECT_EQ(CString(CWnd::FromHandle(hwnd)->GetClassName()), CString(SS_CLASSNAME));
    EXPECT_NE(SSGetSheet(hwnd), nullptr);
    EXPECT_EQ(SSGetSheet(dialog.GetDlgItem(IDC_NAME)->m_hWnd), nullptr) << "an edit is not a grid";
}

TEST_F(SSFunctions, LengthThenTextReading) {
    ASSERT_TRUE(SSSetData(hwnd, 2, 3, L"Flange plate"));
    EXPECT_EQ(SSGetDataLen(hwnd, 2, 3), 12);
    EXPECT_EQ(value(2, 3), L"Flange plate");

    // A buffer of length + 1 gets everything; a short one a terminated prefix, never more.
    wchar_t buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), L'#');
    EXPECT_EQ(SSGetData(hwnd, 2, 3, buffer, 5), 4);
    EXPECT_EQ(std::wstring(buffer), L"Flan");
    EXPECT_EQ(buffer[5], L'#') << "nothing written past the given size";
    EXPECT_EQ(SSGetData(hwnd, 2, 3, nullptr, 20), 0);
    EXPECT_EQ(SSGetData(hwnd, 2, 3, buffer, 0), 0);

    // Empty cells read back as zero characters; cells outside the sheet have no length.
    EXPECT_EQ(SSGetValueLen(hwnd, 1, 1), 0);
    EXPECT_EQ(SSGetValue(hwnd, 1, 1, buffer, 8), 0);
    EXPECT_EQ(buffer[0], L'\0');
    EXPECT_EQ(SSGetValueLen(hwnd, 5, 1), -1);
    EXPECT_EQ(SSGetValueLen(hwnd, 1, 7), -1);
    EXPECT_FALSE(SSSetValue(hwnd, 5, 1, L"x"));

    ASSERT_TRUE(SSSetCellTag(hwnd, SS_HEADER, SS_HEADER, L"settings"));
    EXPECT_EQ(SSGetCellTagLen(hwnd, SS_HEADER, SS_HEADER), 8);
}

TEST_F(SSFunctions, ValuesFormulasAndRecalculation) {
    SSSetFloat(hwnd, 1, 1, 2.5);
    SSSetValue(hwnd, 1, 2, L"4");
    ASSERT_TRUE(SSSetFormula(hwnd, 1, 3, L"A1*A2"));
    EXPECT_EQ(value(1, 3), L"10");
    double d = 0;
    ASSERT_TRUE(SSGetFloat(hwnd, 1, 3, &d));
    EXPECT_DOUBLE_EQ(d, 10.0);
    EXPECT_EQ(SSGetFormulaLen(hwnd, 1, 3), 5);
    EXPECT_FALSE(SSSetFormula(hwnd, 1, 4, L"A1*(")) << "a formula that does not parse is refused";
    EXPECT_EQ(SSGetFormulaLen(hwnd, 1, 4), 0);

    // With automatic calculation off, dependents wait for SSReCalc.
    EXPECT_TRUE(SSSetBool(hwnd, SSB_AUTOCALC, FALSE)) << "returns the previous state";
    SSSetFloat(hwnd, 1, 1, 3);
    EXPECT_EQ(value(1, 3), L"10");
    EXPECT_TRUE(SSReCalcCell(hwnd, 1, 3));
    EXPECT_EQ(value(1, 3), L"12");
    SSSetFloat(hwnd, 1, 2, 1);
    EXPECT_TRUE(SSReCalc(hwnd));
    EXPECT_EQ(value(1, 3), L"3");
    EXPECT_FALSE(SSGetFloat(hwnd, 2, 2, &d)) << "an empty cell is not a number";
}

// Callbacks of the C form get no context: they see the records only.
BOOL twice(LPSS_VALUE result, LPSS_VALUE values, short count) {
    if (count != 1 || values[0].status != grid::RecordStatus::Valid) return FALSE;
    if (values[0].type != grid::RecordType::Double && values[0].type != grid::RecordType::Long) return FALSE;
    double v = values[0].type == grid::RecordType::Double ? values[0].doubleValue : values[0].longValue;
    *result = SS_VALUE::ofDouble(v * 2);
    return TRUE;
}

TEST_F(SSFunctions, CustomFunctions) {
    ASSERT_TRUE(SSAddCustomFunctionExt(hwnd, L"TWICE", 1, 1, &twice, 0));
    SSSetFloat(hwnd, 1, 1, 21);
    ASSERT_TRUE(SSSetFormula(hwnd, 2, 1, L"TWICE(A1)"));
    EXPECT_EQ(value(2, 1), L"42");
    ASSERT_TRUE(SSSetFormula(hwnd, 2, 2, L"TWICE(\"x\")"));
    EXPECT_EQ(SSGetSheet(hwnd)->error(2, 2), grid::ErrorCode::Value) << "a failing callback makes #VALUE!";

    // With SS_CUSTFUNC_WANTCELLREF a reference arrives as a cell record; strings travel as handles.
    std::vector<std::pair<SS_COORD, SS_COORD>> cells;
    auto where = [&](SS_VALUE& result, std::span<SS_VALUE> args) {
        if (args.empty() || args[0].type != grid::RecordType::Cell) return false;
        cells.emplace_back(args[0].col, args[0].row);
        result = SS_VALUE::ofString(L"R" + std::to_wstring(args[0].row) + L"C" + std::to_wstring(args[0].col));
        return true;
    };
    ASSERT_TRUE(SSAddCustomFunctionExt(hwnd, L"WHERE", 1, 1, grid::CustomCallback(where), SS_CUSTFUNC_WANTCELLREF));
    ASSERT_TRUE(SSSetFormula(hwnd, 3, 1, L"WHERE(B4)"));
    EXPECT_EQ(value(3, 1), L"R4C2");
    ASSERT_FALSE(cells.empty());
    EXPECT_EQ(cells.back(), std::make_pair(2, 4));

    EXPECT_FALSE(SSAddCustomFunctionExt(hwnd, L"NONE", 0, 1, static_cast<SS_CALCFUNC>(nullptr), 0));
    EXPECT_FALSE(SSAddCustomFunctionExt(hwnd, L"", 0, 1, &twice, 0));
}

TEST_F(SSFunctions, CellTypesRoundTripThroughTheRecord) {
    HBITMAP off = reinterpret_cast<HBITMAP>(std::uintptr_t{0x1234});
    HBITMAP on = reinterpret_cast<HBITMAP>(std::uintptr_t{0x5678});
    SS_CELLTYPE ct;
    struct Case {
        std::function<LPSS_CELLTYPE()> fill;
        std::int32_t code;
    };
    // Each setter fills the record by its code; the record comes back from the cell unchanged.
    const Case cases[] = {
        {[&] { return SSSetTypeEdit(hwnd, &ct, 0x110000, 200); }, SS_TYPE_EDIT},
        {[&] { return SSSetTypeNumber(hwnd, &ct, 0x10100000, 2, -99999999999999.0, 99999999999999.0, FALSE); },
         SS_TYPE_FLOAT},
        {[&] { return SSSetTypeStaticText(hwnd, &ct, 140); }, SS_TYPE_STATICTEXT},
        {[&] { return SSSetTypeComboBox(hwnd, &ct, 0x100002, L"M16\tM20\tM24"); }, SS_TYPE_COMBOBOX},
        {[&] { return SSSetTypeCheckBox(hwnd, &ct, 768, L"", off, on, off, on); }, SS_TYPE_CHECKBOX},
        {[&] { return SSSetTypeButton(hwnd, &ct, 0, L"..."); }, SS_TYPE_BUTTON},
        {[&] { return SSSetTypePicture(hwnd, &ct, 0x210024, L"8134"); }, SS_TYPE_PICTURE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        LPSS_CELLTYPE filled = c.fill();
        ASSERT_EQ(filled, &ct);
        SS_CELLTYPE copy = *filled;
        EXPECT_EQ(copy.Type, c.code);
        ASSERT_TRUE(SSSetCellType(hwnd, 2, 2, &copy));
        SS_CELLTYPE back;
        ASSERT_TRUE(SSGetCellType(hwnd, 2, 2, &back));
        EXPECT_EQ(back.Type, c.code);
        EXPECT_EQ(back.detail, copy.detail);
        // The type code is the record's first 32-bit field, as callers read it.
        std::int32_t first;
        std::memcpy(&first, &back, sizeof first);
        EXPECT_EQ(first, c.code);
    }
    SSSetTypeNumber(hwnd, &ct, 0, 0, 0, 0, FALSE);
    ASSERT_TRUE(SSSetCellTypeRange(hwnd, 3, SS_HEADER, 3, SS_HEADER, &ct)) << "a whole column";
    for (SS_COORD row = 1; row <= 6; ++row) EXPECT_EQ(user.cellType(3, row), SS_TYPE_FLOAT);
    EXPECT_EQ(user.cellType(4, 1), SS_TYPE_EDIT);

    ct.Type = 99;
    EXPECT_FALSE(SSSetCellType(hwnd, 1, 1, &ct)) << "an unknown type code";
    EXPECT_FALSE(SSSetCellType(hwnd, 1, 1, nullptr));
}

TEST_F(SSFunctions, LooksAndSwitchesReadBack) {
    COLORREF back = 0, fore = 0;
    ASSERT_TRUE(SSSetLockColor(hwnd, 0xE6E6E6, 0x8000000B));
    ASSERT_TRUE(SSGetLockColor(hwnd, &back, &fore));
    EXPECT_EQ(back, 0xE6E6E6u);
    EXPECT_EQ(fore, 0x8000000Bu);
    ASSERT_TRUE(SSSetSelColor(hwnd, RGB(10, 36, 106), 0xFFFFFF));
    ASSERT_TRUE(SSGetSelColor(hwnd, &back, &fore));
    EXPECT_EQ(back, 0x6A240Au);
    ASSERT_TRUE(SSSetColorRange(hwnd, 1, 1, 2, 2, 0xFF, 0x00));
    ASSERT_TRUE(SSGetColor(hwnd, 2, 2, &back, &fore));
    EXPECT_EQ(back, 0xFFu);
    ASSERT_TRUE(SSSetBorderRange(hwnd, 1, 1, 1, 3, 2, 6, 0));
    WORD type = 0, style = 0;
    ASSERT_TRUE(SSGetBorder(hwnd, 1, 3, &type, &style, &fore));
    EXPECT_EQ(type, 2);
    EXPECT_EQ(style, 6);
    ASSERT_TRUE(SSSetLockRange(hwnd, 2, SS_HEADER, 2, SS_HEADER, TRUE));
    EXPECT_TRUE(SSGetLock(hwnd, 2, 5));
    EXPECT_FALSE(SSGetLock(hwnd, 1, 5));

    // Fonts are read from the handle at the call; SSGetFont hands out the grid's own handle.
    CFont bold;
    bold.CreateFont(15, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    // In ranges SS_HEADER means "all"; 0 names the header column or row.
    ASSERT_TRUE(SSSetFontRange(hwnd, 0, 1, 0, 6, bold, TRUE));
    HFONT got = SSGetFont(hwnd, SS_HEADER, 3);
    ASSERT_NE(got, nullptr);
    const LOGFONT* lf = ui::gdi::font(got);
    ASSERT_NE(lf, nullptr);
    EXPECT_EQ(lf->lfWeight, FW_BOLD);
    EXPECT_EQ(std::wstring(lf->lfFaceName), L"Tahoma");
    EXPECT_EQ(SSGetFont(hwnd, 1, 1) == got, false) << "a data cell keeps the default font";

    // Tips keep their colours when only mode and font change, as the spreadsheet window relies on.
    WORD mode = 9;
    long delay = 9;
    COLORREF tipBack = 0, tipFore = 0;
    ASSERT_TRUE(SSGetTextTip(hwnd, &mode, &delay, nullptr, &tipBack, &tipFore));
    LOGFONT tipFont;
    bold.GetLogFont(&tipFont);
    ASSERT_TRUE(SSSetTextTip(hwnd, 1, 0, &tipFont, tipBack, tipFore));
    LOGFONT readFont;
    ASSERT_TRUE(SSGetTextTip(hwnd, &mode, &delay, &readFont, &back, &fore));
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(back, tipBack);
    EXPECT_EQ(readFont.lfWeight, FW_BOLD);

    EXPECT_FALSE(SSSetBool(hwnd, 30, TRUE));
    EXPECT_TRUE(SSGetBool(hwnd, 30));
    EXPECT_TRUE(SSSetBool(hwnd, SSB_REDRAW, FALSE));
    EXPECT_FALSE(ui::windowFromHandle(hwnd)->redraw) << "redraw off reaches the window";
    SSSetBool(hwnd, SSB_REDRAW, TRUE);
    ASSERT_TRUE(SSSetActionKey(hwnd, SS_KBA_CLEAR, FALSE, FALSE, 0));
    BOOL shift = TRUE, ctrl = TRUE;
    WORD key = 1;
    ASSERT_TRUE(SSGetActionKey(hwnd, SS_KBA_CLEAR, &shift, &ctrl, &key));
    EXPECT_EQ(key, 0);
    EXPECT_FALSE(SSSetActionKey(hwnd, 3, FALSE, FALSE, 0));
}

TEST_F(SSFunctions, SizesAndMeasuredText) {
    EXPECT_EQ(SSGetMaxRows(hwnd), 6);
    EXPECT_EQ(SSGetMaxCols(hwnd), 4);
    ASSERT_TRUE(SSSetColWidthInPixels(hwnd, 2, 120));
    int px = 0;
    ASSERT_TRUE(SSGetColWidthInPixels(hwnd, 2, &px));
    EXPECT_EQ(px, 120);
    ASSERT_TRUE(SSSetRowHeight(hwnd, 3, 24));
    double h = 0;
    ASSERT_TRUE(SSGetRowHeight(hwnd, 3, &h));
    EXPECT_DOUBLE_EQ(h, 24);
    EXPECT_FALSE(SSGetColWidthInPixels(hwnd, 9, &px));

    SSSetData(hwnd, 1, 0, L"Name");
    SSSetData(hwnd, 1, 2, L"HEA 200");
    SSSetData(hwnd, 1, 4, L"two\nlines!");
    double w = 0;
    ASSERT_TRUE(SSGetMaxTextColWidth(hwnd, 1, &w));
    EXPECT_DOUBLE_EQ(w, 7) << "the widest line of header and cells, in characters";
    ASSERT_TRUE(SSGetMaxTextCellSize(hwnd, 1, 4, &w, &h));
    EXPECT_DOUBLE_EQ(w, 6);
    double oneLine = 0;
    ASSERT_TRUE(SSGetMaxTextRowHeight(hwnd, 2, &oneLine));
    EXPECT_DOUBLE_EQ(h, 2 * oneLine);

    RECT client;
    ASSERT_TRUE(SSGetClientRect(hwnd, &client));
    EXPECT_GT(client.right, 0);
    int vertical = 0, horizontal = 0;
    ASSERT_TRUE(SSGetScrollBarSize(hwnd, &vertical, &horizontal));
    EXPECT_EQ(vertical, SS_SCROLLBAR_SIZE);
}

TEST_F(SSFunctions, SpansAndStructure) {
    ASSERT_TRUE(SSAddCellSpan(hwnd, 1, 2, 2, 3));
    SS_COORD c = 0, r = 0, nc = 0, nr = 0;
    EXPECT_EQ(SSGetCellSpan(hwnd, 1, 2, &c, &r, &nc, &nr), SS_SPAN_ANCHOR);
    EXPECT_EQ(SSGetCellSpan(hwnd, 2, 4, &c, &r, &nc, &nr), SS_SPAN_YES);
    EXPECT_EQ(std::vector<SS_COORD>({c, r, nc, nr}), std::vector<SS_COORD>({1, 2, 2, 3}));
    EXPECT_EQ(SSGetCellSpan(hwnd, 3, 2, &c, &r, &nc, &nr), SS_SPAN_NO);
    EXPECT_FALSE(SSAddCellSpan(hwnd, 2, 3, 2, 1)) << "overlaps";
    EXPECT_TRUE(SSRemoveCellSpan(hwnd, 2, 4)) << "any cell of the span removes it";
    EXPECT_EQ(SSGetCellSpan(hwnd, 1, 2, &c, &r, &nc, &nr), SS_SPAN_NO);

    for (SS_COORD row = 1; row <= 6; ++row) SSSetData(hwnd, 1, row, std::to_wstring(row).c_str());
    ASSERT_TRUE(SSInsRow(hwnd, 2));
    EXPECT_EQ(SSGetMaxRows(hwnd), 6) << "the sheet keeps its size";
    EXPECT_EQ(value(1, 2), L"");
    EXPECT_EQ(value(1, 3), L"2");
    ASSERT_TRUE(SSDelRow(hwnd, 2));
    EXPECT_EQ(value(1, 2), L"2");
    ASSERT_TRUE(SSSwapRange(hwnd, SS_HEADER, 1, SS_HEADER, 1, SS_HEADER, 3));
    EXPECT_EQ(value(1, 1), L"3");
    EXPECT_EQ(value(1, 3), L"1");
    ASSERT_TRUE(SSCopyRange(hwnd, 1, 1, 1, 2, 3, 5));
    EXPECT_EQ(value(3, 6), L"2");
    ASSERT_TRUE(SSInsCol(hwnd, 1));
    EXPECT_EQ(value(2, 1), L"3");
    ASSERT_TRUE(SSDelCol(hwnd, 1));

    // Shrinking under the active cell moves it back inside the sheet.
    ASSERT_TRUE(SSSetActiveCell(hwnd, 4, 6));
    ASSERT_TRUE(SSSetMaxRows(hwnd, 3));
    EXPECT_EQ(user.activeCell(), std::make_pair(4, 3));

    ASSERT_TRUE(SSReset(hwnd));
    EXPECT_EQ(SSGetMaxRows(hwnd), 0);
    EXPECT_EQ(SSGetMaxCols(hwnd), 0);
    SS_COORD col = 0, row = 0;
    EXPECT_FALSE(SSGetActiveCell(hwnd, &col, &row)) << "no cell to be active in an empty grid";
}

TEST_F(SSFunctions, FilesSaveAndLoad) {
    auto dir = std::filesystem::temp_directory_path() / ("cs_grid_window_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(dir);
    std::wstring path = (dir / "sheet.vls").wstring();
    SSSetData(hwnd, 1, 1, L"Bolt");
    SSSetFloat(hwnd, 2, 1, 16);
    SSSetFormula(hwnd, 3, 1, L"B1*2");
    SSSetBool(hwnd, SSB_CHANGEMADE, TRUE);
    EXPECT_EQ(SSSaveToFile(hwnd, path.c_str()), 1);
    EXPECT_FALSE(SSGetBool(hwnd, SSB_CHANGEMADE)) << "saving clears the changed flag";

    SSReset(hwnd);
    ASSERT_TRUE(SSLoadFromFile(hwnd, path.c_str()));
    EXPECT_EQ(value(1, 1), L"Bolt");
    EXPECT_EQ(value(3, 1), L"32");
    // A file that cannot be read leaves the grid as it was.
    EXPECT_FALSE(SSLoadFromFile(hwnd, (dir / "missing.vls").wstring().c_str()));
    EXPECT_EQ(value(1, 1), L"Bolt");
    EXPECT_FALSE(SSLoadFromFile(hwnd, nullptr));
    std::filesystem::remove_all(dir);
}

TEST_F(SSFunctions, EveryCallFailsQuietlyOnAHandleThatIsNotAGrid) {
    HWND edit = dialog.GetDlgItem(IDC_NAME)->m_hWnd;
    HWND gone = reinterpret_cast<HWND>(std::uintptr_t{0x7FFFFFF0});
    for (HWND h : {edit, gone, static_cast<HWND>(nullptr)}) {
        wchar_t buffer[4] = L"abc";
        SS_CELLTYPE ct;
        EXPECT_FALSE(SSSetValue(h, 1, 1, L"x"));
        EXPECT_EQ(SSGetValueLen(h, 1, 1), -1);
        EXPECT_EQ(SSGetValue(h, 1, 1, buffer, 4), 0);
        EXPECT_EQ(buffer[0], L'\0');
        EXPECT_EQ(SSGetMaxRows(h), -1);
        EXPECT_FALSE(SSSetMaxRows(h, 3));
        EXPECT_FALSE(SSGetCellType(h, 1, 1, &ct));
        EXPECT_FALSE(SSSetActiveCell(h, 1, 1));
        EXPECT_FALSE(SSClipboardCopy(h));
        EXPECT_FALSE(SSSetEditMode(h, TRUE));
        EXPECT_FALSE(SSReset(h));
        EXPECT_EQ(SSGetFont(h, 1, 1), nullptr);
    }
}

}  // namespace
