#pragma once
// The phase timers of the standards engine. They only measure: started and ended around a phase of a
// standards run (or a scope, through Mx_FunctionTimer), they never change a result.
#include "platform/mxbase/Mx_Timer.h"

extern Mx_Timer gLoadFile;
extern Mx_Timer gInitMapping;
extern Mx_Timer gInitSSForInput;
extern Mx_Timer gInitFromMacro;
extern Mx_Timer gSSSGetFromMacro;
extern Mx_Timer gSetMacroValuelsToSS;
extern Mx_Timer gSSSreplaceGenVars;
extern Mx_Timer gCalcMain;
extern Mx_Timer gSetToMacro;
extern Mx_Timer gGetFromVars;
extern Mx_Timer gCalcChild;
extern Mx_Timer gSetToVars;
extern Mx_Timer gRegisterFuntions;
extern Mx_Timer gFindDuplicates;
extern Mx_Timer gCalcCells;
extern Mx_Timer gCalcCellSplitSymbol;
extern Mx_Timer gCalcCellFindVarCell;
extern Mx_Timer gCalcCellFindFunctions;
extern Mx_Timer gCalcCellCalcNativeFunctions;
extern Mx_Timer gCalcCellCalcFunctionsPrepare;
extern Mx_Timer gCalcCellCalcFunctions;
extern Mx_Timer gCalcCellGetVarNames;
extern Mx_Timer gCalcCellGetVarCoordName;
extern Mx_Timer gCalcCellGetVarCoords;
extern Mx_Timer gCalcCellReplaceVariables;

// Resets every phase timer (before a measured series of runs).
void resetStandardsTimers();
// One line per timer ("gCalcMain: 3 calls, 0.012345 s"), in the order above.
Mx_String standardsTimersReport();
