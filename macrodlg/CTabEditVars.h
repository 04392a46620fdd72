#pragma once
// The macro editor's variables page (template 8099): the selected module's variables (name, value, shown
// in the macro dialog, editable there), the values of its dimension constraints, and its equations,
// one per line. A change in the variables grid, New (1131) and Delete (1132) are written at once; the
// equations when Apply is pressed or the page is left. Everything goes through UpdateVarsEqs.
#include "macrodlg/CEditMacroPage.h"
#include "platform/mfc/RichEditCtrl.h"
#include "platform/mxbase/Mx_StringArray.h"
#include "spread/Mx_Spread.h"

class CTabEditVars : public CEditMacroPage {
public:
    enum : UINT { IDD = 8099 };
    enum : int {
        IDC_VARIABLES_BOX = 1126,
        IDC_DIMENSIONS_BOX = 1127,
        IDC_EQUATIONS_BOX = 1128,
        IDC_EQUATIONS = 1129,
        IDC_VARIABLES = 1130,
        IDC_NEW = 1131,
        IDC_DELETE = 1132,
        IDC_DIMENSIONS = 1133,
        IDC_APPLY = 1134,
    };
    enum : int { kNameCol = 1, kValueCol = 2, kVisibleCol = 3, kEditableCol = 4 };

    explicit CTabEditVars(CDlgEditMacro& editor) : CEditMacroPage(IDD, editor) {}

    void reload() override;
    void leave() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Writes the grid's variables (without `skipRow`, from 1) and the equations; shows the result.
    void apply(int skipRow = 0, bool addOne = false);
    Mx_StringArray editedEquations() const;

    Mx_Spread variables_;
    Mx_Spread dimensions_;
    CRichEditCtrl equations_;
    Mx_StringArray shownEquations_;
};
