#include "platform/mfc/CheckComboBox.h"

#include <algorithm>

#include "platform/mfc/ClassicLook.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/Window.h"

LRESULT CCheckComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CComboBox::WindowProc(message, wParam, lParam);
    switch (message) {
        case CB_ADDSTRING:
        case CB_INSERTSTRING:
            // A sorted combo may place the item anywhere: the result says where.
            if (result >= 0 && std::size_t(result) <= m_checks.size())
                m_checks.insert(m_checks.begin() + std::ptrdiff_t(result), false);
            break;
        case CB_DELETESTRING:
            if (result >= 0 && wParam < m_checks.size())
                m_checks.erase(m_checks.begin() + std::ptrdiff_t(wParam));
            break;
        case CB_RESETCONTENT:
            m_checks.clear();
            break;
        default:
            break;
    }
    return result;
}

void CCheckComboBox::PreSubclassWindow() {
    CComboBox::PreSubclassWindow();
    ModifyStyle(CBS_OWNERDRAWFIXED, CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS);
}

BOOL CCheckComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto* item = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
    if (message != WM_DRAWITEM || !item)
        return CComboBox::OnChildNotify(message, wParam, lParam, result);
    CDC* dc = CDC::FromHandle(item->hDC);
    if (!dc)
        return TRUE;
    syncCount();
    RECT text = item->rcItem;
    const bool enabled = !(item->itemState & ODS_DISABLED);
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    CString caption;
    if (item->itemState & ODS_COMBOBOXEDIT) {
        caption = checkedText();
    } else {
        const int index = int(item->itemID);
        GetLBText(index, caption);
        const RECT box{text.left + 1, text.top + (text.bottom - text.top - 13) / 2, text.left + 14,
                       text.bottom};
        if (selected)
            dc->FillSolidRect(&text, GetSysColor(COLOR_HIGHLIGHT));
        ui::classic::drawCheckBox(*dc, box, GetCheck(index) ? 1 : 0, enabled);
        text.left += 16;
    }
    if (selected && (item->itemState & ODS_COMBOBOXEDIT))
        dc->FillSolidRect(&text, GetSysColor(COLOR_HIGHLIGHT));
    RECT label{text.left + 2, text.top, text.right, text.bottom};
    const COLORREF ink = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    ui::classic::drawControlText(*dc, caption, label,
                                 DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS, enabled, ink);
    if ((item->itemState & ODS_FOCUS) && (item->itemState & ODS_COMBOBOXEDIT))
        dc->DrawFocusRect(&text);
    if (result)
        *result = TRUE;
    return TRUE;
}

void CCheckComboBox::syncCount() {
    // Items added before this object was attached have no marks yet: unchecked.
    m_checks.resize(std::size_t(std::max(0, GetCount())), false);
}

BOOL CCheckComboBox::SetCheck(int index, BOOL check) {
    syncCount();
    if (index < 0 || std::size_t(index) >= m_checks.size())
        return FALSE;
    m_checks[std::size_t(index)] = check != FALSE;
    Invalidate();
    return TRUE;
}

BOOL CCheckComboBox::GetCheck(int index) const {
    if (index < 0 || std::size_t(index) >= m_checks.size() || index >= GetCount())
        return FALSE;
    return m_checks[std::size_t(index)] ? TRUE : FALSE;
}

void CCheckComboBox::CheckAll(BOOL check) {
    syncCount();
    std::fill(m_checks.begin(), m_checks.end(), check != FALSE);
    Invalidate();
}

int CCheckComboBox::checkedCount() const {
    return int(std::count(m_checks.begin(), m_checks.end(), true));
}

CString CCheckComboBox::checkedText(LPCTSTR separator) const {
    CString text;
    for (int i = 0; i < GetCount() && std::size_t(i) < m_checks.size(); ++i) {
        if (!m_checks[std::size_t(i)])
            continue;
        CString item;
        GetLBText(i, item);
        if (!text.IsEmpty())
            text += separator ? separator : L"";
        text += item;
    }
    return text;
}

BOOL CCheckComboBox::toggleCheckAsUser(int index) {
    if (!IsWindowEnabled())
        return FALSE;
    syncCount();
    if (!SetCheck(index, GetCheck(index) ? FALSE : TRUE))
        return FALSE;
    if (ui::Window* window = ui::windowFromHandle(m_hWnd))
        ui::notifyParent(*window, CBN_CHECKCHANGE);
    return TRUE;
}

namespace ui {

void CheckComboVerbs::toggleCheck(int index) {
    auto* combo = dynamic_cast<CCheckComboBox*>(dlg.wnd(id));
    if (!combo) {
        reportProblem(L"toggleCheck: control " + std::to_wstring(id) + L" is not a check combo box");
        return;
    }
    if (!combo->IsWindowVisible() || !combo->IsWindowEnabled() || !combo->toggleCheckAsUser(index))
        reportProblem(L"toggleCheck: cannot tick item " + std::to_wstring(index) + L" of " +
                      std::to_wstring(id));
}

bool CheckComboVerbs::checked(int index) const {
    auto* combo = dynamic_cast<CCheckComboBox*>(dlg.wnd(id));
    return combo && combo->GetCheck(index);
}

}  // namespace ui
