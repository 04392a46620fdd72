// The sheet model: addressing and limits, data and value texts, attributes, switches, the formula
// cache, calculation (automatic or not, cycles, long chains) and structure operations.
#include <gtest/gtest.h>

#include <string>
#include <utility>  // pair

#include "platform/grid/Sheet.h"

namespace grid {
namespace {

Value num(double v) { return Value::number(v); }

Sheet makeSheet(std::int32_t cols, std::int32_t rows) {
    Sheet s;
    s.setMaxCols(cols);
    s.setMaxRows(rows);
    return s;
}

TEST(Sheet, NewSheetIsEmptyAndRefusesWritesOutside) {
    Sheet s;
    EXPECT_EQ(s.maxRows(), 0);
    EXPECT_EQ(s.maxCols(), 0);
    EXPECT_FALSE(s.setData(1, 1, L"x"));
    EXPECT_TRUE(s.setData(kHeader, kHeader, L"corner"));  // the corner cell always exists
    EXPECT_EQ(s.dataText(0, 0), L"corner");
    EXPECT_TRUE(s.getBool(kSwitchAutoCalc));
    EXPECT_TRUE(s.getBool(kSwitchRedraw));
    EXPECT_FALSE(s.getBool(kSwitchChanged));
    EXPECT_FALSE(s.getBool(12));
    s.setBool(12, true);
    EXPECT_TRUE(s.getBool(12));
    EXPECT_EQ(s.refStyle(), RefStyle::Legacy);
    EXPECT_FALSE(s.setMaxRows(-1));
    EXPECT_FALSE(s.setMaxCols(kColLimit + 1));

    s = makeSheet(3, 4);
    std::wstring out = L"stale";
    EXPECT_FALSE(s.getText(4, 1, TextKind::Value, out));
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(s.getText(3, 4, TextKind::Value, out));  // inside but empty
    EXPECT_TRUE(s.setData(kHeader, 2, L"row header"));
    EXPECT_EQ(s.dataText(0, 2), L"row header");
    EXPECT_FALSE(s.setFormula(0, 1, L"1+1").ok);  // no formulas in headers
    EXPECT_EQ(s.value(9, 9), Value::error(ErrorCode::Ref));
}

TEST(Sheet, DataTextsRoundTripAndNumbersComputeAsNumbers) {
    Sheet s = makeSheet(3, 10);
    const wchar_t* texts[] = {L"12.50", L"007", L"1e3", L"abc", L" 7", L"3.14159265358979323846", L"-0"};
    for (int i = 0; i < 7; ++i) {
        ASSERT_TRUE(s.setData(1, i + 1, texts[i]));
        EXPECT_EQ(s.dataText(1, i + 1), texts[i]);
        EXPECT_EQ(s.valueText(1, i + 1), texts[i]);
    }
    EXPECT_EQ(s.value(1, 1), num(12.5));
    EXPECT_EQ(s.value(1, 2), num(7));
    EXPECT_TRUE(s.value(1, 5).isText());  // blanks around: a text, though arithmetic converts it
    ASSERT_TRUE(s.setFormula(2, 1, L"SUM(A1:A3)").ok);
    EXPECT_EQ(s.value(2, 1), num(1019.5));
    s.setData(1, 1, L"");
    EXPECT_TRUE(s.value(1, 1).isEmpty());
    EXPECT_EQ(s.lastUsedRow(), 7);
    EXPECT_EQ(s.lastUsedCol(), 2);
}

TEST(Sheet, NumberCellValueTexts) {
    Sheet s = makeSheet(2, 10);
    s.setCellTypeRange({1, 1, 1, 10}, CellType::number(7, -1e14, 1e14));
    s.setCellType(2, 1, CellType::number(0, -1e14, 1e14));
    s.setCellType(2, 2, CellType::number(2, -1e14, 1e14));
    struct {
        std::int32_t col, row;
        const wchar_t* input;
        const wchar_t* valueText;
        const wchar_t* dataText;
    } cases[] = {
        {1, 1, L"12.5", L"12.5000000", L"12.5"},
        {2, 1, L"12.5", L"13", L"12.5"},
        {2, 1, L"-12.5", L"-13", L"-12.5"},
        {2, 2, L"1.005", L"1.01", L"1.005"},
        {2, 2, L"-0.001", L"0.00", L"-0.001"},
        {1, 2, L"12abc", L"12.0000000", L"12"},  // leading-number conversion
        {1, 3, L"abc", L"", L""},
        {1, 4, L"1e3x", L"1000.0000000", L"1000"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(s.setValue(c.col, c.row, c.input));
        EXPECT_EQ(s.valueText(c.col, c.row), c.valueText) << std::string(c.input, c.input + wcslen(c.input));
        EXPECT_EQ(s.dataText(c.col, c.row), c.dataText);
    }
    EXPECT_EQ(s.cellType(2, 1).code, CellTypeCode::Number);
    EXPECT_EQ(s.cellType(2, 5).code, CellTypeCode::Edit);
    // Formula results in number cells are formatted too; elsewhere shortest with 15 digits.
    ASSERT_TRUE(s.setFormula(1, 5, L"1/3").ok);
    EXPECT_EQ(s.valueText(1, 5), L"0.3333333");
    ASSERT_TRUE(s.setFormula(2, 5, L"1/3").ok);
    EXPECT_EQ(s.valueText(2, 5), L"0.333333333333333");
    ASSERT_TRUE(s.setFormula(2, 6, L"1=1").ok);
    EXPECT_EQ(s.valueText(2, 6), L"1");
    // An error shows nothing; the engine keeps it.
    ASSERT_TRUE(s.setFormula(2, 7, L"1/0").ok);
    EXPECT_EQ(s.valueText(2, 7), L"");
    EXPECT_EQ(s.error(2, 7), ErrorCode::Div0);
    EXPECT_EQ(s.error(2, 6), std::nullopt);
}

TEST(Sheet, AttributesLiveWithTheCell) {
    Sheet s = makeSheet(5, 5);
    EXPECT_TRUE(s.setTag(2, 3, L"tag"));
    EXPECT_TRUE(s.setTextTip(2, 3, L"tip"));
    EXPECT_TRUE(s.setLock(2, 3, true));
    CellColors colors{0x112233, 0x445566};
    EXPECT_TRUE(s.setColors(2, 3, colors));
    CellFont bold;
    bold.face = L"Tahoma";
    bold.height = 15;
    bold.weight = 700;
    EXPECT_TRUE(s.setFontRange({kHeader, 1, kHeader, 1}, bold));  // kHeader in a range: all columns
    EXPECT_TRUE(s.setBorder(2, 3, {2, 6, 0}));
    EXPECT_EQ(s.tag(2, 3), L"tag");
    EXPECT_EQ(s.textTip(2, 3), L"tip");
    EXPECT_TRUE(s.isLocked(2, 3));
    EXPECT_FALSE(s.isLocked(2, 4));
    EXPECT_EQ(s.colors(2, 3), colors);
    EXPECT_EQ(s.colors(1, 1), CellColors{});
    EXPECT_TRUE(s.font(5, 1).bold());
    EXPECT_FALSE(s.font(5, 2).bold());
    EXPECT_EQ(s.border(2, 3).style, 6u);
    EXPECT_FALSE(s.setTag(6, 1, L"outside"));
    s.setCellType(3, 3, CellType::ofCode(CellTypeCode::CheckBox, 768));
    EXPECT_EQ(static_cast<int>(s.cellType(3, 3).code), 12);

    // Spans: non-zero inside, with the anchor; overlaps refused.
    EXPECT_TRUE(s.addSpan(1, 1, 2, 3));
    EXPECT_FALSE(s.addSpan(2, 2, 2, 2));
    EXPECT_FALSE(s.addSpan(4, 4, 3, 1));  // would leave the sheet
    ASSERT_TRUE(s.spanAt(2, 3).has_value());
    EXPECT_EQ(*s.spanAt(2, 3), (CellRange{1, 1, 2, 3}));
    EXPECT_FALSE(s.spanAt(3, 1).has_value());
    EXPECT_TRUE(s.removeSpan(1, 1));
    EXPECT_TRUE(s.spans().empty());

    // Sizes.
    EXPECT_TRUE(s.setColWidthInPixels(2, 80));
    EXPECT_EQ(s.colWidthInPixels(2), 80);
    EXPECT_DOUBLE_EQ(s.colWidth(2), 10.0);
    EXPECT_TRUE(s.setRowHeight(kHeader, 15));
    EXPECT_EQ(s.rowHeightInPixels(0), 20);
    EXPECT_FALSE(s.setColWidth(9, 3));
    EXPECT_FALSE(s.hasCustomColWidth(3));

    // Iteration sees attribute-only cells too, in both orders.
    std::vector<std::pair<int, int>> byRow, byCol;
    s.setData(4, 2, L"x");
    s.forEachCell(CellOrder::ByRow, [&](std::int32_t c, std::int32_t r) { byRow.emplace_back(c, r); });
    s.forEachCell(CellOrder::ByColumn, [&](std::int32_t c, std::int32_t r) { byCol.emplace_back(c, r); });
    EXPECT_EQ(byRow.size(), byCol.size());
    ASSERT_GE(byRow.size(), 3u);
    EXPECT_TRUE(std::is_sorted(byRow.begin(), byRow.end(), [](auto a, auto b) { return std::make_pair(a.second, a.first) < std::make_pair(b.second, b.first); }));
    EXPECT_TRUE(std::is_sorted(byCol.begin(), byCol.end()));

    s.reset();
    EXPECT_EQ(s.maxRows(), 0);
    EXPECT_EQ(s.tag(2, 3), L"");
}

TEST(Sheet, FormulaCacheParsesEachTextOnceAndSharesFilledDownFormulas) {
    Sheet s = makeSheet(3, 100);
    s.setRefStyle(RefStyle::A1);
    for (int r = 1; r <= 100; ++r) s.setNumber(1, r, r);
    ASSERT_TRUE(s.setFormula(2, 5, L"A5*2").ok);
    std::uint64_t parses = s.parseCount();
    ASSERT_TRUE(s.setFormula(2, 5, L"A5*2").ok);  // same text, same cell: a lookup
    ASSERT_TRUE(s.setFormula(2, 6, L"A5*2").ok);  // same text elsewhere: a lookup, other meaning
    EXPECT_EQ(s.parseCount(), parses);
    EXPECT_EQ(s.value(2, 6), num(10));
    EXPECT_EQ(s.formulaText(2, 6), L"A5*2");
    // A filled-down column reads back per cell.
    for (int r = 10; r <= 20; ++r) ASSERT_TRUE(s.setFormula(2, r, L"A" + std::to_wstring(r) + L"*2").ok);
    EXPECT_EQ(s.formulaText(2, 15), L"A15*2");
    EXPECT_EQ(s.value(2, 15), num(30));
    // An unchanged set of formulas: recalculation computes each once.
    std::uint64_t before = s.evaluationCount();
    s.recalc();
    s.recalc();
    EXPECT_EQ(s.evaluationCount() - before, 2u * 13u);
}

TEST(Sheet, AutomaticCalculationOnAndOff) {
    Sheet s = makeSheet(3, 10);
    s.setNumber(1, 1, 1);
    ASSERT_TRUE(s.setFormula(2, 1, L"A1+1").ok);
    ASSERT_TRUE(s.setFormula(3, 1, L"B1*10").ok);
    s.setNumber(1, 1, 5);
    EXPECT_EQ(s.value(3, 1), num(60));

    s.setBool(kSwitchAutoCalc, false);
    s.setNumber(1, 1, 7);
    EXPECT_EQ(s.value(3, 1), num(60));  // stale until asked
    ASSERT_TRUE(s.setFormula(2, 2, L"A1*3").ok);  // a new formula computes at once
    EXPECT_EQ(s.value(2, 2), num(21));
    EXPECT_TRUE(s.recalcCell(2, 1));
    EXPECT_EQ(s.value(2, 1), num(8));
    EXPECT_EQ(s.value(3, 1), num(60));
    s.recalc();
    EXPECT_EQ(s.value(3, 1), num(80));
    s.setNumber(1, 1, 0);
    s.setBool(kSwitchAutoCalc, true);  // switching back on brings everything up to date
    EXPECT_EQ(s.value(3, 1), num(10));
}

TEST(Sheet, CyclesYieldTheCircularErrorNeverAHang) {
    Sheet s = makeSheet(4, 10);
    ASSERT_TRUE(s.setFormula(1, 1, L"A1+1").ok);
    EXPECT_EQ(s.error(1, 1), ErrorCode::Circular);
    ASSERT_TRUE(s.setFormula(1, 2, L"B2").ok);
    ASSERT_TRUE(s.setFormula(2, 2, L"A2*2").ok);
    EXPECT_EQ(s.error(1, 2), ErrorCode::Circular);
    EXPECT_EQ(s.error(2, 2), ErrorCode::Circular);
    ASSERT_TRUE(s.setFormula(3, 2, L"IFERROR(A2, -1)").ok);  // a reader of a cycle sees its error
    EXPECT_EQ(s.value(3, 2), num(-1));
    EXPECT_EQ(s.valueText(1, 2), L"");
    // Breaking the cycle clears the error.
    s.setNumber(2, 2, 4);
    EXPECT_EQ(s.value(1, 2), num(4));
    EXPECT_EQ(s.value(3, 2), num(4));
    // A long cycle through a range.
    for (int r = 1; r <= 9; ++r) ASSERT_TRUE(s.setFormula(4, r, L"D" + std::to_wstring(r + 1) + L"+1").ok);
    ASSERT_TRUE(s.setFormula(4, 10, L"SUM(D1:D2)").ok);
    s.recalc();
    for (int r = 1; r <= 10; ++r) EXPECT_EQ(s.error(4, r), ErrorCode::Circular) << r;
}

TEST(Sheet, LongChainsComputeWithoutRecursion) {
    constexpr int kRows = 100000;
    Sheet s = makeSheet(2, kRows);
    s.setNumber(1, 1, 1);
    s.setBool(kSwitchAutoCalc, false);
    // Set bottom-up, so that the first read has to compute the whole chain at once.
    for (int r = kRows; r >= 2; --r) ASSERT_TRUE(s.setFormula(1, r, L"A" + std::to_wstring(r - 1) + L"+1").ok);
    s.recalc();
    EXPECT_EQ(s.value(1, kRows), num(kRows));
    s.setBool(kSwitchAutoCalc, true);
    s.setNumber(1, 1, 2);
    EXPECT_EQ(s.value(1, kRows), num(kRows + 1));
    // A cycle closed over the whole chain.
    ASSERT_TRUE(s.setFormula(1, 1, L"A100000").ok);
    EXPECT_EQ(s.error(1, kRows), ErrorCode::Circular);
}

TEST(Sheet, InsertAndDeleteMoveReferences) {
    Sheet s = makeSheet(4, 20);
    s.setNumber(1, 2, 5);                      // A2
    s.setNumber(1, 3, 7);                      // A3
    ASSERT_TRUE(s.setFormula(2, 4, L"A2+A3").ok);      // B4
    ASSERT_TRUE(s.setFormula(2, 5, L"SUM(A2:A3)").ok); // B5
    ASSERT_TRUE(s.setFormula(2, 6, L"A#*2").ok);       // B6, "#": its own row
    s.setNumber(1, 6, 3);
    s.setTag(1, 3, L"moves");

    ASSERT_TRUE(s.insertRows(3, 2));
    EXPECT_EQ(s.formulaText(2, 6), L"A2+A5");
    EXPECT_EQ(s.formulaText(2, 7), L"SUM(A2:A5)");
    EXPECT_EQ(s.formulaText(2, 8), L"A#*2");
    EXPECT_EQ(s.value(2, 6), num(12));
    EXPECT_EQ(s.value(2, 8), num(6));
    EXPECT_EQ(s.tag(1, 5), L"moves");

    ASSERT_TRUE(s.deleteRows(5, 1));  // A5 (7) goes
    EXPECT_EQ(s.formulaText(2, 5), L"A2+#REF!");
    EXPECT_EQ(s.error(2, 5), ErrorCode::Ref);
    EXPECT_EQ(s.formulaText(2, 6), L"SUM(A2:A4)");  // the range shrinks
    EXPECT_EQ(s.value(2, 6), num(5));

    ASSERT_TRUE(s.insertCols(1, 1));
    EXPECT_EQ(s.formulaText(3, 6), L"SUM(B2:B4)");
    ASSERT_TRUE(s.deleteCols(2, 1));
    EXPECT_EQ(s.formulaText(2, 6), L"SUM(#REF!)");
    EXPECT_FALSE(s.deleteRows(21));
    EXPECT_FALSE(s.insertCols(0));
}

TEST(Sheet, RelativeReferencesFollowInA1AndCopiesReanchor) {
    Sheet s = makeSheet(4, 20);
    s.setRefStyle(RefStyle::A1);
    for (int r = 1; r <= 5; ++r) s.setNumber(1, r, r * 10);
    ASSERT_TRUE(s.setFormula(2, 2, L"A1+$A$1").ok);
    ASSERT_TRUE(s.copyRange({2, 2, 2, 2}, 2, 4));
    EXPECT_EQ(s.formulaText(2, 4), L"A3+$A$1");
    EXPECT_EQ(s.value(2, 4), num(40));
    ASSERT_TRUE(s.insertRows(1, 1));
    EXPECT_EQ(s.formulaText(2, 5), L"A4+$A$2");
    s.setRefStyle(RefStyle::R1C1);
    EXPECT_EQ(s.formulaText(2, 5), L"R[-1]C[-1]+R2C1");
    s.setRefStyle(RefStyle::Legacy);
    EXPECT_EQ(s.formulaText(2, 5), L"A4+A2");  // legacy shows a relative part as the cell it designates

    // Swap exchanges contents; overlapping blocks are refused.
    s.setData(4, 1, L"x");
    s.setData(4, 2, L"y");
    ASSERT_TRUE(s.swapRange({4, 1, 4, 1}, 4, 2));
    EXPECT_EQ(s.dataText(4, 1), L"y");
    EXPECT_EQ(s.dataText(4, 2), L"x");
    EXPECT_FALSE(s.swapRange({4, 1, 4, 2}, 4, 2));
    EXPECT_FALSE(s.copyRange({1, 1, 1, 1}, 5, 1));  // target outside
}

TEST(Sheet, ChangesReachReadersOfRangesOfEverySize) {
    Sheet s = makeSheet(40, 200000);
    ASSERT_TRUE(s.setFormula(40, 1, L"SUM(A1:A10)").ok);        // one bucket
    ASSERT_TRUE(s.setFormula(40, 2, L"SUM(B1:B199999)").ok);    // hundreds of buckets
    ASSERT_TRUE(s.setFormula(40, 3, L"SUM(A1:AM200000)").ok);   // too many buckets: the scanned list
    ASSERT_TRUE(s.setFormula(40, 4, L"AN1+AN2+AN3").ok);
    s.setNumber(1, 5, 1);
    s.setNumber(2, 150000, 2);
    s.setNumber(39, 199999, 4);
    EXPECT_EQ(s.value(40, 1), num(1));
    EXPECT_EQ(s.value(40, 2), num(2));
    EXPECT_EQ(s.value(40, 3), num(7));
    EXPECT_EQ(s.value(40, 4), num(10));
    // Replacing a formula forgets what the old one read.
    ASSERT_TRUE(s.setFormula(40, 3, L"A5*100").ok);
    s.setNumber(39, 199999, 5);
    s.setNumber(1, 5, 2);
    EXPECT_EQ(s.value(40, 3), num(200));
    EXPECT_EQ(s.value(40, 4), num(204));
}

TEST(Sheet, ShrinkingAndGrowingTheSheetDropsCellsAndRevalidatesReferences) {
    Sheet s = makeSheet(3, 10);
    s.setNumber(1, 10, 4);
    s.setTag(2, 10, L"gone");
    ASSERT_TRUE(s.setFormula(1, 1, L"A10*2").ok);
    EXPECT_EQ(s.value(1, 1), num(8));
    ASSERT_TRUE(s.setMaxRows(9));
    EXPECT_EQ(s.error(1, 1), ErrorCode::Ref);
    ASSERT_TRUE(s.setMaxRows(10));
    EXPECT_EQ(s.value(1, 1), num(0));  // the cell came back empty
    EXPECT_EQ(s.tag(2, 10), L"");
    s.setNumber(1, 10, 3);
    EXPECT_EQ(s.value(1, 1), num(6));
}

TEST(Sheet, OverlappingCopiesAndSwapsKeepFormulasWorking) {
    Sheet s = makeSheet(3, 10);
    for (int r = 1; r <= 4; ++r) s.setNumber(1, r, r);
    // A copy onto an overlapping block copies the source as it was.
    ASSERT_TRUE(s.copyRange({1, 1, 1, 4}, 1, 2));
    EXPECT_EQ(s.value(1, 2), num(1));
    EXPECT_EQ(s.value(1, 5), num(4));
    // A legacy "#" formula copied reads its new row; an absolute one the same cell.
    ASSERT_TRUE(s.setFormula(2, 2, L"A#*10+A1").ok);
    ASSERT_TRUE(s.copyRange({2, 2, 2, 2}, 2, 5));
    EXPECT_EQ(s.formulaText(2, 5), L"A#*10+A1");
    EXPECT_EQ(s.value(2, 5), num(41));
    // Swapped formulas move with their cells and are recomputed there.
    ASSERT_TRUE(s.swapRange({2, 2, 2, 2}, 3, 8));
    EXPECT_FALSE(s.hasFormula(2, 2));
    EXPECT_EQ(s.value(3, 8), num(1));  // A8 is empty: 0 * 10 + A1
    // The header row never moves.
    s.setData(1, kHeader, L"title");
    ASSERT_TRUE(s.insertRows(1));
    EXPECT_EQ(s.dataText(1, 0), L"title");
    EXPECT_EQ(s.value(1, 2), num(1));
}

// The largest sheet holding one cell per column along a diagonal. Walking it in row order, finding
// its used range, stepping from cell to cell, shrinking and clearing it all cost what it holds: a
// walk over the declared size (32 billion cells) would take minutes to hours.
TEST(Sheet, TheLargestSheetWithFewCellsIsWalkedByWhatItHolds) {
    Sheet s = makeSheet(kColLimit, kRowLimit);
    for (std::int32_t c = 1; c <= kColLimit; ++c) ASSERT_TRUE(s.setNumber(c, 122 * c, c));
    std::int32_t visited = 0, lastRow = 0;
    bool ordered = true;
    s.forEachCell(CellOrder::ByRow, [&](std::int32_t c, std::int32_t r) {
        ordered = ordered && r == 122 * c && r > lastRow;
        lastRow = r;
        ++visited;
    });
    EXPECT_EQ(visited, kColLimit);
    EXPECT_TRUE(ordered);
    EXPECT_EQ(s.lastUsedCol(), kColLimit);
    EXPECT_EQ(s.lastUsedRow(), 122 * kColLimit);

    const CellRange all{1, 1, kColLimit, kRowLimit};
    std::int32_t col = 1, row = 1, found = 0;
    for (; s.nextUsedCell(all, col, row); ++col) {
        EXPECT_EQ(row, 122 * col);
        ++found;
    }
    EXPECT_EQ(found, kColLimit);
    col = 3, row = 244;  // (2, 244) lies behind: the next is in a later row
    ASSERT_TRUE(s.nextUsedCell(all, col, row));
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(3, 366));
    col = 1, row = 1;  // the area bounds the search
    EXPECT_FALSE(s.nextUsedCell({5, 1, 9, 122 * 5 - 1}, col, row));
    s.setFormula(7, 1, L"1+1");
    s.setData(2, 1, L"x");
    col = 1, row = 1;
    ASSERT_TRUE(s.nextUsedCell(all, col, row));
    EXPECT_EQ(col, 2);
    ++col;
    ASSERT_TRUE(s.nextUsedCell(all, col, row));  // a formula counts, a type alone would not
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(7, 1));

