#include "platform/mfc/MouseInput.h"

#include <cwctype>
#include <string_view>

#include "platform/mfc/Window.h"

namespace ui {
namespace {

bool sameClass(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i]))
            return false;
    return true;
}

bool isTransparentToMouse(const Window& window) {
    if (sameClass(window.className, L"Static"))
        return (window.style & SS_NOTIFY) == 0;
    if (sameClass(window.className, L"Button"))
        return (window.style & BS_TYPEMASK) == BS_GROUPBOX;
    return false;
}

bool contains(const RECT& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

}  // namespace

MouseTarget mouseTargetAt(HWND root, POINT clientPoint) {
    Window* window = windowFromHandle(root);
    if (!window)
        return {};
    const POINT origin = window->clientOrigin();
    const POINT screen{clientPoint.x + origin.x, clientPoint.y + origin.y};
    // Descend while some child takes the point; the first in z-order is the one on top.
    for (bool descended = true; descended;) {
        descended = false;
        const POINT inParent{screen.x - window->clientOrigin().x, screen.y - window->clientOrigin().y};
        for (Window* child : window->children) {
            if (!child->isVisible() || !contains(child->rect, inParent) || isTransparentToMouse(*child))
                continue;
            if (!child->isEnabled())
                break;  // the parent takes what a disabled child would
            window = child;
            descended = true;
            break;
        }
    }
    const POINT windowOrigin = window->clientOrigin();
    return {window->handle, {screen.x - windowOrigin.x, screen.y - windowOrigin.y}};
}

}  // namespace ui
