#include "standards/VlVarCells.h"

#include "spread/Mx_Spread.h"
#include "standards/DisplayPath.h"
#include "standards/StandardsTimers.h"
#include "standards/StandardsWarnings.h"
#include "standards/VlDlgStandardsData.h"

namespace {

Mx_String notRetrievedText(const VlVarCell& cell, const VlDlgStandardsData& data) {
    const bool input = cell.isInput();
    return Mx_String(L"The following ") + (input ? L"Input" : L"Output") + L" variable couldn't be " +
           (input ? L"retrieved" : L"set") + L" : \n" + cell.name +
           L"\nMake sure the variable exists in the macro or module.\n" + L"Spreadsheet : " + displayPath(data.standardsFile);
}

}  // namespace

Acad::ErrorStatus VlVarCells::findVarCell(const Mx_String& name, int& index) const {
    for (int i = 0; i < cells_.length(); ++i) {
        if (cells_[i].name.equal(name, false)) {
            index = i;
            return Acad::eOk;
        }
    }
    return Acad::eInvalidInput;
}

bool VlVarCells::hasSameInput(const VlVarCells& other) const {
    for (const VlVarCell& cell : cells_) {
        if (!cell.isInput()) continue;
        int index = -1;
        if (other.findVarCell(cell.name, index) != Acad::eOk) return false;
        const VlVarCell& partner = other[index];
        if (partner.valueType != cell.valueType || !partner.value.equal(cell.value, false)) return false;
    }
    return true;
}

Acad::ErrorStatus VlVarCells::getFromMacro(VlDlgStandardsData& data) {
    Acad::ErrorStatus built = Acad::eOk;
    {
        Mx_FunctionTimer timing(gInitMapping);
        if (!data.moduleGroup.isEmpty())
            built = mapping_.initFromModuleGroup(data.moduleGroup);
        else if (!data.macro)
            return Acad::eInvalidInput;
        else
            built = mapping_.initFromMacro(data);
    }
    // Without a mapping there is nothing to read: the cells keep their values and the run goes on.
    if (built != Acad::eOk) return Acad::eOk;

    Mx_FunctionTimer timing(gInitFromMacro);
    const VlSSMapping::NameIndex byName(mapping_);
    for (VlVarCell& cell : cells_) {
        if (cell.isLocal()) {
            cell.setNewValue(Mx_String());
            continue;
        }
        if (cell.setValueFromMacro(mapping_, data) != Acad::eOk) showStandardsWarning(notRetrievedText(cell, data));
    }
    return Acad::eOk;
}

Acad::ErrorStatus VlVarCells::setToMacro(VlDlgStandardsData& data) {
    const VlSSMapping::NameIndex byName(mapping_);
    for (VlVarCell& cell : cells_)
        if (cell.isOutput()) cell.setValueToMacro(mapping_, data);
    return Acad::eOk;
}

Acad::ErrorStatus VlVarCells::getValuesFromSS(Mx_Spread& spread) {
    for (VlVarCell& cell : cells_) {
        if (!cell.isOutput()) continue;
        Mx_String current;
        if (cell.getCurrentValue(spread, current) != Acad::eOk) return Acad::eInvalidInput;
        cell.value = current;
    }
    return Acad::eOk;
}

Acad::ErrorStatus VlVarCells::setValuesToSS(Mx_Spread& spread) {
    for (VlVarCell& cell : cells_)
        if (cell.setValueToSS(spread) != Acad::eOk) return Acad::eInvalidInput;
    return Acad::eOk;
}
