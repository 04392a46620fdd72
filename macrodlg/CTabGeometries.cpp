#include "macrodlg/CTabGeometries.h"

#include "macrodlg/CDlgEditMacro.h"
#include "macrodlg/EditorSelectionTimer.h"
#include "platform/grid/window/GridMessages.h"
#include "platform/mxbase/EditConstrCalls.h"
#include "platform/mxbase/NumberFunctions.h"
#include "platform/mxbase/UiTexts.h"

BOOL CTabGeometries::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_TITLE, dialString(874).c_str());
    grid_.createFromDlgItem(this, IDC_GRID, false);
    grid_.initDefaults(0);
    grid_.setMaxCols(4, false);
    grid_.setMaxRows(0, false);
    grid_.setCellText(kNameCol, 0, dialString(221));
    grid_.setCellText(kTypeCol, 0, dialString(228));
    grid_.setCellText(kOffsetCol, 0, Mx_String(L"Offset"));
    grid_.setCellText(kFlexibleCol, 0, Mx_String(L"Flexible"));
    grid_.applyHeaderFonts();
    return TRUE;
}

void CTabGeometries::reload() {
    list_ = Mx_Array<MacroGeometry>();
    GetGeometries(data(), moduleName(), list_);
    grid_.setMaxRows(list_.length(), false);
    if (!list_.isEmpty())
        grid_.setCheckBoxColumn(kFlexibleCol, false, false);
    for (int row = 1; row <= list_.length(); ++row) {
        const MacroGeometry& g = list_[row - 1];
        grid_.setCellText(kNameCol, row, g.name);
        grid_.setCellText(kTypeCol, row, g.type);
        grid_.setCellText(kOffsetCol, row, formatShortest(g.offset));
        grid_.setCellText(kFlexibleCol, row, Mx_String(g.flexible ? L"1" : L"0"));
        grid_.setStaticTextCell(kNameCol, row, 0);
        grid_.setStaticTextCell(kTypeCol, row, 0);
    }
    const int narrow[] = {0, kTypeCol, kOffsetCol, kFlexibleCol};
    for (int col : narrow)
        grid_.autoSizeColumn(col, false);
    grid_.stretchColumn(kNameCol);
    if (selected_ >= list_.length())
        selected_ = list_.length() - 1;
}

void CTabGeometries::select(int index) {
    if (!list_.isValidIndex(index))
        return;
    selected_ = index;
    UnHighlightObject(data());
    HighlightObject(data(), moduleName(), index);
    EditorSelectionTimer::restart();
}

void CTabGeometries::leave() {
    UnHighlightObject(data());
}

bool CTabGeometries::escapeKeepsDefault() {
    return EditorSelectionTimer::recent();
}

void CTabGeometries::changed(int col, int row) {
    const MacroGeometry* stored = list_.at(row - 1);
    if (stored == nullptr)
        return;
    Mx_String text;
    grid_.getCellText(col, row, text);
    if (col == kOffsetCol) {
        double offset = 0.0;
        if (parseNumber(text.str(), offset) && offset != stored->offset)
            UpdateConstrGeom(data(), moduleName(), row - 1, offset);
    } else if (col == kFlexibleCol) {
        const bool flexible = text.str() == L"1";
        if (flexible != stored->flexible)
            UpdateGeomFlexibility(data(), moduleName(), row - 1, flexible);
    }
    reload();  // shows what the drawing holds, a refused text included
}

LRESULT CTabGeometries::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (static_cast<int>(wParam) == IDC_GRID && lParam != 0) {
        const auto* info = reinterpret_cast<const SS_NOTIFYINFO*>(lParam);
        switch (message) {
            case SSM_CLICK:
                if (info->Row >= 1)
                    select(info->Row - 1);
                break;
            case SSM_LEAVECELL:
                if (info->NewRow >= 1 && info->NewRow - 1 != selected_)
                    select(info->NewRow - 1);
                break;
            case SSM_DATACHANGE:
                changed(info->Col, info->Row);
                break;
            default:
                break;
        }
    }
    return CEditMacroPage::WindowProc(message, wParam, lParam);
}
