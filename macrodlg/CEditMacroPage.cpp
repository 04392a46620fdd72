#include "macrodlg/CEditMacroPage.h"

#include "macrodlg/CDlgEditMacro.h"
#include "platform/mfc/Win32Api.h"

CEditMacroPage::CEditMacroPage(UINT templateId, CDlgEditMacro& editor)
    : CDialog(templateId, nullptr), editor_(editor), templateId_(templateId) {}

bool CEditMacroPage::createPage(CWnd* parent) {
    if (!Create(templateId_, parent))
        return false;
    SetDlgCtrlID(static_cast<int>(templateId_));
    return true;
}

EditConstrData& CEditMacroPage::data() {
    return editor_.data();
}

const Mx_String& CEditMacroPage::moduleName() {
    return editor_.data().moduleName;
}

BOOL CEditMacroPage::PreTranslateMessage(MSG* msg) {
    if (handlesEscape() && msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE && escapeKeepsDefault()) {
        // The key goes to the focused control as if no dialog were around it (a grid ends its edit),
        // and the editor stays open.
        ::SendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam);
        return TRUE;
    }
    // Otherwise the editor's keyboard handling runs: Escape presses Cancel, which closes the editor.
    return CDialog::PreTranslateMessage(msg);
}
