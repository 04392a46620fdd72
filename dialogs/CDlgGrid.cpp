#include "dialogs/CDlgGrid.h"

#include <climits>
#include <cwchar>  // wcstol

#include "dialogs/RunOnCopy.h"
#include "dialogs/StartDialogs.h"
#include "platform/mfc/CString.h"
#include "platform/mxbase/UiTexts.h"

namespace {

// The edit's text as a decimal count, as the C library reads one: leading digits count, anything else
// gives 0; beyond the int range the nearest int.
int decimalCount(const CString& text) {
    const long value = std::wcstol(static_cast<LPCTSTR>(text), nullptr, 10);
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

}  // namespace

CDlgGrid::CDlgGrid(CWnd* parent) : CAcUiDialog(IDD, parent) {}

BOOL CDlgGrid::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    SetWindowText(dialString(1463).c_str());
    SetDlgItemText(IDC_FIRST_GROUP, dialString(1464).c_str());
    SetDlgItemText(IDC_SECOND_GROUP, dialString(1465).c_str());
    for (int id : {IDC_FIRST_COUNT_LABEL, IDC_SECOND_COUNT_LABEL})
        SetDlgItemText(id, dialString(1466).c_str());
    for (int id : {IDC_FIRST_DISTANCE_LABEL, IDC_SECOND_DISTANCE_LABEL})
        SetDlgItemText(id, dialString(1467).c_str());
    for (int id : {IDC_FIRST_LABEL_LABEL, IDC_SECOND_LABEL_LABEL})
        SetDlgItemText(id, dialString(1468).c_str());
    SetDlgItemText(IDC_OPTION, dialString(1469).c_str());
    SetDlgItemText(IDOK, dialString(1).c_str());
    SetDlgItemText(IDCANCEL, dialString(2).c_str());

    SetDlgItemText(IDC_FIRST_COUNT, Mx_String(data.firstCount).c_str());
    SetDlgItemText(IDC_FIRST_DISTANCE, data.firstDistance.c_str());
    SetDlgItemText(IDC_FIRST_LABEL, data.firstLabel.c_str());
    SetDlgItemText(IDC_SECOND_COUNT, Mx_String(data.secondCount).c_str());
    SetDlgItemText(IDC_SECOND_DISTANCE, data.secondDistance.c_str());
    SetDlgItemText(IDC_SECOND_LABEL, data.secondLabel.c_str());
    CheckDlgButton(IDC_OPTION, data.option ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CDlgGrid::OnOK() {
    CString text;
    GetDlgItemText(IDC_FIRST_COUNT, text);
    data.firstCount = decimalCount(text);
    GetDlgItemText(IDC_FIRST_DISTANCE, text);
    data.firstDistance = text.str();
    GetDlgItemText(IDC_FIRST_LABEL, text);
    data.firstLabel = text.str();
    GetDlgItemText(IDC_SECOND_COUNT, text);
    data.secondCount = decimalCount(text);
    GetDlgItemText(IDC_SECOND_DISTANCE, text);
    data.secondDistance = text.str();
    GetDlgItemText(IDC_SECOND_LABEL, text);
    data.secondLabel = text.str();
    data.option = IsDlgButtonChecked(IDC_OPTION) == BST_CHECKED;
    CAcUiDialog::OnOK();
}

bool StartDlgGrid(VlGridDlgData& data) {
    return runOnCopy<CDlgGrid>(data);
}
