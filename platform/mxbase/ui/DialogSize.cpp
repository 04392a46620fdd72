#include "platform/mxbase/ui/DialogSize.h"

#include <algorithm>

#include "platform/mfc/CWnd.h"
#include "platform/mfc/DialogSizeStore.h"
#include "platform/mfc/Win32Api.h"

namespace {

bool isLive(CWnd* window)
{
    return window != nullptr && IsWindow(window->GetSafeHwnd());
}

}  // namespace

bool getDlgSize(CWnd* dialog, int& width, int& height)
{
    width = height = 0;
    if (!isLive(dialog))
        return false;
    CRect rect;
    dialog->GetWindowRect(&rect);
    width = rect.Width();
    height = rect.Height();
    return true;
}

bool getDlgSize(const Mx_String& name, int& width, int& height)
{
    const auto placement = ui::DialogSizeStore::read(name.str());
    if (!placement)
        return false;
    width = placement->width;
    height = placement->height;
    return true;
}

bool WriteDlgSize(CWnd* dialog, const Mx_String& name)
{
    if (!isLive(dialog) || dialog->IsIconic())
        return false;
    CRect rect;
    dialog->GetWindowRect(&rect);
    ui::DialogPlacement placement;
    placement.width = rect.Width();
    placement.height = rect.Height();
    placement.left = rect.left;
    placement.top = rect.top;
    return ui::DialogSizeStore::write(name.str(), placement);
}

bool ChangeDlgSize(CWnd* dialog, const Mx_String& name, bool restorePosition)
{
    if (!isLive(dialog))
        return false;
    const auto placement = ui::DialogSizeStore::read(name.str());
    if (!placement)
        return false;
    CRect rect;
    dialog->GetWindowRect(&rect);
    const int width = std::max(placement->width, rect.Width());
    const int height = std::max(placement->height, rect.Height());
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    int left = 0, top = 0;
    if (restorePosition && placement->left && placement->top) {
        left = *placement->left;
        top = *placement->top;
        // A child window's position is in its parent's client coordinates.
        if (CWnd* parent = dialog->GetParent(); parent && (dialog->GetStyle() & WS_CHILD)) {
            POINT origin{left, top};
            parent->ScreenToClient(&origin);
            left = origin.x;
            top = origin.y;
        }
    } else {
        flags |= SWP_NOMOVE;
    }
    dialog->SetWindowPos(nullptr, left, top, width, height, flags);
    return true;
}

bool readDlgRegBool(const Mx_String& dialogName, const Mx_String& valueName, bool defaultValue)
{
    bool on = defaultValue;
    if (!ui::DialogSizeStore::readSwitch(dialogName.str(), valueName.str(), on))
        return defaultValue;
    return on;
}

bool writeDlgRegBool(const Mx_String& dialogName, const Mx_String& valueName, bool value)
{
    return ui::DialogSizeStore::writeSwitch(dialogName.str(), valueName.str(), value);
}
