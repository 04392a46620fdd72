#include "designer/CControlTracker.h"

#include <algorithm>

#include "designer/CControlRect.h"
#include "platform/mfc/CWnd.h"

CControlTracker::CControlTracker() {
    m_nStyle = dottedLine;
}

void CControlTracker::addRect(CControlRect* rect) {
    if (rect && std::find(m_all.begin(), m_all.end(), rect) == m_all.end())
        m_all.push_back(rect);
}

void CControlTracker::removeRect(int resId) {
    auto sameId = [resId](CControlRect* rect) { return rect->resId() == resId; };
    for (CControlRect* rect : m_selected)
        if (sameId(rect))
            rect->selected = false;
    std::erase_if(m_selected, sameId);
    std::erase_if(m_all, sameId);
}

void CControlTracker::select(CControlRect* rect) {
    if (!rect || rect->selected)
        return;
    rect->selected = true;
    m_selected.push_back(rect);
}

bool CControlTracker::selectById(int resId, bool clearFirst) {
    if (clearFirst)
        clearSelection();
    for (CControlRect* rect : m_all) {
        if (rect->resId() == resId) {
            select(rect);
            return true;
        }
    }
    return false;
}

void CControlTracker::toggle(CControlRect* rect) {
    if (!rect)
        return;
    if (!rect->selected) {
        select(rect);
        return;
    }
    rect->selected = false;
    std::erase(m_selected, rect);
}

void CControlTracker::clearSelection() {
    for (CControlRect* rect : m_selected)
        rect->selected = false;
    m_selected.clear();
}

void CControlTracker::getSelectedIds(std::vector<int>& ids) const {
    ids.clear();
    for (const CControlRect* rect : m_selected)
        ids.push_back(rect->resId());
}

int CControlTracker::getSingleSelectedId() const {
    return m_selected.size() == 1 ? m_selected.front()->resId() : -1;
}

CControlRect* CControlTracker::hit(CPoint point, int& where) const {
    for (CControlRect* rect : m_all) {
        where = rect->HitTest(point);
        if (!rect->selected && where != hitMiddle)
            continue;
        if (where != hitNothing)
            return rect;
    }
    where = hitNothing;
    return nullptr;
}

void CControlTracker::invalidate() {
    if (m_dialog && m_dialog->GetSafeHwnd())
        m_dialog->Invalidate();
}

void CControlTracker::onLButtonDown(CPoint point, UINT flags, bool allowRubberBand) {
    int where = hitNothing;
    CControlRect* rect = hit(point, where);
    const bool shift = (flags & MK_SHIFT) != 0, ctrl = (flags & MK_CONTROL) != 0;
    if (!rect) {
        if (shift || ctrl)
            return;
        clearSelection();
        if (allowRubberBand && TrackRubberBand(m_dialog, point, TRUE)) {
            CRect band = m_rect;
            band.NormalizeRect();
            for (CControlRect* candidate : m_all) {
                CRect inner = candidate->m_rect;
                inner.NormalizeRect();
                if (inner.left >= band.left && inner.right <= band.right && inner.top >= band.top &&
                    inner.bottom <= band.bottom)
                    select(candidate);
            }
        }
        invalidate();
        return;
    }
    if (ctrl) {
        toggle(rect);
    } else if (shift) {
        select(rect);
    } else {
        if (!rect->selected)
            clearSelection();
        select(rect);
        if (where != hitMiddle) {
            if (rect->Track(m_dialog, point, FALSE, nullptr))
                rect->setRect(rect->m_rect);
        } else {
            CRect all = m_selected.front()->m_rect;
            for (const CControlRect* selected : m_selected) {
                all.left = std::min(all.left, selected->m_rect.left);
                all.top = std::min(all.top, selected->m_rect.top);
                all.right = std::max(all.right, selected->m_rect.right);
                all.bottom = std::max(all.bottom, selected->m_rect.bottom);
            }
            m_rect = all;
            if (Track(m_dialog, point, FALSE, nullptr)) {
                const int dx = m_rect.left - all.left, dy = m_rect.top - all.top;
                for (CControlRect* selected : m_selected) {
                    CRect moved = selected->m_rect;
                    moved.OffsetRect(dx, dy);
                    selected->setRect(moved);
                }
            }
        }
    }
    invalidate();
}

void CControlTracker::onPaint(CDC* dc) {
    for (const CControlRect* rect : m_selected)
        rect->Draw(dc);
}

BOOL CControlTracker::onSetCursor(UINT hitTest) {
    for (const CControlRect* rect : m_selected)
        if (rect->SetCursor(m_dialog, hitTest))
            return TRUE;
    return FALSE;
}
