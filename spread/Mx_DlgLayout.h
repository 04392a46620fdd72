#pragma once
// Mx_DlgLayout: moves and stretches a dialog's child windows when the dialog is resized. take() records
// the dialog's window rectangle and every direct child's rectangle once, after the dialog is created;
// setFlags() says how a child follows the size; apply(), after each resize, places every child from its
// recorded rectangle, so repeated resizes never accumulate rounding.
//
// Flags, per direction (horizontal shown; vertical is the same with top, bottom and height):
//   kKeepStart (2)      the left edge stays;
//   kKeepSize (1)       the width stays (with kFollowEnd: the child moves with the right edge);
//   kFollowEnd (4)      the right edge moves by the change of width;
//   none                both edges scale with the width.
#include <vector>

#include "platform/mfc/Win32Types.h"

class CWnd;

class Mx_DlgLayout {
public:
    enum Flags : int { kKeepSize = 1, kKeepStart = 2, kFollowEnd = 4 };

    // Records the dialog and its direct children (toolbars excepted: they place themselves). A handle
    // that names no window records nothing. Taking again replaces the earlier record.
    void take(HWND dialog);
    void take(CWnd* dialog);
    // False, changing nothing, when the child was not recorded.
    bool setFlags(HWND child, int horizontal, int vertical);
    bool setFlags(CWnd* child, int horizontal, int vertical);
    // Places every recorded child for the dialog's current size.
    void apply();

    HWND dialog() const { return dialog_; }
    int childCount() const { return static_cast<int>(children_.size()); }

private:
    struct Child {
        HWND window = nullptr;
        RECT rect{};  // in the dialog's client coordinates, when taken
        int horizontal = 0;
        int vertical = 0;
    };

    HWND dialog_ = nullptr;
    RECT windowRect_{};
    std::vector<Child> children_;
};