    EXPECT_TRUE(s.setMaxRows(122 * 100));
    EXPECT_EQ(s.lastUsedCol(), 100);
    EXPECT_EQ(s.lastUsedRow(), 122 * 100);
    EXPECT_TRUE(s.clearDataRange({kHeader, kHeader, kHeader, kHeader}));
    EXPECT_EQ(s.lastUsedRow(), 0);
    EXPECT_EQ(s.lastUsedCol(), 0);
}

// Functions over a range of two billion cells of which four hold something: they read the cells
// held, and those that count or match empty cells count the others without reading them.
TEST(Sheet, RangeFunctionsOverAHugeEmptyAreaSeeItsEmptyCells) {
    Sheet s = makeSheet(1000, kRowLimit);
    s.setNumber(2, 1, 4);
    s.setNumber(500, 1'000'000, 6);
    s.setData(999, kRowLimit, L"text");
    s.setFormula(1000, 17, L"\"\"");  // an empty text: blank to COUNTBLANK, a value to COUNTA
    const double area = 999.0 * kRowLimit;  // B1:ALL2000000
    struct Case {
        const wchar_t* formula;
        double expected;
    };
    const Case cases[] = {
        {L"SUM(B1:ALL2000000)", 10},
        {L"AVERAGE(B1:ALL2000000)", 5},
        {L"MAX(B1:ALL2000000)", 6},
        {L"MIN(B1:ALL2000000)", 4},
        {L"COUNT(B1:ALL2000000)", 2},
        {L"COUNTA(B1:ALL2000000)", 4},
        {L"COUNTBLANK(B1:ALL2000000)", area - 3},
        {L"COUNTIF(B1:ALL2000000,\"\")", area - 3},
        {L"COUNTIF(B1:ALL2000000,\"<>6\")", area - 1},
        {L"COUNTIF(B1:ALL2000000,\">4\")", 1},
        {L"SUMIF(B1:ALL2000000,\">4\")", 6},
        {L"SUMIF(B1:ALL2000000,\"<>6\")", 4},
        {L"SUMIF(B1:ALK1999999,\"\",C1)", 6},  // the 6 in the summed cells faces an empty tested cell
        {L"AND(B1:ALL2000000)", 1},
        {L"OR(B1:ALL2000000,FALSE)", 1},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(s.setFormula(1, 1, c.formula)) << c.formula;
        const Value v = s.value(1, 1);
        EXPECT_TRUE(v.isNumber()) << c.formula;
        EXPECT_EQ(v.asNumber(), c.expected) << c.formula;
    }
    // The first error in row order is the result, wherever it lies.
    s.setFormula(700, 1'500'000, L"1/0");
    s.setFormula(3, 1'800'000, L"NA()");
    ASSERT_TRUE(s.setFormula(1, 1, L"SUM(B1:ALL2000000)"));
    EXPECT_EQ(s.value(1, 1), Value::error(ErrorCode::Div0));
    ASSERT_TRUE(s.setFormula(1, 1, L"SUMIF(B1:ALL1999999,\">100\",B2)"));  // an error no match reads
    EXPECT_EQ(s.value(1, 1), num(0));
}

}  // namespace
}  // namespace grid
