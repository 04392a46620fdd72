#include "spread/Mx_DlgLayout.h"

#include <cmath>  // lround
#include <utility>

#include "platform/mfc/CString.h"
#include "platform/mfc/CWnd.h"
#include "platform/mfc/Win32Api.h"

namespace {

// One direction of a child: its stored edges, the flags, the change of the dialog's extent and the
// scale factor. Returns the new edges.
std::pair<int, int> place(int start, int end, int flags, int growth, double scale) {
    const bool keepSize = flags & Mx_DlgLayout::kKeepSize;
    const bool keepStart = flags & Mx_DlgLayout::kKeepStart;
    const bool followEnd = flags & Mx_DlgLayout::kFollowEnd;
    int newStart;
    if (keepStart)
        newStart = start;
    else if (keepSize && followEnd)
        newStart = start + growth;
    else
        newStart = static_cast<int>(std::lround(start * scale));
    int newEnd;
    if (followEnd)
        newEnd = end + growth;
    else if (keepSize)
        newEnd = newStart + (end - start);
    else
        newEnd = static_cast<int>(std::lround(end * scale));
    return {newStart, newEnd};
}

}  // namespace

void Mx_DlgLayout::take(CWnd* dialog) { take(dialog ? dialog->GetSafeHwnd() : nullptr); }

void Mx_DlgLayout::take(HWND dialog) {
    if (!::IsWindow(dialog)) return;
    dialog_ = dialog;
    children_.clear();
    ::GetWindowRect(dialog, &windowRect_);
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        CWnd* wnd = CWnd::FromHandle(child);
        if (wnd && wnd->GetClassName() == CString(L"ToolbarWindow32")) continue;
        Child record;
        record.window = child;
        ::GetWindowRect(child, &record.rect);
        POINT topLeft{record.rect.left, record.rect.top}, bottomRight{record.rect.right, record.rect.bottom};
        ::ScreenToClient(dialog, &topLeft);
        ::ScreenToClient(dialog, &bottomRight);
        record.rect = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
        children_.push_back(record);
    }
}

bool Mx_DlgLayout::setFlags(CWnd* child, int horizontal, int vertical) {
    return setFlags(child ? child->GetSafeHwnd() : nullptr, horizontal, vertical);
}

bool Mx_DlgLayout::setFlags(HWND child, int horizontal, int vertical) {
    for (Child& c : children_)
        if (c.window == child && child) {
            c.horizontal = horizontal;
            c.vertical = vertical;
            return true;
        }
    return false;
}

void Mx_DlgLayout::apply() {
    if (!::IsWindow(dialog_)) return;
    RECT now{};
    ::GetWindowRect(dialog_, &now);
    const int oldWidth = windowRect_.right - windowRect_.left, oldHeight = windowRect_.bottom - windowRect_.top;
    const int newWidth = now.right - now.left, newHeight = now.bottom - now.top;
    // A dialog taken with no extent cannot scale; its children then only follow the edges.
    const double scaleX = oldWidth > 0 ? static_cast<double>(newWidth) / oldWidth : 1.0;
    const double scaleY = oldHeight > 0 ? static_cast<double>(newHeight) / oldHeight : 1.0;

    // Every position comes from the recorded rectangles and is worked out before any child moves; the
    // moves then go out as one batch and leave the z-order alone.
    struct Move {
        HWND window;
        RECT rect;
    };
    std::vector<Move> moves;
    moves.reserve(children_.size());
    for (const Child& c : children_) {
        if (!::IsWindow(c.window)) continue;
        auto [left, right] = place(c.rect.left, c.rect.right, c.horizontal, newWidth - oldWidth, scaleX);
        auto [top, bottom] = place(c.rect.top, c.rect.bottom, c.vertical, newHeight - oldHeight, scaleY);
        moves.push_back({c.window, {left, top, right, bottom}});
    }
    for (const Move& m : moves)
        ::SetWindowPos(m.window, nullptr, m.rect.left, m.rect.top, m.rect.right - m.rect.left,
                       m.rect.bottom - m.rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}
