#pragma once
// CControlRect: the rectangle tracker over one created control window of a designed dialog. It owns the
// window: deleting the rectangle destroys it, and setting the rectangle moves it.
#include "platform/mfc/CWnd.h"
#include "platform/mfc/RectTracker.h"

class CControlRect : public CRectTracker {
public:
    CControlRect();
    ~CControlRect() override;
    CControlRect(const CControlRect&) = delete;
    CControlRect& operator=(const CControlRect&) = delete;

    CWnd window;
    bool selected = false;

    int resId() const;
    // Moves the window to the rectangle (client coordinates of its dialog), repainting it.
    void setRect(const CRect& rect);
    // All eight handles, whatever the size, so that even a small control can be resized at its sides.
    UINT GetHandleMask() const override { return 0xFF; }
};
