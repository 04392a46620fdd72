#include "sectionlib/Mx_ProfValuesTable.h"

#include "platform/mxbase/Mx_SectionTableManager.h"
#include "tests/sectionlib/SectionLibTestSupport.h"

namespace {

using ProfValuesTable = ScratchLibraryTest;

Mx_StringArray row(std::initializer_list<const wchar_t*> fields) {
    Mx_StringArray out;
    for (const wchar_t* field : fields)
        out.append(field);
    return out;
}

// A small table: four languages, values h and b; row 2 has an empty flag, row 3 is inactive.
Mx_ProfValuesTable smallTable() {
    Mx_ProfValuesTable table;
    table.name = L"UPN";
    table.image = L"4";
    table.headers = row({L"SysName", L"I/O", L"English", L"German", L"French", L"Dutch", L"h", L"b"});
    table.rows.append(row({L"80", L"1", L"UPN 80", L"U 80", L"UPN 80", L"UNP80", L"80", L"45"}));
    table.rows.append(row({L"100", L"1", L"UPN 100", L"U 100", L"UPN 100", L"UNP100", L"100", L"50"}));
    table.rows.append(row({L"120", L"", L"UPN 120", L"U 120", L"UPN 120", L"UNP120", L"120", L"55"}));
    table.rows.append(row({L"140", L"0", L"UPN 140", L"U 140", L"UPN 140", L"UNP140", L"140", L"60"}));
    table.rows.append(row({L"160", L"1", L"UPN 160", L"U 160", L"UPN 160", L"UNP160", L"160", L"65"}));
    return table;
}

TEST_F(ProfValuesTable, BundledTablesRoundTripByteForByte) {
    for (const char* table : {"IPE", "HEA", "HEB"}) {
        SCOPED_TRACE(table);
        Mx_ProfValuesTable values;
        ASSERT_TRUE(values.readFromFile(Mx_String(table)));
        EXPECT_EQ(values.name, Mx_String(table));
        EXPECT_EQ(values.headers.at(0), Mx_String(L"SysName"));
        ASSERT_TRUE(values.writeToFile(Mx_String(table) + L"-copy.pr"));
        EXPECT_EQ(bytesOf(prof(std::string(table) + "-copy.pr")),
                  bytesOf(bundledProf() / (std::string(table) + ".pr")));
    }
    Mx_ProfValuesTable ipe;
    ASSERT_TRUE(ipe.readFromFile(L"IPE.pr"));  // the extension is not doubled
    EXPECT_EQ(ipe.image, Mx_String(L"ipe.bmp"));
    int index = -1;
    ASSERT_TRUE(ipe.findSysName(L"200", index));
    EXPECT_EQ(ipe.rows[index].at(2), Mx_String(L"IPE 200"));
}

TEST_F(ProfValuesTable, ShortAndMissingFiles) {
    Mx_ProfValuesTable table;
    EXPECT_FALSE(table.readFromFile(L"NOSUCH"));
    writeProf("ONE.pr", "just a picture\n");
    ASSERT_TRUE(table.readFromFile(L"ONE"));
    EXPECT_EQ(table.rows.length(), 1);  // nothing split off
    EXPECT_TRUE(table.headers.isEmpty());
    EXPECT_EQ(table.name, Mx_String(L"ONE"));
    // An empty picture line keeps the picture the table had.
    writeProf("TWO.pr", "\nSysName\tI/O\n");
    table.image = L"kept";
    ASSERT_TRUE(table.readFromFile(L"TWO"));
    EXPECT_EQ(table.image, Mx_String(L"kept"));
    EXPECT_EQ(table.headers.length(), 2);
    EXPECT_TRUE(table.rows.isEmpty());
}

TEST_F(ProfValuesTable, KoreanHeaderMakesFiveLanguagesAndMovesTheValues) {
    Mx_ProfValuesTable table = smallTable();
    EXPECT_EQ(table.getNrLanguages(), 4);
    AcArray<double> values;
    values.append(81);
    values.append(46);
    ASSERT_EQ(table.setValues(0, values), Acad::eOk);
    EXPECT_EQ(table.rows[0][6], Mx_String(L"81.0"));
    EXPECT_EQ(table.rows[0][7], Mx_String(L"46.0"));

    Mx_ProfValuesTable korean;
    korean.name = L"K";
    korean.headers = row({L"SysName", L"I/O", L"English", L"German", L"French", L"Dutch", L"Korean", L"h"});
    korean.rows.append(row({L"1", L"1", L"a", L"b", L"c", L"d", L"e", L"10"}));
    EXPECT_EQ(korean.getNrLanguages(), 5);
    values.removeLast();
    ASSERT_EQ(korean.setValues(0, values), Acad::eOk);
    EXPECT_EQ(korean.rows[0][7], Mx_String(L"81.0"));
    ASSERT_EQ(korean.setUserNames(0, L"K 1"), Acad::eOk);
    EXPECT_EQ(korean.rows[0][6], Mx_String(L"K 1"));  // the fifth language too
    EXPECT_EQ(korean.rows[0][7], Mx_String(L"81.0"));

    // "Korean" anywhere but header 6 is a value name.
    korean.headers[6] = L"korean";
    EXPECT_EQ(korean.getNrLanguages(), 4);
}

TEST_F(ProfValuesTable, WrongValueCountOrRowChangesNothing) {
    Mx_ProfValuesTable table = smallTable();
    const Mx_StringArray before = table.rows[1];
    AcArray<double> one, three;
    one.append(1);
    for (double v : {1.0, 2.0, 3.0})
        three.append(v);
    EXPECT_EQ(table.setValues(1, one), Acad::eInvalidInput);
    EXPECT_EQ(table.setValues(1, three), Acad::eInvalidInput);
    EXPECT_EQ(table.setValues(5, one), Acad::eInvalidInput);
    EXPECT_EQ(table.rows[1], before);
    EXPECT_EQ(table.setSysName(-1, L"x"), Acad::eInvalidInput);
    EXPECT_EQ(table.setUserNames(9, L"x"), Acad::eInvalidInput);
    table.rows.append(row({L"short", L"1", L"a"}));
    EXPECT_EQ(table.setUserNames(5, L"x"), Acad::eInvalidInput);
    EXPECT_FALSE(table.deleteRow(6));
    EXPECT_FALSE(table.deleteRow(-1));
    Mx_StringArray out;
    EXPECT_FALSE(table.getRow(out, 6));
}

TEST_F(ProfValuesTable, FilteredNamesAndFilteredIndexTreatAnEmptyFlagDifferently) {
    Mx_ProfValuesTable table = smallTable();
    Mx_StringArray names;
    table.getSysNames(names);
    ASSERT_EQ(names.length(), 5);
    EXPECT_EQ(names[0], Mx_String(L"UPN-80"));
    table.getFilteredSysNames(names);
    // Only the "0" row is left out; the row with an empty flag is offered.
    EXPECT_EQ(names, row({L"UPN-80", L"UPN-100", L"UPN-120", L"UPN-160"}));
    // ... while the filtered index counts it as inactive, as it does the "0" row.
    EXPECT_EQ(table.getfilteredIdx(1), 1);
    EXPECT_EQ(table.getfilteredIdx(3), 2);
    EXPECT_EQ(table.getfilteredIdx(4), 2);
    EXPECT_EQ(table.getfilteredIdx(5), -1);
    EXPECT_EQ(table.getfilteredIdx(-1), -1);

    table.removeInactiveEntries();
    Mx_StringArray sysNames;
    ASSERT_TRUE(table.getColumn(sysNames, L"SysName"));
    EXPECT_EQ(sysNames, row({L"80", L"100", L"120", L"160"}));
}

TEST_F(ProfValuesTable, ARowTooShortForItsFlagGivesNoNamesRatherThanMisalignedOnes) {
    Mx_ProfValuesTable table = smallTable();
    table.rows.append(row({L"180"}));
    Mx_StringArray names{Mx_String(L"stale")};
    table.getSysNames(names);
    EXPECT_TRUE(names.isEmpty());
}

TEST_F(ProfValuesTable, CopiedRowGetsTheFirstUnusedNameInTheCurrentLanguage) {
    Mx_ProfValuesTable ipe;
    ASSERT_TRUE(ipe.readFromFile(L"IPE"));
    int index = -1;
    ASSERT_TRUE(ipe.findSysName(L"200", index));
    const int count = ipe.rows.length();
    ASSERT_TRUE(ipe.insertRow(index));
    ASSERT_EQ(ipe.rows.length(), count + 1);
    EXPECT_EQ(ipe.rows[index + 1][0], Mx_String(L"201"));
    EXPECT_EQ(ipe.rows[index + 1][2], Mx_String(L"IPE 201"));
    EXPECT_EQ(ipe.rows[index + 1][5], Mx_String(L"IPE200"));  // other languages keep the copied names
    EXPECT_EQ(ipe.rows[index + 1][6], ipe.rows[index][6]);
    // A second copy of the same size takes the next free name.
    ASSERT_TRUE(ipe.insertRow(index));
    EXPECT_EQ(ipe.rows[index + 1][0], Mx_String(L"202"));

    // With Dutch as the current language, the Dutch name is the one rebuilt.
    MacroLangs::setLanguages(row({L"Dutch", L"English"}));
    ASSERT_TRUE(ipe.insertRow(0));
    EXPECT_EQ(ipe.rows[1][0], Mx_String(L"81"));
    EXPECT_EQ(ipe.rows[1][5], Mx_String(L"IPE81"));
    EXPECT_EQ(ipe.rows[1][2], Mx_String(L"IPE 80"));
}

TEST_F(ProfValuesTable, NothingIsInsertedBehindTheLastRow) {
    Mx_ProfValuesTable table = smallTable();
    const Mx_Array<Mx_StringArray> before = table.rows;
    EXPECT_FALSE(table.insertRow(4));
    EXPECT_FALSE(table.insertRow(-1));
    EXPECT_FALSE(table.insertRow(7));
    EXPECT_EQ(table.insertRow(4, L"170", L"UPN 170"), Acad::eInvalidInput);
    EXPECT_TRUE(table.rows == before);
}

TEST_F(ProfValuesTable, NamedInsertNamesTheNewRowAndKeepsTheCopiedOne) {
    Mx_ProfValuesTable table = smallTable();
    ASSERT_EQ(table.insertRow(1, L"110", L"UPN 110"), Acad::eOk);
    EXPECT_EQ(table.rows[1], row({L"100", L"1", L"UPN 100", L"U 100", L"UPN 100", L"UNP100", L"100", L"50"}));
    EXPECT_EQ(table.rows[2],
              row({L"110", L"1", L"UPN 110", L"UPN 110", L"UPN 110", L"UPN 110", L"100", L"50"}));
}

TEST_F(ProfValuesTable, RegisteredTableReplacesTheManagersAndDropsTheFlags) {
    Mx_SectionTableManager manager(Mx_SectionTableManager::LibraryLoad::Never);
    EXPECT_EQ(smallTable().setToGlobals(nullptr), Acad::eInvalidInput);

    Mx_ProfValuesTable table = smallTable();
    ASSERT_EQ(table.setToGlobals(&manager), Acad::eOk);
    Mx_String picture;
    ASSERT_EQ(manager.getTablePicture(L"UPN", picture), Acad::eOk);
    EXPECT_EQ(picture, Mx_String(L"4"));  // a section type passes unchanged
    Mx_StringArray columns;
    ASSERT_EQ(manager.getSectionColumnNames(L"UPN-100", columns), Acad::eOk);
    EXPECT_EQ(columns, row({L"h", L"b"}));
    Mx_String value;
    ASSERT_EQ(manager.getSectionValue(L"UPN 140", 1, value), Acad::eOk);  // inactive, still known
    EXPECT_EQ(value, Mx_String(L"60"));

    table.image = L"upn.bmp";
    table.rows[1][6] = L"101";
    ASSERT_EQ(table.setToGlobals(&manager), Acad::eOk);
    ASSERT_EQ(manager.getTablePicture(L"UPN", picture), Acad::eOk);
    EXPECT_EQ(picture, Mx_String(L"Prof\\upn.bmp"));
    ASSERT_EQ(manager.getSectionValue(L"UPN-100", 0, value), Acad::eOk);
    EXPECT_EQ(value, Mx_String(L"101"));
    Mx_StringArray names;
    manager.getTableNames(names);
    EXPECT_EQ(names.length(), 1);
}

TEST_F(ProfValuesTable, SpreadsheetRoundTrip) {
    spreadtest::Host host;
    Mx_ProfValuesTable table = smallTable();
    Mx_ProfValuesTable empty;
    EXPECT_FALSE(empty.setToSS(host.grid));
    EXPECT_FALSE(empty.getFromSS(host.grid));

    ASSERT_TRUE(table.setToSS(host.grid));
    EXPECT_EQ(host.grid.getMaxRows(), 5);
    EXPECT_EQ(host.grid.getMaxCols(), 8);
    EXPECT_FALSE(host.grid.GetBool(SSB_CHANGEMADE));
    Mx_String text;
    ASSERT_TRUE(host.grid.getCellText(0, 3, text));
    EXPECT_EQ(text, Mx_String(L"UPN"));

    host.grid.setCellText(7, 2, L"99");
    Mx_ProfValuesTable back;
    back.image = L"4";
    ASSERT_TRUE(back.getFromSS(host.grid));
    EXPECT_EQ(back.name, Mx_String(L"UPN"));
    EXPECT_EQ(back.headers, table.headers);
    ASSERT_EQ(back.rows.length(), 5);
    EXPECT_EQ(back.rows[1][6], Mx_String(L"99"));
    EXPECT_EQ(back.rows[0][1], Mx_String(L"1"));
    EXPECT_EQ(back.rows[3][1], Mx_String(L"0"));
    EXPECT_EQ(back.rows[4][5], Mx_String(L"UNP160"));
}

}  // namespace
