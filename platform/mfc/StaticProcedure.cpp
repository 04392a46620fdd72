// The "Static" class: labels, frames and pictures (icon or bitmap).
#include "platform/mfc/StandardClasses.h"

namespace ui {
namespace {

class StaticProcedure : public WindowProcedure {
public:
    LRESULT handle(Window& w, UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case STM_SETICON:
            return swap(m_icon, reinterpret_cast<HANDLE>(wParam));
        case STM_GETICON:
            return reinterpret_cast<LRESULT>(m_icon);
        case STM_SETIMAGE:
            return swap(wParam == IMAGE_ICON ? m_icon : m_bitmap, reinterpret_cast<HANDLE>(lParam));
        case STM_GETIMAGE:
            return reinterpret_cast<LRESULT>(wParam == IMAGE_ICON ? m_icon : m_bitmap);
        case WM_GETDLGCODE:
            return DLGC_STATIC;
        case WM_LBUTTONDOWN:
            if (w.style & SS_NOTIFY) notifyParent(w, STN_CLICKED);
            return 0;
        case WM_LBUTTONDBLCLK:
            if (w.style & SS_NOTIFY) notifyParent(w, STN_DBLCLK);
            return 0;
        default:
            return defaultWindowProc(w, message, wParam, lParam);
        }
    }

    std::wstring describe(const Window&) const override {
        if (m_bitmap) return L"bitmap";
        if (m_icon) return L"icon";
        return {};
    }

private:
    static LRESULT swap(HANDLE& slot, HANDLE value) {
        HANDLE old = slot;
        slot = value;
        return reinterpret_cast<LRESULT>(old);
    }

    HANDLE m_icon = nullptr;
    HANDLE m_bitmap = nullptr;
};

}  // namespace

std::unique_ptr<WindowProcedure> makeStaticProcedure() { return std::make_unique<StaticProcedure>(); }

}  // namespace ui
