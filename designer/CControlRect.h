#pragma once
// CControlRect: the rectangle tracker over one created control window of a designed dialog. It owns the
// window: deleting the rectangle destroys it, and setting the rectangle moves it. The window is created
// with its class's own object (a CComboBox for a combo box, ...), so typed access to it is sound.
#include "platform/mfc/CWnd.h"
#include "platform/mfc/RectTracker.h"

class CControlRect : public CRectTracker {
public:
    CControlRect();
    ~CControlRect() override;
    CControlRect(const CControlRect&) = delete;
    CControlRect& operator=(const CControlRect&) = delete;

    // Creates the control window as a child of `parent` over `rect` (the parent's client coordinates).
    bool create(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, const CRect& rect,
                CWnd* parent, int id);
    // The window's object; null once the window is gone.
    CWnd* window() const;
    int resId() const;
    // Moves the window to the rectangle (client coordinates of its dialog), repainting it.
    void setRect(const CRect& rect);
    // All eight handles, whatever the size, so that even a small control can be resized at its sides.
    UINT GetHandleMask() const override { return 0xFF; }

    bool selected = false;

private:
    HWND m_window = nullptr;
};
