#pragma once
// A modeless dialog holding one grid window (control 100, created from the dialog template as
// "fpUSpread70"), an edit (101) to take the focus elsewhere, and OK. It records what the grid tells
// it: private messages as "0x508 (2,3)" and WM_COMMAND codes as "cmd 59 (1,2)", with the cell from
// SSGetCellSendingMsg.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <utility>  // exchange
#include <vector>

#include "platform/grid/window/GridAutomation.h"
#include "platform/grid/window/GridMessages.h"
#include "platform/grid/window/SSFunctions.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/Clipboard.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/Window.h"

constexpr int IDC_GRID = 100;
constexpr int IDC_NAME = 101;

class GridTestDialog : public CDialog {
public:
    std::vector<std::string> seen;
    // Runs inside every grid message, before it is recorded (a test may act there).
    std::function<void(UINT message, const SS_NOTIFYINFO&)> onGridMessage;

    GridTestDialog() {
        ui::DialogTemplate t;
        t.caption = L"Grid test";
        t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
        t.cx = 300;
        t.cy = 200;
        t.controls.push_back({SS_CLASSNAME, IDC_GRID, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 5, 5, 250, 150});
        t.controls.push_back({L"Edit", IDC_NAME, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 5, 160, 100, 14});
        t.controls.push_back({L"Button", IDOK, L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 200, 175, 50, 14});
        EXPECT_TRUE(CreateIndirect(t));
    }
    HWND grid() const {
        CWnd* w = GetDlgItem(IDC_GRID);
        return w ? w->m_hWnd : nullptr;
    }
    std::vector<std::string> take() { return std::exchange(seen, {}); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message >= 0x500 && message < 0x600 && LOWORD(wParam) == IDC_GRID) {
            const auto& info = *reinterpret_cast<const SS_NOTIFYINFO*>(lParam);
            if (onGridMessage) onGridMessage(message, info);
            record(message, "0x%X");
            return 0;
        }
        if (message == WM_COMMAND && LOWORD(wParam) == IDC_GRID) {
            record(HIWORD(wParam), "cmd %u");
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

private:
    void record(unsigned what, const char* format) {
        char name[32];
        std::snprintf(name, sizeof name, format, what);
        SS_COORD col = 0, row = 0;
        if (::IsWindow(grid())) SSGetCellSendingMsg(grid(), &col, &row);
        seen.push_back(std::string(name) + " (" + std::to_string(col) + "," + std::to_string(row) + ")");
    }
};

// The dialog, a grid of `cols` x `rows` with headers shown, and the automation on it.
class GridWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::resetMessageQueue();
        ui::setProblemReporter([this](const std::wstring& p) { problems.push_back(p); });
        hwnd = dialog.grid();
        ASSERT_TRUE(SSSetMaxCols(hwnd, 4));
        ASSERT_TRUE(SSSetMaxRows(hwnd, 6));
        SSSetBool(hwnd, SSB_COLHEADERS, TRUE);
        SSSetBool(hwnd, SSB_ROWHEADERS, TRUE);
    }
    void TearDown() override {
        EXPECT_TRUE(problems.empty()) << (problems.empty() ? "" : std::string(problems[0].begin(), problems[0].end()));
        ui::setProblemReporter(nullptr);
        ui::setFocus(nullptr);
    }
    std::wstring value(SS_COORD col, SS_COORD row) {
        int len = SSGetValueLen(hwnd, col, row);
        if (len < 0) return L"<outside>";
        std::wstring text(static_cast<std::size_t>(len) + 1, L'\0');
        int got = SSGetValue(hwnd, col, row, text.data(), len + 1);
        text.resize(static_cast<std::size_t>(got));
        return text;
    }

    ui::ClipboardScope clipboard;
    GridTestDialog dialog;
    ui::Automation dlg{dialog};
    ui::GridAutomation user = dlg.control<ui::GridAutomation>(IDC_GRID);
    HWND hwnd = nullptr;
    std::vector<std::wstring> problems;
};
