#include "macrodlg/MacroSubDialogs.h"

#include "macrodlg/CDlgArray.h"
#include "macrodlg/CDlgMacroBoltAdv.h"
#include "macrodlg/CDlgMacroPattern.h"
#include "macrodlg/CDlgMacroProfAdv.h"
#include "macrodlg/CDlgMacroProfSegm.h"
#include "macrodlg/MacroSubDialogRunners.h"
#include "macrodlg/ProfAdvDialogRunner.h"
#include "module/ModuleResources.h"
#include "platform/mfc/VlTempResourceOverride.h"

namespace {

// The dialog made on the request and run modally inside the module's resources.
template <class Dialog, class Request>
INT_PTR runInModule(Request& request) {
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    Dialog dialog(request, request.owner);
    return dialog.DoModal();
}

// The array dialog is opened through StartArrayDlg, which made the module's resources current.
INT_PTR runArray(ArrayRequest& request) {
    CDlgArray dialog(request);
    return dialog.DoModal();
}

}  // namespace

void installMacroSubDialogs() {
    setBoltAdvRunner(runInModule<CDlgMacroBoltAdv, BoltAdvRequest>);
    setPatternRunner(runInModule<CDlgMacroPattern, PatternRequest>);
    setArrayRunner(runArray);
    setProfSegmRunner(runInModule<CDlgMacroProfSegm, ProfSegmRequest>);
    // The profile-advanced dialog runs in whatever resources its caller made current.
    setProfAdvDialogRunner([](ProfAdvRequest& request) {
        CWnd* owner = request.data != nullptr ? CWnd::FromHandle(request.data->ownerWindow) : nullptr;
        CDlgMacroProfAdv dialog(request, owner);
        dialog.DoModal();
    });
}
