#pragma once
// The declared variables of a standards sheet, in the order found (Input, then Output, then Local;
// row by row, left to right), with the mapping that ties them to a macro.
#include "platform/arx/AcadStatus.h"
#include "platform/mxbase/Mx_Array.h"
#include "platform/mxbase/Mx_String.h"
#include "standards/VlSSMapping.h"
#include "standards/VlVarCell.h"

class Mx_Spread;
class VlDlgStandardsData;

class VlVarCells {
public:
    VlVarCells() = default;
    virtual ~VlVarCells() = default;
    VlVarCells(const VlVarCells&) = default;
    VlVarCells& operator=(const VlVarCells&) = default;
    VlVarCells(VlVarCells&&) noexcept = default;
    VlVarCells& operator=(VlVarCells&&) noexcept = default;

    int length() const { return cells_.length(); }
    VlVarCell& operator[](int index) { return cells_[index]; }
    const VlVarCell& operator[](int index) const { return cells_[index]; }
    void append(const VlVarCell& cell) { cells_.append(cell); }
    // Outside the list nothing changes and the host's index error line is printed.
    bool removeAt(int index) { return cells_.removeAt(index); }
    void resetVarCells() { cells_.setLogicalLength(0); }
    VlSSMapping& mapping() { return mapping_; }
    const VlSSMapping& mapping() const { return mapping_; }

    Acad::ErrorStatus findVarCell(const Mx_String& name, int& index) const;
    bool hasSameInput(const VlVarCells& other) const;

    // Builds the mapping for `data` and gives every input and output variable its macro value.
    Acad::ErrorStatus getFromMacro(VlDlgStandardsData& data);
    Acad::ErrorStatus setToMacro(VlDlgStandardsData& data);
    Acad::ErrorStatus getValuesFromSS(Mx_Spread& spread);
    Acad::ErrorStatus setValuesToSS(Mx_Spread& spread);

private:
    Mx_Array<VlVarCell> cells_;
    VlSSMapping mapping_;
};
