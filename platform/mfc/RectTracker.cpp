#include "platform/mfc/RectTracker.h"

#include <algorithm>
#include <deque>

#include "platform/mfc/CWnd.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/GdiBrush.h"

namespace {

struct Drag {
    std::vector<POINT> positions;
    bool cancel = false;
};

std::deque<Drag>& drags()
{
    static std::deque<Drag> queue;
    return queue;
}

// The next scripted drag; an empty release-at-start drag when none is queued.
Drag takeDrag(CPoint start)
{
    if (drags().empty())
        return Drag{{start}, false};
    Drag drag = std::move(drags().front());
    drags().pop_front();
    if (drag.positions.empty())
        drag.positions.push_back(start);
    return drag;
}

}  // namespace

namespace ui {

void queueTrackerDrag(std::vector<POINT> positions, bool cancel)
{
    drags().push_back({std::move(positions), cancel});
}

int pendingTrackerDrags()
{
    return int(drags().size());
}

void clearTrackerDrags()
{
    drags().clear();
}

bool withdrawLastTrackerDrag()
{
    if (drags().empty())
        return false;
    drags().pop_back();
    return true;
}

}  // namespace ui

CRectTracker::CRectTracker(LPCRECT rect, UINT style)
    : m_rect(rect)
    , m_nStyle(style)
{
}

CRect CRectTracker::handleRect(int handle) const
{
    CRect rect = m_rect;
    rect.NormalizeRect();
    const int size = m_nHandleSize;
    // Inside handles sit within the rectangle; outside handles straddle outward from it.
    const bool outside = (m_nStyle & resizeOutside) != 0;
    const int left = outside ? rect.left - size : rect.left;
    const int right = outside ? rect.right : rect.right - size;
    const int top = outside ? rect.top - size : rect.top;
    const int bottom = outside ? rect.bottom : rect.bottom - size;
    const int centerX = (rect.left + rect.right - size) / 2;
    const int centerY = (rect.top + rect.bottom - size) / 2;
    int x = 0, y = 0;
    switch (handle) {
    case hitTopLeft: x = left, y = top; break;
    case hitTopRight: x = right, y = top; break;
    case hitBottomRight: x = right, y = bottom; break;
    case hitBottomLeft: x = left, y = bottom; break;
    case hitTop: x = centerX, y = top; break;
    case hitRight: x = right, y = centerY; break;
    case hitBottom: x = centerX, y = bottom; break;
    case hitLeft: x = left, y = centerY; break;
    default: return CRect();
    }
    return CRect(x, y, x + size, y + size);
}

UINT CRectTracker::GetHandleMask() const
{
    if (!(m_nStyle & (resizeInside | resizeOutside)))
        return 0;
    UINT mask = 0x0F;  // the corners
    CRect rect = m_rect;
    rect.NormalizeRect();
    // Side handles need room for three handles along the side.
    if (rect.Width() >= 3 * m_nHandleSize)
        mask |= (1 << hitTop) | (1 << hitBottom);
    if (rect.Height() >= 3 * m_nHandleSize)
        mask |= (1 << hitLeft) | (1 << hitRight);
    return mask;
}

int CRectTracker::HitTest(CPoint point) const
{
    const UINT mask = GetHandleMask();
    for (int handle = 0; handle < 8; ++handle)
        if ((mask & (1u << handle)) && handleRect(handle).PtInRect(point))
            return handle;
    CRect rect = m_rect;
    rect.NormalizeRect();
    return rect.PtInRect(point) ? hitMiddle : hitNothing;
}

void CRectTracker::GetTrueRect(LPRECT rect) const
{
    if (!rect)
        return;
    CRect result = m_rect;
    result.NormalizeRect();
    const int grow = (m_nStyle & resizeOutside) ? m_nHandleSize : 1;
    result.InflateRect(grow, grow);
    *rect = result;
}

