#include "sectionlib/Mx_ProfValuesTable.h"

#include "platform/grid/window/SSFunctions.h"  // SS_HEADER, SSB_CHANGEMADE
#include "platform/mxbase/MacroLangs.h"
#include "platform/mxbase/Mx_SectionTableManager.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/SectionTableFile.h"
#include "platform/mxbase/StringFunctions.h"
#include "spread/Mx_Spread.h"
#include "spread/SpreadRedrawGuard.h"

namespace {

constexpr int kSysNameCol = 0;
constexpr int kFlagCol = 1;

bool validIndex(const Mx_Array<Mx_StringArray>& rows, int index) {
    return index >= 0 && index < rows.length();
}

}  // namespace

Mx_String Mx_ProfValuesTable::filePath(const Mx_String& fileName) {
    Mx_String path = gSettings.libDir() + L"prof\\" + fileName;
    if (!path.endsWith(L".pr", false))
        path += L".pr";
    return path;
}

bool Mx_ProfValuesTable::readFromFile(const Mx_String& fileName) {
    if (!readFile(filePath(fileName), name, rows))
        return false;
    if (rows.length() >= 2) {
        if (!rows[0].isEmpty())
            image = rows[0][0];
        headers = rows[1];
        rows.removeAt(0);
        rows.removeAt(0);
    }
    return true;
}

bool Mx_ProfValuesTable::writeToFile(const Mx_String& fileName) const {
    Mx_Array<Mx_StringArray> lines;
    lines.reserve(rows.length() + 2);
    lines.append(Mx_StringArray{image});
    lines.append(headers);
    for (const Mx_StringArray& row : rows)
        lines.append(row);
    return writeFile(filePath(fileName), lines);
}

bool Mx_ProfValuesTable::getFromSS(Mx_Spread& spread) {
    const int rowCount = spread.getMaxRows(), colCount = spread.getMaxCols();
    if (rowCount <= 0 || colCount <= 0)
        return false;
    Mx_StringArray newHeaders;
    Mx_String newName;
    if (!spread.getRowTexts(0, newHeaders) || !spread.getCellText(0, 1, newName, Mx_Spread::kValue))
        return false;
    Mx_Array<Mx_StringArray> newRows;
    newRows.reserve(rowCount);
    for (int row = 1; row <= rowCount; ++row) {
        Mx_StringArray texts;
        if (!spread.getRowTexts(row, texts))
            return false;
        newRows.append(std::move(texts));
    }
    headers = std::move(newHeaders);
    name = std::move(newName);
    rows = std::move(newRows);
    return true;
}

bool Mx_ProfValuesTable::setToSS(Mx_Spread& spread) const {
    if (!spread.isCreated())
        return false;
    SpreadRedrawGuard redraw(spread.GetSafeHwnd());
    spread.setMaxRows(0, false);
    spread.setMaxCols(0, false);
    if (rows.isEmpty())
        return false;
    spread.setMaxRows(rows.length(), false);
    spread.setMaxCols(headers.length(), false);
    spread.setCheckBoxColumn(kFlagCol + 1, false, false);
    spread.setRowTexts(0, headers, false);
    for (int row = 1; row <= rows.length(); ++row)
        spread.setCellText(0, row, name, false);
    for (int row = 0; row < rows.length(); ++row)
        spread.setRowTexts(row + 1, rows[row], false);
    spread.applyHeaderFonts();
    // The row headers (the table name) are as wide as their text; the grid measures it in the data
    // font, so the bold header font gets a margin.
    double width = 0;
    int pixels = 0;
    if (spread.GetMaxTextColWidth(0, &width) && width > 0 && spread.SetColWidth(0, width) &&
        spread.GetColWidthInPixels(0, &pixels))
        spread.SetColWidthInPixels(0, pixels + pixels / 4 + 4);
    spread.SetBool(SSB_CHANGEMADE, FALSE);
    return true;
}

Acad::ErrorStatus Mx_ProfValuesTable::setToGlobals(Mx_SectionTableManager* manager) const {
    if (!manager)
        return Acad::eInvalidInput;
    const Mx_String key = name + L".pr";
    const Mx_String picture = image.contains(L".") ? Mx_String(L"Prof\\") + image : image;
    // The manager is not told about active flags: an inactive size stays known to macros using it.
    auto withoutFlag = [](const Mx_StringArray& fields) {
        Mx_StringArray out = fields;
        if (out.length() > kFlagCol)
            out.removeAt(kFlagCol);
        return out;
    };
    Mx_Array<Mx_StringArray> values;
    values.reserve(rows.length());
    for (const Mx_StringArray& row : rows)
        values.append(withoutFlag(row));
    if (manager->hasTable(name))
        manager->removeTable(name);
    return manager->addSectionTable(key, picture, withoutFlag(headers), values);
}

bool Mx_ProfValuesTable::getColumn(Mx_StringArray& values, int index) const {
    if (rows.isEmpty() || index < 0 || index >= rows[0].length())
        return false;
    values.removeAll();
    for (const Mx_StringArray& row : rows)
        if (index < row.length())
            values.append(row[index]);
    return true;
}

bool Mx_ProfValuesTable::getColumn(Mx_StringArray& values, const Mx_String& header) const {
    const int index = getColumnIdx(header);
    return index >= 0 && getColumn(values, index);
}

