#include "standards/StartDlgStandardsSS.h"

#include <utility>

#include "module/ModuleResources.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "standards/CDlgSSStandards.h"
#include "standards/DisplayPath.h"
#include "standards/StandardsTimers.h"
#include "standards/VlDlgStandardsData.h"
#include "standards/VlFileLookup.h"
#include "standards/VlRunReport.h"
#include "standards/VlSSDlgsMgr.h"

namespace {

// Runs the dialog's data on its sheet.
bool run(CDlgSSStandards& dialog) {
    VlCalcSS& sheet = dialog.calcSS;
    VlDlgStandardsData& data = dialog.data;
    gLoadFile.start();
    const Acad::ErrorStatus loaded = sheet.loadFile(data.standardsFile);
    gLoadFile.end();
    if (loaded != Acad::eOk) return false;
    switch (data.mode) {
        case VlDlgStandardsData::kMainRun:
            if (!data.macro || !data.transaction) {
                vlNoteCause(data.macro ? "no open transaction" : "no macro to run against");
                return false;
            }
            if (sheet.initSSForInput(data) != Acad::eOk || sheet.calcMain(data) != Acad::eOk) return false;
            // The pooled sheet finds its variables again on its next run.
            data.varCells = std::move(sheet.varCells());
            return true;
        case VlDlgStandardsData::kChildRun:
            return sheet.getFromVars(data) == Acad::eOk && sheet.calcChild(data.varCells) == Acad::eOk;
        default:
            return true;
    }
}

// Says why a run failed. The outermost run leaves a finding; a child run (started by an equation of
// a running sheet) leaves the cause to that equation, whose finding then names the child.
void reportRunFailure(const VlDlgStandardsData& data, bool nested) {
    if (!vlReporting()) return;
    std::string cause = vlTakeCause();
    if (cause.empty()) cause = "the run failed";
    const std::string sheet = displayPath(data.standardsFile).toUtf8();
    if (nested) {
        vlNoteCause("the run of " + sheet + " failed: " + cause);
        return;
    }
    VlRunFinding failed;
    failed.kind = "run-failed";
    failed.sheet = sheet;
    failed.cause = cause;
    failed.text = "the run of " + sheet + " failed: " + cause;
    vlReport(std::move(failed));
}

}  // namespace

bool StartDlgStandardsSS(VlDlgStandardsData& data) {
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    VlFileLookup::RunScope files;
    const bool nested = VlCalcSS::runningDepth() > 0;
    auto* dialog = static_cast<CDlgSSStandards*>(gSSDlgsMgr.getDlg());
    if (!dialog) {
        vlNoteCause("no window to evaluate the sheet in");
        reportRunFailure(data, nested);
        return false;
    }
    dialog->data = data;
    vlTakeCause();
    const bool ok = run(*dialog);
    if (!ok) reportRunFailure(data, nested);
    if (ok) data = std::move(dialog->data);
    gSSDlgsMgr.releaseDlg(dialog);
    return ok;
}

bool StartDlgStandardsSStest() {
    VlDlgStandardsData data;
    data.mode = VlDlgStandardsData::kChildRun;
    data.standardsFile = L"c:\\a\\a\\a\\test.vls";
    data.varCells.append(VlVarCell(L"Column", kVlInput, kVlString, 0, 0, L"IPE-200"));
    data.varCells.append(VlVarCell(L"Thickness", kVlInput, kVlString, 0, 0, L"10"));
    data.varCells.append(VlVarCell(L"Width", kVlOutput, kVlString, 0, 0, L"212"));
    data.varCells.append(VlVarCell(L"Length", kVlOutput, kVlString, 0, 0, L"356"));
    return StartDlgStandardsSS(data);
}
