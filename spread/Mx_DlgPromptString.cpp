#include "spread/Mx_DlgPromptString.h"

#include "module/ModuleResources.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "platform/mxbase/UiTexts.h"

Mx_DlgPromptString::Mx_DlgPromptString(CWnd* parent) : CAcUiDialog(IDD, parent) {}

BOOL Mx_DlgPromptString::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    SetWindowText(title_.c_str());
    SetDlgItemText(IDC_PROMPT, prompt_.c_str());
    SetDlgItemText(IDC_VALUE, value_.c_str());
    if (!okCaption_.isEmpty()) SetDlgItemText(IDOK, okCaption_.c_str());
    if (!cancelCaption_.isEmpty()) SetDlgItemText(IDCANCEL, cancelCaption_.c_str());

    CWnd* edit = GetDlgItem(IDC_VALUE);
    if (!edit) return TRUE;
    if (!showEdit_) {
        edit->ShowWindow(SW_HIDE);
        return TRUE;
    }
    GotoDlgCtrl(edit);
    edit->SendMessage(EM_SETSEL, 0, -1);
    return FALSE;  // the focus is set
}

void Mx_DlgPromptString::OnOK() {
    CString text;
    GetDlgItemText(IDC_VALUE, text);
    if (showEdit_ && text.IsEmpty()) return;  // nothing entered: stay open
    value_ = static_cast<LPCTSTR>(text);
    accepted_ = true;
    CAcUiDialog::OnOK();
}

Mx_String promptGridHeader(CWnd* owner, bool isRow) {
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    Mx_DlgPromptString prompt(owner);
    prompt.setTitle(dialString(1150));
    Mx_String text = dialString(1151);
    text += L" ";
    text += dialString(isRow ? 1152 : 1153);
    text += L":";
    prompt.setPrompt(text);
    prompt.setValue(dialString(171));
    prompt.setOkCaption(L"Ok");
    prompt.DoModal();
    return prompt.value();
}
