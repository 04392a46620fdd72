#include "macrodlg/MacroCutsDialogs.h"

#include "macrodlg/CDlgEditProfCuts.h"
#include "macrodlg/CDlgMacroCuts.h"
#include "macrodlg/MacroSubDialogRunners.h"

void installMacroCutsDialogs() {
    setMacroCutsRunner([](MacroCutsRequest& request) {
        CDlgMacroCuts dialog;
        dialog.data = request.data;
        const INT_PTR result = dialog.DoModal();
        // The dialog's copy goes back whole; the entry point decides what the caller gets of it.
        request.data = dialog.data;
        return result == IDOK ? INT_PTR(IDOK) : INT_PTR(IDCANCEL);
    });
    setProfCutsRunner([](ProfCutsRequest& request) {
        CDlgEditProfCuts dialog;
        dialog.data = request.data;
        dialog.preview = request.preview;
        const INT_PTR result = dialog.DoModal();
        request.preview = dialog.preview;
        return result == IDOK ? INT_PTR(IDOK) : INT_PTR(IDCANCEL);
    });
}
