#include "platform/mxbase/ui/CResizer.h"

#include <algorithm>

#include "platform/mfc/CWnd.h"
#include "platform/mfc/Win32Api.h"

int CResizer::Init(CWnd* dialog, std::span<const Rule> rules)
{
    m_entries.clear();
    m_dialog = dialog;
    if (!dialog || !IsWindow(dialog->GetSafeHwnd()))
        return 0;
    dialog->GetClientRect(&m_initialClient);
    for (const Rule& rule : rules)
        Add(rule.id, rule.anchors);
    return Count();
}

bool CResizer::Add(int id, unsigned anchors)
{
    if (!m_dialog || !IsWindow(m_dialog->GetSafeHwnd()))
        return false;
    CWnd* control = m_dialog->GetDlgItem(id);
    if (!control)
        return false;
    // Relative to the client size recorded at Init, so a control added later moves consistently with
    // the others: its rectangle is mapped back to the layout of Init.
    CRect rect;
    control->GetWindowRect(&rect);
    m_dialog->ScreenToClient(&rect);
    CRect client;
    m_dialog->GetClientRect(&client);
    const int dx = client.Width() - m_initialClient.Width();
    const int dy = client.Height() - m_initialClient.Height();
    if (anchors & Right) {
        rect.right -= dx;
        if (!(anchors & Left))
            rect.left -= dx;
    }
    if (anchors & Bottom) {
        rect.bottom -= dy;
        if (!(anchors & Top))
            rect.top -= dy;
    }
    std::erase_if(m_entries, [id](const Entry& e) { return e.id == id; });
    m_entries.push_back({id, anchors, rect});
    return true;
}

void CResizer::Move()
{
    if (!m_dialog || !IsWindow(m_dialog->GetSafeHwnd()))
        return;
    CRect client;
    m_dialog->GetClientRect(&client);
    const int dx = client.Width() - m_initialClient.Width();
    const int dy = client.Height() - m_initialClient.Height();
    for (const Entry& entry : m_entries) {
        CWnd* control = m_dialog->GetDlgItem(entry.id);
        if (!control)
            continue;
        CRect rect = entry.initial;
        if (entry.anchors & Right) {
            rect.right += dx;
            if (!(entry.anchors & Left))
                rect.left += dx;
        }
        if (entry.anchors & Bottom) {
            rect.bottom += dy;
            if (!(entry.anchors & Top))
                rect.top += dy;
        }
        rect.right = std::max(rect.right, rect.left);
        rect.bottom = std::max(rect.bottom, rect.top);
        control->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}
