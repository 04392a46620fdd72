#pragma once
// The macro editor's constraints page (template 207): the selected module's constraints in a grid (kind,
// objects, value, state). Selecting one highlights it in the drawing; a changed value, a state button
// or the two check boxes update it; the delete button removes it; a click on a column header sorts the
// list, a right click offers moving, duplicating and deleting. Button 1334 opens the core's macro cut
// editor.
#include "macrodlg/CEditMacroPage.h"
#include "platform/mfc/ButtonST.h"
#include "platform/mxbase/MacroConstraint.h"
#include "platform/mxbase/Mx_Array.h"
#include "spread/Mx_Spread.h"

class CTabEditConstraints : public CEditMacroPage {
public:
    enum : UINT { IDD = 207 };
    enum : int {
        IDC_GRID = 1001,
        IDC_TITLE = 1081,
        IDC_VALUE_LABEL = 1122,
        IDC_NAME_LABEL = 1123,
        IDC_TYPE_LABEL = 1015,
        IDC_TYPE = 1016,
        IDC_OBJECTS = 1124,
        IDC_VALUE = 1125,
        IDC_USE_VARIABLE = 1283,
        IDC_SHOW_VALUE = 1284,
        IDC_CUTS = 1334,
        IDC_DELETE = 1087,
    };
    // The five state buttons, for states 0 to 4.
    static constexpr int kStateButtons[5] = {1083, 1077, 1084, 1085, 1086};
    // Grid columns.
    enum : int { kKindCol = 1, kObjectsCol = 2, kValueCol = 3, kStateCol = 4 };

    explicit CTabEditConstraints(CDlgEditMacro& editor) : CEditMacroPage(IDD, editor) {}

    void reload() override;
    void leave() override;
    // The selected constraint (from 0), -1 for none.
    int selected() const { return selected_; }

    // The kind's name as the page shows it.
    static Mx_String kindText(int kind);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool handlesEscape() const override { return true; }
    bool escapeKeepsDefault() override;

private:
    void select(int index);
    void showDetails();
    // Writes the edited copy of the selected constraint; the page shows the drawing's list again.
    void update(const MacroConstraint& edited);
    void valueEdited(int row);
    void deleteSelected();
    void contextMenu(int row);

    Mx_Spread grid_;
    CButtonST states_[5];
    CButtonST delete_;
    Mx_Array<MacroConstraint> list_;
    int selected_ = -1;
    bool cutsEscapeOnce_ = false;
};
