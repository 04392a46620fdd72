#include "spread/CDlgSSAsTool.h"

CDlgSSAsTool::CDlgSSAsTool(CWnd* parent) : CAcUiDialog(IDD, parent) {}

BOOL CDlgSSAsTool::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    // The grid takes the placeholder's place in the client area.
    grid_.createFromDlgItem(this, IDC_GRID, false);
    return TRUE;
}
