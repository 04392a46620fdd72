#include "platform/mxbase/ui/DialogControls.h"

#include "platform/mfc/CButton.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/Win32Api.h"

namespace {

bool isLive(const CWnd* window)
{
    return window != nullptr && IsWindow(window->GetSafeHwnd());
}

CWnd* item(CWnd* dialog, int id)
{
    return isLive(dialog) ? dialog->GetDlgItem(id) : nullptr;
}

}  // namespace

bool FillCombo(CComboBox* combo, const Mx_StringArray& items, int select)
{
    if (!isLive(combo))
        return false;
    combo->ResetContent();
    for (int i = 0; i < items.length(); ++i)
        combo->AddString(items[i].c_str());
    combo->SetCurSel(select);
    return true;
}

bool FillCombo(CComboBox* combo, const Mx_StringArray& items, const Mx_String& selectText)
{
    int select = -1;
    for (int i = 0; i < items.length() && select < 0; ++i)
        if (items[i].str() == selectText.str())
            select = i;
    return FillCombo(combo, items, select);
}

bool FillCombo(CWnd* dialog, int comboId, const Mx_StringArray& items, int select)
{
    return FillCombo(static_cast<CComboBox*>(item(dialog, comboId)), items, select);
}

bool EnDisCtrl(CWnd* control, bool enable)
{
    if (!isLive(control))
        return false;
    control->EnableWindow(enable ? TRUE : FALSE);
    return true;
}

bool EnDisCtrl(CWnd* dialog, int controlId, bool enable)
{
    return EnDisCtrl(item(dialog, controlId), enable);
}

bool ShowOrHideCtrl(CWnd* control, bool show)
{
    if (!isLive(control))
        return false;
    control->ShowWindow(show ? SW_SHOW : SW_HIDE);
    return true;
}

bool ShowOrHideCtrl(CWnd* dialog, int controlId, bool show)
{
    return ShowOrHideCtrl(item(dialog, controlId), show);
}

bool disableTriState(CButton* button)
{
    if (!isLive(button))
        return false;
    const int state = button->GetCheck();
    button->SetButtonStyle(BS_AUTOCHECKBOX);
    button->SetCheck(state == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED);
    return true;
}

bool disableTriState(CWnd* dialog, int buttonId)
{
    return disableTriState(static_cast<CButton*>(item(dialog, buttonId)));
}

CWnd* getDlgOwnerWindow(CWnd* window, bool (*matches)(CWnd*))
{
    if (!isLive(window))
        return nullptr;
    for (CWnd* parent = window->GetParent(); parent != nullptr; parent = parent->GetParent())
        if (matches(parent))
            return parent;
    return nullptr;
}

CWnd* getDlgOwner(CWnd* window)
{
    if (!isLive(window))
        return nullptr;
    CWnd* current = window;
    while (current && (current->GetStyle() & WS_CHILD))
        current = current->GetParent();
    return current == window ? nullptr : current;
}
