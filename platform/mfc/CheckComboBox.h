#pragma once
// The core's CCheckComboBox: a combo box whose items each carry a check box. Choosing an item (the
// selection) and checking it are separate: the selection works as in any combo box, and the check
// marks are set by code (SetCheck) or by the user ticking an item's box, which notifies the parent with
// WM_COMMAND(id, CBN_CHECKCHANGE) after the change (GetCheck tells the new state).
//
// The check marks follow their items when items are inserted or deleted, however that is done
// (members of this class or messages sent to the window).
#include <vector>

#include "platform/mfc/Automation.h"
#include "platform/mfc/CComboBox.h"

// The notification a user's tick sends; outside Win32's CBN_ range.
constexpr WORD CBN_CHECKCHANGE = 0x0100;

class CCheckComboBox : public CComboBox {
public:
    // FALSE for an index outside the list.
    BOOL SetCheck(int index, BOOL check);
    BOOL GetCheck(int index) const;
    void CheckAll(BOOL check);
    int checkedCount() const;
    // The texts of the checked items joined by the separator, in list order.
    CString checkedText(LPCTSTR separator = L", ") const;
    // A user's tick on an item's box (the automation API's verb uses this).
    BOOL toggleCheckAsUser(int index);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Its items are drawn by this class (a check box before each text in the list, the checked
    // texts joined in the field), so the window is owner-drawn, as the control requires.
    void PreSubclassWindow() override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void syncCount();
    std::vector<bool> m_checks;
};

namespace ui {
struct CheckComboVerbs {
    Automation& dlg;
    int id;
    void toggleCheck(int index);
    bool checked(int index) const;
};
}  // namespace ui
