#pragma once
// The macro editor's geometry page (template 8135): the selected module's geometry in a grid (name,
// type, offset, flexible). Selecting a row highlights the object in the drawing; a changed offset updates
// the constrained geometry, the check box its flexibility.
#include "macrodlg/CEditMacroPage.h"
#include "platform/mxbase/MacroConstraint.h"
#include "platform/mxbase/Mx_Array.h"
#include "spread/Mx_Spread.h"

class CTabGeometries : public CEditMacroPage {
public:
    enum : UINT { IDD = 8135 };
    enum : int { IDC_GRID = 1140, IDC_TITLE = 1082 };
    enum : int { kNameCol = 1, kTypeCol = 2, kOffsetCol = 3, kFlexibleCol = 4 };

    explicit CTabGeometries(CDlgEditMacro& editor) : CEditMacroPage(IDD, editor) {}

    void reload() override;
    void leave() override;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool handlesEscape() const override { return true; }
    bool escapeKeepsDefault() override;

private:
    void select(int index);
    void changed(int col, int row);

    Mx_Spread grid_;
    Mx_Array<MacroGeometry> list_;
    int selected_ = -1;
};
