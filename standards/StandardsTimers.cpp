#include "standards/StandardsTimers.h"

Mx_Timer gLoadFile(L"gLoadFile");
Mx_Timer gInitMapping(L"gInitMapping");
Mx_Timer gInitSSForInput(L"gInitSSForInput");
Mx_Timer gInitFromMacro(L"gInitFromMacro");
Mx_Timer gSSSGetFromMacro(L"gSSSGetFromMacro");
Mx_Timer gSetMacroValuelsToSS(L"gSetMacroValuelsToSS");
Mx_Timer gSSSreplaceGenVars(L"gSSSreplaceGenVars");
Mx_Timer gCalcMain(L"gCalcMain");
Mx_Timer gSetToMacro(L"gSetToMacro");
Mx_Timer gGetFromVars(L"gGetFromVars");
Mx_Timer gCalcChild(L"gCalcChild");
Mx_Timer gSetToVars(L"gSetToVars");
Mx_Timer gRegisterFuntions(L"gRegisterFuntions");
Mx_Timer gFindDuplicates(L"gFindDuplicates");
Mx_Timer gCalcCells(L"gCalcCells");
Mx_Timer gCalcCellSplitSymbol(L"gCalcCellSplitSymbol");
Mx_Timer gCalcCellFindVarCell(L"gCalcCellFindVarCell");
Mx_Timer gCalcCellFindFunctions(L"gCalcCellFindFunctions");
Mx_Timer gCalcCellCalcNativeFunctions(L"gCalcCellCalcNativeFunctions");
Mx_Timer gCalcCellCalcFunctionsPrepare(L"gCalcCellCalcFunctionsPrepare");
Mx_Timer gCalcCellCalcFunctions(L"gCalcCellCalcFunctions");
Mx_Timer gCalcCellGetVarNames(L"gCalcCellGetVarNames");
Mx_Timer gCalcCellGetVarCoordName(L"gCalcCellGetVarCoordName");
Mx_Timer gCalcCellGetVarCoords(L"gCalcCellGetVarCoords");
Mx_Timer gCalcCellReplaceVariables(L"gCalcCellReplaceVariables");

namespace {
Mx_Timer* const kAllTimers[] = {
    &gLoadFile,
    &gInitMapping,
    &gInitSSForInput,
    &gInitFromMacro,
    &gSSSGetFromMacro,
    &gSetMacroValuelsToSS,
    &gSSSreplaceGenVars,
    &gCalcMain,
    &gSetToMacro,
    &gGetFromVars,
    &gCalcChild,
    &gSetToVars,
    &gRegisterFuntions,
    &gFindDuplicates,
    &gCalcCells,
    &gCalcCellSplitSymbol,
    &gCalcCellFindVarCell,
    &gCalcCellFindFunctions,
    &gCalcCellCalcNativeFunctions,
    &gCalcCellCalcFunctionsPrepare,
    &gCalcCellCalcFunctions,
    &gCalcCellGetVarNames,
    &gCalcCellGetVarCoordName,
    &gCalcCellGetVarCoords,
    &gCalcCellReplaceVariables,
};
}  // namespace

void resetStandardsTimers() {
    for (Mx_Timer* timer : kAllTimers) timer->reset();
}

Mx_String standardsTimersReport() {
    Mx_String report;
    for (const Mx_Timer* timer : kAllTimers) {
        report += timer->toString();
        report += L'\n';
    }
    return report;
}
