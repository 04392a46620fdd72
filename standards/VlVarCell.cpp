#include "standards/VlVarCell.h"

#include <string_view>

#include "platform/mxbase/StringFunctions.h"
#include "spread/Mx_Spread.h"
#include "standards/VlSSMapping.h"

namespace {

// A double cell shows seven decimals so that an equation result is not rounded on its way through
// the sheet; an integer cell none.
constexpr int kIntegerDecimals = 0;
constexpr int kDoubleDecimals = 7;
// A string variable's cell is an edit cell long enough for any text a macro holds.
constexpr int kStringMaxLength = 9999;

struct Keyword {
    const wchar_t* text;
    VlValueType type;
};
// Tested in this order; a prefix match, so "Integer Count" declares an integer.
constexpr Keyword kKeywords[] = {{L"Int", kVlInteger}, {L"Double", kVlDouble}, {L"String", kVlString}};

}  // namespace

bool VlVarCell::parseDeclaration(const Mx_String& text, VlValueType& type, Mx_String& declaredName) {
    // Blanks around the declaration and around the name are dropped; the keyword is a prefix of the
    // declaration, matched ignoring case.
    const auto stripBlanks = [](std::wstring_view view) {
        const std::size_t first = view.find_first_not_of(L' ');
        if (first == std::wstring_view::npos) return std::wstring_view();
        return view.substr(first, view.find_last_not_of(L' ') - first + 1);
    };
    const std::wstring_view declaration = stripBlanks(text.view());
    const Keyword* found = nullptr;
    for (const Keyword& keyword : kKeywords) {
        const std::wstring_view word(keyword.text);
        if (declaration.size() < word.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < word.size() && same; ++i)
            same = declaration[i] == word[i] || Mx_String::foldCase(declaration[i]) == Mx_String::foldCase(word[i]);
        if (same) {
            found = &keyword;
            break;
        }
    }
    if (!found) return false;
    type = found->type;
    const std::size_t space = declaration.find(L' ');
    // A blank after the name is invisible in the grid and never meant as part of it.
    declaredName = space == std::wstring_view::npos ? Mx_String() : Mx_String(stripBlanks(declaration.substr(space + 1)));
    return true;
}

Acad::ErrorStatus VlVarCell::initialize(Mx_Spread& spread, const int& cellCol, const int& cellRow,
                                        const VlCellType& type) {
    Mx_String text;
    if (!spread.getCellText(cellCol, cellRow, text, Mx_Spread::kValue)) return Acad::eInvalidInput;
    VlValueType parsedType = kVlString;
    Mx_String parsedName;
    if (!parseDeclaration(text, parsedType, parsedName)) return Acad::eInvalidInput;
    valueType = parsedType;
    name = parsedName;
    col = cellCol;
    row = cellRow;
    cellType = type;
    return Acad::eOk;
}

Acad::ErrorStatus VlVarCell::setValueFromMacro(VlSSMapping& mapping, VlDlgStandardsData& data) {
    Mx_String macroValue;
    if (mapping.getMacroVarValue(name, valueType, macroValue, data) != Acad::eOk) return Acad::eInvalidInput;
    value = macroValue;
    return Acad::eOk;
}

Acad::ErrorStatus VlVarCell::setValueToMacro(VlSSMapping& mapping, VlDlgStandardsData& data) {
    Mx_String macroValue = value;
    return mapping.setMacroVarValue(name, valueType, macroValue, data) == Acad::eOk ? Acad::eOk
                                                                                    : Acad::eInvalidInput;
}

Acad::ErrorStatus VlVarCell::setValueFromOther(Mx_Spread& spread, const VlVarCell& other) {
    // Copy first: `other` may be this very cell.
    const Mx_String otherValue = other.value;
    return setNewValue(spread, otherValue);
}

Acad::ErrorStatus VlVarCell::setNewValue(const Mx_String& newValue) {
    value = newValue;
    return Acad::eOk;
}

Acad::ErrorStatus VlVarCell::setNewValue(Mx_Spread& spread, const Mx_String& newValue) {
    value = newValue;
    return setValueToSS(spread);
}

Acad::ErrorStatus VlVarCell::setValueToSS(Mx_Spread& spread) {
    // A variable whose cell lies outside the sheet (a copy passed as an argument, with column and row
    // 0) has no cell to write: refuse it here rather than hand the grid a cell it does not have.
    if (col < 1 || row < 1 || col > spread.getMaxCols() || row > spread.getMaxRows()) return Acad::eInvalidInput;
    switch (valueType) {
    case kVlInteger: spread.setNumberCells(col, row, col, row, kIntegerDecimals, false); break;
    case kVlDouble: spread.setNumberCells(col, row, col, row, kDoubleDecimals, false); break;
    default: spread.setEditCells(col, row, col, row, 0, kStringMaxLength); break;
    }
    return spread.SetValue(col, row, value.c_str()) ? Acad::eOk : Acad::eInvalidInput;
}

Acad::ErrorStatus VlVarCell::getCurrentValue(Mx_Spread& spread, Mx_String& current) {
    return spread.getCellText(col, row, current, Mx_Spread::kValue) ? Acad::eOk : Acad::eInvalidInput;
}
