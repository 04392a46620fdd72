#pragma once
// MFC's CRectTracker: a rectangle with resize handles that the user moves or resizes by dragging, or
// draws as a rubber band. The designer's control rectangles derive from it.
//
// Track and TrackRubberBand run MFC's drag loop: they take mouse positions until the button is
// released. With no mouse here, the positions come from a drag scripted beforehand, in the tracking
// window's client coordinates:
//     ui::queueTrackerDrag({{40, 30}, {60, 45}});   // move to (40,30), then release at (60,45)
//     dlg.mouseDown(IDC_CANVAS, {10, 10});           // the window's handler calls tracker.Track(...)
// A drag queued with cancel = true ends as Escape does. When no drag is queued, tracking ends at once
// as a click without movement does (FALSE, rectangle unchanged).
#include <vector>

#include "platform/mfc/AfxTypes.h"

class CDC;
class CWnd;

namespace ui {
void queueTrackerDrag(std::vector<POINT> positions, bool cancel = false);
int pendingTrackerDrags();
void clearTrackerDrags();
// Takes back the drag queued last when no tracking loop used it (a press that started no tracking).
bool withdrawLastTrackerDrag();
}  // namespace ui

class CRectTracker {
public:
    enum StyleFlags {
        solidLine = 1,
        dottedLine = 2,
        hatchedBorder = 4,
        resizeInside = 8,
        resizeOutside = 16,
        hatchInside = 32,
    };
    enum TrackerHit {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8,
    };

    CRectTracker() = default;
    CRectTracker(LPCRECT rect, UINT style);
    virtual ~CRectTracker() = default;

    CRect m_rect;
    UINT m_nStyle = 0;
    int m_nHandleSize = 7;
    CSize m_sizeMin{4, 4};

    // Which part of the tracker is at the point (client coordinates of the tracking window).
    int HitTest(CPoint point) const;
    // Bit i set: handle i (TrackerHit 0-7) is shown. Without a resize style there are none; side
    // handles disappear when the rectangle is too small to hold them apart from the corners.
    virtual UINT GetHandleMask() const;
    // The rectangle including outside handles and the border.
    void GetTrueRect(LPRECT rect) const;
    // The rectangle of handle `handle` (0-7).
    CRect handleRect(int handle) const;
    void Draw(CDC* dc) const;
    BOOL SetCursor(CWnd* window, UINT hitTest) const;

    // Moves (grabbed in the middle) or resizes (grabbed at a handle) following the scripted drag.
    // TRUE when the drag ended with a release and the rectangle changed.
    BOOL Track(CWnd* window, CPoint point, BOOL allowInvert = FALSE, CWnd* clipTo = nullptr);
    // A new rectangle from `point` to where the drag is released. TRUE when released with a rectangle
    // of at least 1 x 1 (a click without moving draws nothing).
    BOOL TrackRubberBand(CWnd* window, CPoint point, BOOL allowInvert = TRUE);

    // Called for each new position during tracking; may change the rectangle (snapping, limits).
    virtual void AdjustRect(int handle, LPRECT rect);
    // Called after each change of m_rect during tracking, with the rectangle before the change.
    virtual void OnChangedRect(const CRect& oldRect);

protected:
    BOOL trackHandle(int handle, CWnd* window, CPoint point, BOOL allowInvert, CWnd* clipTo);
};