void CRectTracker::Draw(CDC* dc) const
{
    if (!dc)
        return;
    CRect rect = m_rect;
    rect.NormalizeRect();
    if (m_nStyle & (solidLine | dottedLine)) {
        CPen pen((m_nStyle & dottedLine) ? PS_DOT : PS_SOLID, 1, RGB(0, 0, 0));
        CPen* oldPen = dc->SelectObject(&pen);
        CBrush* oldBrush = dc->SelectObject(static_cast<CBrush*>(nullptr));
        dc->SelectStockObject(NULL_BRUSH);
        dc->Rectangle(&rect);
        dc->SelectObject(oldPen);
        dc->SelectObject(oldBrush);
    }
    const UINT mask = GetHandleMask();
    for (int handle = 0; handle < 8; ++handle) {
        if (mask & (1u << handle)) {
            const CRect box = handleRect(handle);
            dc->FillSolidRect(&box, RGB(0, 0, 0));
        }
    }
}

BOOL CRectTracker::SetCursor(CWnd*, UINT) const
{
    return FALSE;
}

void CRectTracker::AdjustRect(int, LPRECT)
{
}

void CRectTracker::OnChangedRect(const CRect&)
{
}

BOOL CRectTracker::Track(CWnd* window, CPoint point, BOOL allowInvert, CWnd* clipTo)
{
    const int handle = HitTest(point);
    if (handle == hitNothing) {
        takeDrag(point);
        return FALSE;
    }
    return trackHandle(handle, window, point, allowInvert, clipTo);
}

BOOL CRectTracker::TrackRubberBand(CWnd* window, CPoint point, BOOL allowInvert)
{
    m_rect = CRect(point.x, point.y, point.x, point.y);
    const BOOL tracked = trackHandle(hitBottomRight, window, point, allowInvert, nullptr);
    CRect rect = m_rect;
    rect.NormalizeRect();
    return tracked && rect.Width() > 0 && rect.Height() > 0 ? TRUE : FALSE;
}

BOOL CRectTracker::trackHandle(int handle, CWnd*, CPoint point, BOOL allowInvert, CWnd* clipTo)
{
    const Drag drag = takeDrag(point);
    const CRect original = m_rect;
    CRect clip;
    if (clipTo)
        clipTo->GetClientRect(&clip);
    for (const POINT& position : drag.positions) {
        const int dx = position.x - point.x, dy = position.y - point.y;
        CRect rect = original;
        switch (handle) {
        case hitMiddle: rect.OffsetRect(dx, dy); break;
        case hitTopLeft: rect.left += dx, rect.top += dy; break;
        case hitTopRight: rect.right += dx, rect.top += dy; break;
        case hitBottomRight: rect.right += dx, rect.bottom += dy; break;
        case hitBottomLeft: rect.left += dx, rect.bottom += dy; break;
        case hitTop: rect.top += dy; break;
        case hitRight: rect.right += dx; break;
        case hitBottom: rect.bottom += dy; break;
        case hitLeft: rect.left += dx; break;
        default: break;
        }
        if (!allowInvert && handle != hitMiddle) {
            // The dragged edge stops at the minimum size instead of crossing the opposite edge.
            const bool movesLeft = handle == hitTopLeft || handle == hitBottomLeft || handle == hitLeft;
            const bool movesTop = handle == hitTopLeft || handle == hitTopRight || handle == hitTop;
            if (rect.Width() < m_sizeMin.cx) {
                if (movesLeft)
                    rect.left = rect.right - m_sizeMin.cx;
                else if (handle != hitTop && handle != hitBottom)
                    rect.right = rect.left + m_sizeMin.cx;
            }
            if (rect.Height() < m_sizeMin.cy) {
                if (movesTop)
                    rect.top = rect.bottom - m_sizeMin.cy;
                else if (handle != hitLeft && handle != hitRight)
                    rect.bottom = rect.top + m_sizeMin.cy;
            }
        }
        if (clipTo && handle == hitMiddle) {
            // A moved rectangle stays inside the clip window.
            rect.OffsetRect(std::max(0, int(clip.left - rect.left)), std::max(0, int(clip.top - rect.top)));
            rect.OffsetRect(std::min(0, int(clip.right - rect.right)), std::min(0, int(clip.bottom - rect.bottom)));
        }
        AdjustRect(handle, &rect);
        if (rect != m_rect) {
            const CRect before = m_rect;
            m_rect = rect;
            OnChangedRect(before);
        }
    }
    if (drag.cancel) {
        if (m_rect != original) {
            const CRect before = m_rect;
            m_rect = original;
            OnChangedRect(before);
        }
        return FALSE;
    }
    return m_rect != original ? TRUE : FALSE;
}
