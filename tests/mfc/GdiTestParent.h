#pragma once
// Test helper for the periphery controls: a top-level window that records what its children tell it,
// WM_COMMAND as "command id:code" and WM_NOTIFY as "notify id:code item" (item for list views).
#include <gtest/gtest.h>

#include <string>
#include <utility>  // exchange
#include <vector>

#include "platform/mfc/Automation.h"
#include "platform/mfc/CWnd.h"
#include "platform/mfc/ListCtrl.h"
#include "platform/mfc/MessageLoop.h"

namespace test {

class Parent : public CWnd {
public:
    std::vector<std::wstring> seen;
    // Answer to TCN_SELCHANGING (TRUE keeps the current tab).
    LRESULT refuseTabChange = FALSE;

    Parent()
    {
        InitCommonControls();
        ui::resetMessageQueue();
        EXPECT_TRUE(CreateEx(0, L"Window", L"", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
    }
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        seen.push_back(L"command " + std::to_wstring(LOWORD(wParam)) + L":" + std::to_wstring(HIWORD(wParam)));
        return TRUE;
    }
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override
    {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        std::wstring line = L"notify " + std::to_wstring(header->idFrom) + L":" + std::to_wstring(int(header->code));
        if (header->code == NM_CLICK || header->code == NM_DBLCLK || header->code == LVN_ITEMCHANGED)
            line += L" " + std::to_wstring(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
        seen.push_back(line);
        if (result)
            *result = refuseTabChange;
        return TRUE;
    }
    std::vector<std::wstring> take() { return std::exchange(seen, {}); }
};

inline std::wstring notifyLine(int id, UINT code) { return L"notify " + std::to_wstring(id) + L":" + std::to_wstring(int(code)); }
inline std::wstring notifyLine(int id, UINT code, int item) { return notifyLine(id, code) + L" " + std::to_wstring(item); }

}  // namespace test
