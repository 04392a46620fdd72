#pragma once
// One declared variable of a standards sheet, bound to the cell that declares it. A cell whose text
// starts (after blanks) with "Int", "Double" or "String" declares a variable; the name is the text
// after the first blank. At run time the declaring cell carries the variable's value.
#include "platform/arx/AcadStatus.h"
#include "platform/mxbase/Mx_String.h"
#include "standards/VlCellType.h"
#include "standards/VlValueType.h"

class Mx_Spread;
class VlSSMapping;
class VlDlgStandardsData;

class VlVarCell {
public:
    VlVarCell() = default;
    VlVarCell(const Mx_String& name, VlCellType cellType, VlValueType valueType, int col = 0, int row = 0,
              const Mx_String& value = Mx_String())
        : name(name), cellType(cellType), value(value), valueType(valueType), col(col), row(row) {}
    virtual ~VlVarCell() = default;
    VlVarCell(const VlVarCell&) = default;
    VlVarCell& operator=(const VlVarCell&) = default;
    VlVarCell(VlVarCell&&) noexcept = default;
    VlVarCell& operator=(VlVarCell&&) noexcept = default;

    // Reads the declaration in cell (col, row) of the window; eInvalidInput when the cell cannot be
    // read or declares nothing. `value` is left as it is.
    Acad::ErrorStatus initialize(Mx_Spread& spread, const int& col, const int& row, const VlCellType& type);
    // The declaration parse on its own: the value type and the name of a declaration text; false when
    // no keyword starts the text.
    static bool parseDeclaration(const Mx_String& text, VlValueType& valueType, Mx_String& name);

    bool isInput() const { return cellType == kVlInput; }
    bool isOutput() const { return cellType == kVlOutput; }
    bool isLocal() const { return cellType == kVlLocal; }

    Acad::ErrorStatus setValueFromMacro(VlSSMapping& mapping, VlDlgStandardsData& data);
    Acad::ErrorStatus setValueToMacro(VlSSMapping& mapping, VlDlgStandardsData& data);
    Acad::ErrorStatus setValueFromOther(Mx_Spread& spread, const VlVarCell& other);
    Acad::ErrorStatus setNewValue(const Mx_String& newValue);
    Acad::ErrorStatus setNewValue(Mx_Spread& spread, const Mx_String& newValue);
    // Formats the variable's cell after its value type and writes `value` into it.
    Acad::ErrorStatus setValueToSS(Mx_Spread& spread);
    Acad::ErrorStatus getCurrentValue(Mx_Spread& spread, Mx_String& current);

    Mx_String name;
    VlCellType cellType = kVlInput;
    Mx_String value;
    VlValueType valueType = kVlString;
    int col = 0;
    int row = 0;
};
