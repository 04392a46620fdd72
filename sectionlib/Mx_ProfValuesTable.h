#pragma once
// Mx_ProfValuesTable: one table of the section library, the sizes of one family of cross-sections
// ("IPE") with their system names, active flags, display names per language and dimension values. It
// reads and writes the table's ".pr" file in the library's "prof\" folder (through the core's table
// file functions, so there is one reader and one writer of that layout), moves the table into and out
// of a spreadsheet window for editing, answers name queries and registers the table with the core's
// section-table manager.
//
// Columns: 0 "SysName", 1 "I/O" ("1" active, "0" inactive), 2 .. 1+L the display names in the L user
// languages (getNrLanguages), then the values. Failures are false or eInvalidInput, never a message.
#include "platform/arx/AcArray.h"
#include "platform/arx/AcadStatus.h"
#include "platform/mxbase/Mx_Array.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class Mx_SectionTableManager;
class Mx_Spread;

class Mx_ProfValuesTable {
public:
    Mx_ProfValuesTable() = default;
    Mx_ProfValuesTable(const Mx_ProfValuesTable&) = default;
    Mx_ProfValuesTable& operator=(const Mx_ProfValuesTable&) = default;
    virtual ~Mx_ProfValuesTable() = default;

    // The table's file: `fileName` below gSettings.libDir() + "prof\", ".pr" added unless present.
    static Mx_String filePath(const Mx_String& fileName);

    // False when the file cannot be read. A file of fewer than two lines reads as rows only.
    bool readFromFile(const Mx_String& fileName);
    // Writes the picture line, the headers and the rows, replacing the file atomically.
    bool writeToFile(const Mx_String& fileName) const;

    // The spreadsheet holds the headers in its column-header row, the table name in every row header
    // and one size per row; the picture is not part of it.
    bool getFromSS(Mx_Spread& spread);
    bool setToSS(Mx_Spread& spread) const;

    // Registers the table (without its flag column) with the manager, replacing one of the same name.
    Acad::ErrorStatus setToGlobals(Mx_SectionTableManager* manager) const;

    bool getColumn(Mx_StringArray& values, int index) const;
    bool getColumn(Mx_StringArray& values, const Mx_String& header) const;
    int getColumnIdx(const Mx_String& header) const;
    bool getRow(Mx_StringArray& values, int index) const;

    // Inserts a copy of row `index` behind it, with an unused system name and a display name in the
    // current language built from the copied one. False when row `index` is the last row or absent.
    bool insertRow(int index);
    // insertRow(index), then names the new row (at index + 1) with `sysName` and `userName`.
    Acad::ErrorStatus insertRow(int index, const Mx_String& sysName, const Mx_String& userName);
    bool deleteRow(int index);

    Acad::ErrorStatus setSysName(int index, const Mx_String& sysName);
    // Every language's display name of the row becomes `userName`.
    Acad::ErrorStatus setUserNames(int index, const Mx_String& userName);
    // The row must have exactly as many value fields as `values` holds.
    Acad::ErrorStatus setValues(int index, const AcArray<double>& values);

    // Full names ("IPE-200"), all rows or only those whose flag is not "0".
    void getSysNames(Mx_StringArray& names) const;
    void getFilteredSysNames(Mx_StringArray& names) const;
    bool findSysName(const Mx_String& sysName, int& index) const;
    Mx_String findUnusedSysName(const Mx_String& base) const;
    // The row's position among the rows flagged "1"; -1 outside the table.
    int getfilteredIdx(int index) const;
    // 4, or 5 when header 6 is "Korean".
    int getNrLanguages() const;
    void removeInactiveEntries();

    Mx_String name;
    Mx_String image;
    Mx_StringArray headers;
    Mx_Array<Mx_StringArray> rows;
};
