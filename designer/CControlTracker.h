#pragma once
// CControlTracker: the designer's selection over the control rectangles of a dialog. A click selects
// (Ctrl toggles, Shift adds), a drag on empty ground draws a rubber band, a drag inside a selected
// control moves every selected control, a drag on a handle resizes that control. The selection keeps the
// order in which rectangles were selected; the alignment commands take their reference from it.
#include <vector>

#include "platform/mfc/RectTracker.h"

class CControlRect;
class CDC;
class CWnd;

class CControlTracker : public CRectTracker {
public:
    CControlTracker();

    void attachDialog(CWnd* dialog) { m_dialog = dialog; }
    CWnd* dialog() const { return m_dialog; }

    // The rectangles are the data object's; the tracker only refers to them.
    void addRect(CControlRect* rect);
    void removeRect(int resId);
    void select(CControlRect* rect);
    bool selectById(int resId, bool clearFirst);
    void toggle(CControlRect* rect);
    void clearSelection();
    void getSelectedIds(std::vector<int>& ids) const;
    // The id of the one selected rectangle; -1 unless exactly one is selected.
    int getSingleSelectedId() const;
    const std::vector<CControlRect*>& selection() const { return m_selected; }

    // flags: the mouse message's MK_SHIFT / MK_CONTROL.
    void onLButtonDown(CPoint point, UINT flags, bool allowRubberBand);
    // The frame and handles of every selected rectangle.
    void onPaint(CDC* dc);
    // Lets a selected rectangle under the cursor set its resize cursor; TRUE when one did.
    BOOL onSetCursor(UINT hitTest);

private:
    // Which rectangle a click at the point hits: a selected one by its handles or inside, any other only
    // inside (handles are shown on selected rectangles alone). Null when none.
    CControlRect* hit(CPoint point, int& where) const;
    void invalidate();

    CWnd* m_dialog = nullptr;
    std::vector<CControlRect*> m_all;
    std::vector<CControlRect*> m_selected;
};
