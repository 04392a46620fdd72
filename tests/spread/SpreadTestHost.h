#pragma once
// A modeless dialog that hosts an Mx_Spread over a placeholder, between two edits, and moves the focus
// out of the grid when the grid's Tab handler says so, as the system's dialogs do.
#include <memory>
#include <ostream>

#include "platform/mfc/CDialog.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/Win32Api.h"
#include "spread/Mx_Spread.h"
#include "spread/Mx_TabMsgHandle.h"

// Readable failures.
inline void PrintTo(const Mx_String& text, std::ostream* out) { *out << '"' << text.toUtf8() << '"'; }

namespace spreadtest {

constexpr int kDialogId = 500, kBefore = 101, kGrid = 100, kAfter = 102;

inline HINSTANCE hostResources() {
    static HINSTANCE module = ui::loadResourceModuleFromText("spread-test", R"(
DIALOG 500 0 0 300 200
  CAPTION "Grid host"
  STYLE WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE
  CONTROL Edit 101 "" 5 5 60 12 WS_TABSTOP
  CONTROL Static 100 "" 5 25 280 150 WS_TABSTOP
  CONTROL Edit 102 "" 5 180 60 12 WS_TABSTOP
END
)").module;
    return module;
}

class Host : public CDialog {
public:
    Host() : CDialog(kDialogId, nullptr) {
        AfxSetResourceHandle(hostResources());
        Create(kDialogId, nullptr);
        grid.createFromDlgItem(this, kGrid, false);
    }
    ~Host() override {
        grid.DestroyWindow();
        DestroyWindow();
    }

    Mx_Spread grid;
    int lastTabResult = -1;
    // What the grid's Tab handler said about the last key pressed, whichever key it was.
    bool lastKeyHandled = false;
    int lastKeyResult = -1;

    // A grid of rows x cols with the house style.
    void fill(int cols, int rows) {
        grid.initDefaults(0);
        grid.setMaxCols(cols, false);
        grid.setMaxRows(rows, false);
    }

    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN) {
            int result = -1;
            lastKeyHandled = grid.handleTabKey(static_cast<UINT>(msg->wParam), result);
            lastKeyResult = result;
            if (lastKeyHandled) {
                lastTabResult = result;
                if (result == kTabLeaveForward || result == kTabLeaveBackward) {
                    CWnd* next = GetNextDlgTabItem(&grid, result == kTabLeaveBackward);
                    if (next) next->SetFocus();
                    return TRUE;
                }
            }
        }
        return CDialog::PreTranslateMessage(msg);
    }
};

}  // namespace spreadtest
