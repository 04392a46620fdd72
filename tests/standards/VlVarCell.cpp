// Declarations of a standards sheet and the value cell of one variable.
#include "standards/VlVarCell.h"

#include <gtest/gtest.h>

#include "tests/standards/StandardsTestSupport.h"

using standardstest::GridHost;

TEST(VlVarCellDeclaration, KeywordPrefixDecidesTypeAndTheRestIsTheName) {
    struct Case {
        const wchar_t* text;
        bool declares;
        VlValueType type;
        const wchar_t* name;
    };
    const Case cases[] = {
        {L"Double Width", true, kVlDouble, L"Width"},
        {L"Doubles Width", true, kVlDouble, L"Width"},  // prefix match
        {L"Integer Count", true, kVlInteger, L"Count"},
        {L"   String  Plate Name  ", true, kVlString, L"Plate Name"},
        {L"int width", true, kVlInteger, L"width"},  // keywords ignore case
        {L"Int", true, kVlInteger, L""},             // no blank: empty name, still a declaration
        {L"Real Width", false, kVlString, L""},
        {L"", false, kVlString, L""},
        {L"Width Double", false, kVlString, L""},
    };
    for (const Case& c : cases) {
        VlValueType type = kVlString;
        Mx_String name(L"unchanged");
        EXPECT_EQ(VlVarCell::parseDeclaration(Mx_String(c.text), type, name), c.declares) << Mx_String(c.text).toUtf8();
        if (!c.declares) continue;
        EXPECT_EQ(type, c.type) << Mx_String(c.text).toUtf8();
        EXPECT_EQ(name, Mx_String(c.name)) << Mx_String(c.text).toUtf8();
    }
}

TEST(VlVarCellDeclaration, InitializeBindsTheCellAndLeavesTheValue) {
    GridHost host;
    host.put(2, 5, L"Double Width");
    host.put(3, 5, L"Real Width");

    VlVarCell cell;
    cell.value = L"kept";
    ASSERT_EQ(cell.initialize(host.grid, 2, 5, kVlOutput), Acad::eOk);
    EXPECT_EQ(cell.name, Mx_String(L"Width"));
    EXPECT_EQ(cell.valueType, kVlDouble);
    EXPECT_TRUE(cell.isOutput());
    EXPECT_FALSE(cell.isInput() || cell.isLocal());
    EXPECT_EQ(cell.col, 2);
    EXPECT_EQ(cell.row, 5);
    EXPECT_EQ(cell.value, Mx_String(L"kept"));

    VlVarCell other;
    EXPECT_EQ(other.initialize(host.grid, 3, 5, kVlInput), Acad::eInvalidInput);
    EXPECT_EQ(other.initialize(host.grid, 99, 5, kVlInput), Acad::eInvalidInput);  // outside the grid
    EXPECT_EQ(other.col, 0);
    Mx_Spread uncreated;
    EXPECT_EQ(other.initialize(uncreated, 2, 5, kVlInput), Acad::eInvalidInput);
}

TEST(VlVarCellValue, SetValueToSSFormatsTheCellAfterTheType) {
    GridHost host;
    // Reference cells formatted directly, to compare the cell types the variable cells get.
    ASSERT_TRUE(host.grid.setNumberCells(6, 1, 6, 1, 7, false));

    VlVarCell width(L"Width", kVlInput, kVlDouble, 2, 4);
    ASSERT_EQ(width.setNewValue(host.grid, Mx_String(L"12.5")), Acad::eOk);
    EXPECT_EQ(host.grid.getCellType(2, 4), host.grid.getCellType(6, 1));
    double number = 0;
    ASSERT_TRUE(host.grid.getCellDouble(2, 4, number));
    EXPECT_DOUBLE_EQ(number, 12.5);
}

TEST(VlVarCellValue, IntegerCells) {
    GridHost host;
    ASSERT_TRUE(host.grid.setEditCells(6, 2, 6, 2, 0, 9999));
    ASSERT_TRUE(host.grid.setNumberCells(6, 3, 6, 3, 0, false));
    VlVarCell count(L"Count", kVlInput, kVlInteger, 3, 4, Mx_String(L"4"));
    ASSERT_EQ(count.setValueToSS(host.grid), Acad::eOk);
    EXPECT_EQ(host.grid.getCellType(3, 4), host.grid.getCellType(6, 3));
}

TEST(VlVarCellValue, StringCells) {
    GridHost host;
    ASSERT_TRUE(host.grid.setEditCells(6, 2, 6, 2, 0, 9999));
    VlVarCell name(L"Name", kVlInput, kVlString, 4, 4);
    ASSERT_EQ(name.setValueFromOther(host.grid, VlVarCell(L"x", kVlOutput, kVlString, 0, 0, Mx_String(L"IPE-200"))),
              Acad::eOk);
    EXPECT_EQ(host.grid.getCellType(4, 4), host.grid.getCellType(6, 2));
    EXPECT_EQ(host.value(4, 4), Mx_String(L"IPE-200"));
    Mx_String current;
    ASSERT_EQ(name.getCurrentValue(host.grid, current), Acad::eOk);
    EXPECT_EQ(current, Mx_String(L"IPE-200"));

    // The text-only form does not touch the sheet.
    name.setNewValue(Mx_String(L"HEB-100"));
    EXPECT_EQ(host.value(4, 4), Mx_String(L"IPE-200"));

    VlVarCell outside(L"Far", kVlInput, kVlString, 50, 50, Mx_String(L"x"));
    EXPECT_EQ(outside.getCurrentValue(host.grid, current), Acad::eInvalidInput);
}