int Mx_ProfValuesTable::getColumnIdx(const Mx_String& header) const {
    int index = -1;
    return headers.find(header, index) ? index : -1;
}

bool Mx_ProfValuesTable::getRow(Mx_StringArray& values, int index) const {
    if (!validIndex(rows, index))
        return false;
    values = rows[index];
    return true;
}

bool Mx_ProfValuesTable::insertRow(int index) {
    // Only a row that has a successor gets a copy behind it; a negative index names no row at all.
    if (index < 0 || index + 1 >= rows.length())
        return false;
    const int nameCol = getColumnIdx(MacroLangs::GetCurLanguage());
    Mx_StringArray copy = rows[index];
    Mx_String nameBase = name;
    Mx_String sysBase = L"1";
    if (nameCol >= 0 && nameCol < copy.length()) {
        Mx_String displayName = copy[nameCol];
        int position = 0;
        Mx_String digits;
        if (findFirstNumbers(displayName, position, digits))
            displayName = displayName.getSubStringAt(0, position);
        if (!displayName.isEmpty())
            nameBase = displayName;
    }
    if (!copy.isEmpty() && !copy[kSysNameCol].isEmpty())
        sysBase = copy[kSysNameCol];
    const Mx_String sysName = findUnusedSysName(sysBase);
    if (!copy.isEmpty())
        copy[kSysNameCol] = sysName;
    if (nameCol >= 0 && nameCol < copy.length())
        copy[nameCol] = nameBase + sysName;
    return rows.insertAt(index + 1, copy);
}

Acad::ErrorStatus Mx_ProfValuesTable::insertRow(int index, const Mx_String& sysName,
                                                const Mx_String& userName) {
    // NOTE: the names go to the new row. Naming the copied row instead would rename an existing size,
    // which drawings refer to by its system name, and leave the new one with a made-up name.
    if (!insertRow(index))
        return Acad::eInvalidInput;
    if (setSysName(index + 1, sysName) != Acad::eOk)
        return Acad::eInvalidInput;
    return setUserNames(index + 1, userName);
}

bool Mx_ProfValuesTable::deleteRow(int index) {
    return validIndex(rows, index) && rows.removeAt(index);
}

Acad::ErrorStatus Mx_ProfValuesTable::setSysName(int index, const Mx_String& sysName) {
    if (!validIndex(rows, index) || rows[index].isEmpty())
        return Acad::eInvalidInput;
    rows[index][kSysNameCol] = sysName;
    return Acad::eOk;
}

Acad::ErrorStatus Mx_ProfValuesTable::setUserNames(int index, const Mx_String& userName) {
    const int languages = getNrLanguages();
    if (!validIndex(rows, index) || rows[index].length() < languages + 2)
        return Acad::eInvalidInput;
    for (int col = 2; col < languages + 2; ++col)
        rows[index][col] = userName;
    return Acad::eOk;
}

Acad::ErrorStatus Mx_ProfValuesTable::setValues(int index, const AcArray<double>& values) {
    const int first = getNrLanguages() + 2;
    if (!validIndex(rows, index) || rows[index].length() != first + values.length())
        return Acad::eInvalidInput;
    for (int k = 0; k < values.length(); ++k)
        rows[index][first + k] = Mx_String(values[k], 1, false);
    return Acad::eOk;
}

void Mx_ProfValuesTable::getSysNames(Mx_StringArray& names) const {
    names.removeAll();
    Mx_StringArray sysNames, flags;
    if (!getColumn(sysNames, kSysNameCol) || !getColumn(flags, kFlagCol) ||
        sysNames.length() != flags.length())
        return;
    for (const Mx_String& sysName : sysNames)
        names.append(name + L"-" + sysName);
}

void Mx_ProfValuesTable::getFilteredSysNames(Mx_StringArray& names) const {
    names.removeAll();
    Mx_StringArray sysNames, flags;
    if (!getColumn(sysNames, kSysNameCol) || !getColumn(flags, kFlagCol) ||
        sysNames.length() != flags.length())
        return;
    for (int i = 0; i < sysNames.length(); ++i)
        if (flags[i].str() != L"0")
            names.append(name + L"-" + sysNames[i]);
}

bool Mx_ProfValuesTable::findSysName(const Mx_String& sysName, int& index) const {
    Mx_StringArray sysNames;
    if (!getColumn(sysNames, kSysNameCol))
        return false;
    return sysNames.find(sysName, index);
}

Mx_String Mx_ProfValuesTable::findUnusedSysName(const Mx_String& base) const {
    Mx_StringArray sysNames;
    getColumn(sysNames, kSysNameCol);
    return findNonExistingString(sysNames, base);
}

int Mx_ProfValuesTable::getfilteredIdx(int index) const {
    Mx_StringArray flags;
    if (!getColumn(flags, kFlagCol) || index < 0 || index >= flags.length())
        return -1;
    int inactive = 0;
    for (int i = 0; i < index; ++i)
        if (flags[i].str() != L"1")
            ++inactive;
    return index - inactive;
}

int Mx_ProfValuesTable::getNrLanguages() const {
    return headers.length() > 6 && headers[6].str() == L"Korean" ? 5 : 4;
}

void Mx_ProfValuesTable::removeInactiveEntries() {
    for (int i = rows.length() - 1; i >= 0; --i)
        if (rows[i].length() >= 2 && rows[i][kFlagCol].str() == L"0")
            rows.removeAt(i);
}
