// The list a drop-down combo box opens: a pop-up that shows the combo box's items, highlighting its
// selection. The combo box owns it, opens it on CB_SHOWDROPDOWN and destroys it when it closes.
#include "platform/mfc/ControlPainting.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/StandardClasses.h"

namespace ui {
namespace {

class DroppedListProcedure : public WindowProcedure {
public:
    LRESULT handle(Window& w, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_PAINT)
            return defaultWindowProc(w, message, wParam, lParam);
        CPaintDC dc(w.wnd);
        Window* combo = windowFromHandle(reinterpret_cast<HWND>(w.userData));
        if (!combo)
            return 0;
        ControlFont font(dc, *combo);
        paintComboList(*combo, dc, w.clientRect());
        return 0;
    }
};

}  // namespace

std::unique_ptr<WindowProcedure> makeDroppedListProcedure() {
    return std::make_unique<DroppedListProcedure>();
}

}  // namespace ui
