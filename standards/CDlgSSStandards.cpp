#include "standards/CDlgSSStandards.h"

CDlgSSStandards::CDlgSSStandards(CWnd* parent) : CDialog(kTemplateId, parent) {}

CDlgSSStandards::~CDlgSSStandards() {
    if (calcSS.GetSafeHwnd()) calcSS.DestroyWindow();
    if (GetSafeHwnd()) DestroyWindow();
}

BOOL CDlgSSStandards::OnInitDialog() {
    CDialog::OnInitDialog();
    calcSS.createFromDlgItem(this, kGridPlaceholder, false);
    return TRUE;
}
