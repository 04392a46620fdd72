#include "platform/mfc/CheckComboBox.h"

#include <algorithm>

#include "platform/mfc/Window.h"

LRESULT CCheckComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
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

void CCheckComboBox::syncCount()
{
    // Items added before this object was attached have no marks yet: unchecked.
    m_checks.resize(std::size_t(std::max(0, GetCount())), false);
}

BOOL CCheckComboBox::SetCheck(int index, BOOL check)
{
    syncCount();
    if (index < 0 || std::size_t(index) >= m_checks.size())
        return FALSE;
    m_checks[std::size_t(index)] = check != FALSE;
    Invalidate();
    return TRUE;
}

BOOL CCheckComboBox::GetCheck(int index) const
{
    if (index < 0 || std::size_t(index) >= m_checks.size() || index >= GetCount())
        return FALSE;
    return m_checks[std::size_t(index)] ? TRUE : FALSE;
}

void CCheckComboBox::CheckAll(BOOL check)
{
    syncCount();
    std::fill(m_checks.begin(), m_checks.end(), check != FALSE);
    Invalidate();
}

int CCheckComboBox::checkedCount() const
{
    return int(std::count(m_checks.begin(), m_checks.end(), true));
}

CString CCheckComboBox::checkedText(LPCTSTR separator) const
{
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

BOOL CCheckComboBox::toggleCheckAsUser(int index)
{
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

void CheckComboVerbs::toggleCheck(int index)
{
    auto* combo = dynamic_cast<CCheckComboBox*>(dlg.wnd(id));
    if (!combo) {
        reportProblem(L"toggleCheck: control " + std::to_wstring(id) + L" is not a check combo box");
        return;
    }
    if (!combo->IsWindowVisible() || !combo->IsWindowEnabled() || !combo->toggleCheckAsUser(index))
        reportProblem(L"toggleCheck: cannot tick item " + std::to_wstring(index) + L" of " + std::to_wstring(id));
}

bool CheckComboVerbs::checked(int index) const
{
    auto* combo = dynamic_cast<CCheckComboBox*>(dlg.wnd(id));
    return combo && combo->GetCheck(index);
}

}  // namespace ui
