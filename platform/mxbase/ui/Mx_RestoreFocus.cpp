#include "platform/mxbase/ui/Mx_RestoreFocus.h"

#include <cwctype>

#include "platform/mfc/CWnd.h"
#include "platform/mfc/Win32Api.h"

namespace {

std::wstring keyOf(const Mx_String& name) {
    std::wstring key = name.str();
    for (wchar_t& c : key)
        c = static_cast<wchar_t>(std::towlower(c));
    return key;
}

}  // namespace

void Mx_RestoreFocus::remember(const Mx_String& pageName, CWnd* page) {
    if (page == nullptr || page->GetSafeHwnd() == nullptr)
        return;
    const HWND focus = ::GetFocus();
    if (focus == nullptr || !::IsChild(page->GetSafeHwnd(), focus))
        return;
    // The page's own child that holds the focus (a control inside a composite control counts as it).
    HWND control = focus;
    while (::GetParent(control) != page->GetSafeHwnd())
        control = ::GetParent(control);
    const int id = ::GetDlgCtrlID(control);
    if (id != 0)
        m_controls[keyOf(pageName)] = id;
}

bool Mx_RestoreFocus::restore(const Mx_String& pageName, CWnd* page) const {
    if (page == nullptr || page->GetSafeHwnd() == nullptr)
        return false;
    const int id = rememberedId(pageName);
    if (id == 0)
        return false;
    const HWND control = ::GetDlgItem(page->GetSafeHwnd(), id);
    if (control == nullptr || !::IsWindowVisible(control) || !::IsWindowEnabled(control))
        return false;
    ::SetFocus(control);
    return true;
}

int Mx_RestoreFocus::rememberedId(const Mx_String& pageName) const {
    auto it = m_controls.find(keyOf(pageName));
    return it == m_controls.end() ? 0 : it->second;
}
