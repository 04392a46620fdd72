#include "standards/VlVarCells.h"

#include "spread/Mx_Spread.h"
#include "standards/DisplayPath.h"
#include "standards/StandardsTimers.h"
#include "standards/StandardsWarnings.h"
#include "platform/mxbase/StringFunctions.h"
#include "standards/VlDlgStandardsData.h"
#include "standards/VlExchangeCause.h"
#include "standards/VlRunReport.h"

namespace {

Mx_String notRetrievedText(const VlVarCell& cell, const VlDlgStandardsData& data) {
    const bool input = cell.isInput();
    return Mx_String(L"The following ") + (input ? L"Input" : L"Output") + L" variable couldn't be " +
           (input ? L"retrieved" : L"set") + L" : \n" + cell.name +
           L"\nMake sure the variable exists in the macro or module.\n" + L"Spreadsheet : " + displayPath(data.standardsFile);
}

VlRunFinding variableFinding(const char* kind, VlRunFinding::Severity severity, const VlVarCell& cell,
                             const VlDlgStandardsData& data) {
    VlRunFinding finding;
    finding.kind = kind;
    finding.severity = severity;
    finding.sheet = displayPath(data.standardsFile).toUtf8();
    finding.col = cell.col;
    finding.row = cell.row;
    finding.cell = vlCellName(cell.col, cell.row);
    finding.variable = cell.name.toUtf8();
    return finding;
}

// A value an Int or Double variable cannot compute with: the grid would read it as 0 or as nothing.
bool isNumericMismatch(const VlVarCell& cell) {
    return isNumericValueType(cell.valueType) && !cell.value.isEmpty() && !isNumber(cell.value);
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
    // Whoever runs it learns that nothing was mapped, and why.
    if (built != Acad::eOk) {
        if (vlReporting()) {
            VlRunFinding finding;
            finding.kind = "mapping";
            finding.sheet = displayPath(data.standardsFile).toUtf8();
            finding.cause = vlTakeCause();
            if (finding.cause.empty()) finding.cause = "no mapping for target \"" + data.mapsTo.toUtf8() + "\"";
            finding.text = "No variable was mapped: " + finding.cause;
            vlReport(std::move(finding));
        }
        return Acad::eOk;
    }

    Mx_FunctionTimer timing(gInitFromMacro);
    const VlSSMapping::NameIndex byName(mapping_);
    for (VlVarCell& cell : cells_) {
        if (cell.isLocal()) {
            cell.setNewValue(Mx_String());
            continue;
        }
        if (cell.setValueFromMacro(mapping_, data) != Acad::eOk) {
            const Mx_String text = notRetrievedText(cell, data);
            showStandardsWarning(text);
            if (vlReporting()) {
                // An input the run cannot have makes its results wrong; an output only starts empty.
                VlRunFinding finding = variableFinding(
                    "not-retrieved", cell.isInput() ? VlRunFinding::Severity::error : VlRunFinding::Severity::warning,
                    cell, data);
                finding.cause = vlExchangeCause(mapping_, cell, data, false);
                finding.text = text.toUtf8();
                vlReport(std::move(finding));
            }
        } else if (cell.isInput() && isNumericMismatch(cell) && vlReporting()) {
            VlRunFinding finding = variableFinding("not-a-number", VlRunFinding::Severity::error, cell, data);
            finding.cause = "the macro's value \"" + cell.value.toUtf8() + "\" is not a number";
            finding.text = "The Input variable " + cell.name.toUtf8() + " is declared " +
                           (cell.valueType == kVlInteger ? "Int" : "Double") + ": " + finding.cause;
            vlReport(std::move(finding));
        }
    }
    return Acad::eOk;
}

Acad::ErrorStatus VlVarCells::setToMacro(VlDlgStandardsData& data) {
    // A value the macro does not take is left out and the others still land; whoever runs it learns
    // which did not.
    const VlSSMapping::NameIndex byName(mapping_);
    for (VlVarCell& cell : cells_) {
        if (!cell.isOutput() || cell.setValueToMacro(mapping_, data) == Acad::eOk || !vlReporting()) continue;
        VlRunFinding finding = variableFinding("not-set", VlRunFinding::Severity::error, cell, data);
        finding.cause = vlExchangeCause(mapping_, cell, data, true);
        finding.text = "The Output variable " + cell.name.toUtf8() + " couldn't be set: " + finding.cause;
        vlReport(std::move(finding));
    }
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
