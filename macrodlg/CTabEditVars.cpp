#include "macrodlg/CTabEditVars.h"

#include <string>

#include "macrodlg/CDlgEditMacro.h"
#include "macrodlg/CTabEditConstraints.h"
#include "platform/grid/window/GridMessages.h"
#include "platform/mxbase/EditConstrCalls.h"
#include "platform/mxbase/Mx_Macro.h"
#include "platform/mxbase/NumberFunctions.h"
#include "platform/mxbase/UiTexts.h"

BOOL CTabEditVars::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_NEW, dialString(171).c_str());
    SetDlgItemText(IDC_DELETE, dialString(172).c_str());
    equations_.SubclassDlgItem(IDC_EQUATIONS, this);

    variables_.createFromDlgItem(this, IDC_VARIABLES, false);
    variables_.initDefaults(0);
    variables_.setMaxCols(4, false);
    variables_.setMaxRows(0, false);
    variables_.setCellText(kNameCol, 0, dialString(221));
    variables_.setCellText(kValueCol, 0, dialString(880));
    variables_.setCellText(kVisibleCol, 0, Mx_String(L"Shown"));
    variables_.setCellText(kEditableCol, 0, Mx_String(L"Editable"));
    variables_.applyHeaderFonts();

    dimensions_.createFromDlgItem(this, IDC_DIMENSIONS, false);
    dimensions_.initDefaults(0);
    dimensions_.setMaxCols(2, false);
    dimensions_.setMaxRows(0, false);
    dimensions_.setCellText(1, 0, dialString(228));
    dimensions_.setCellText(2, 0, dialString(880));
    dimensions_.applyHeaderFonts();
    return TRUE;
}

void CTabEditVars::reload() {
    const Mx_Macro* macro = EditedMacro(data());
    const Mx_Module* module = nullptr;
    if (macro == nullptr || macro->findModule(moduleName(), module) != Acad::eOk)
        module = nullptr;

    const int count = module != nullptr ? module->variables().length() : 0;
    variables_.setMaxRows(count, false);
    if (count > 0) {
        variables_.setCheckBoxColumn(kVisibleCol, false, false);
        variables_.setCheckBoxColumn(kEditableCol, false, false);
    }
    for (int row = 1; row <= count; ++row) {
        const MacroVariable& v = module->variables()[row - 1];
        variables_.setCellText(kNameCol, row, v.name);
        variables_.setCellText(kValueCol, row, formatShortest(v.value));
        variables_.setCellText(kVisibleCol, row, Mx_String(v.visible ? L"1" : L"0"));
        variables_.setCellText(kEditableCol, row, Mx_String(v.editable ? L"1" : L"0"));
    }
    const int narrow[] = {0, kValueCol, kVisibleCol, kEditableCol};
    for (int col : narrow)
        variables_.autoSizeColumn(col, false);
    variables_.stretchColumn(kNameCol);

    int dimensions = 0;
    if (module != nullptr) {
        for (const MacroConstraint& c : module->constraints())
            dimensions += MacroConstraint::hasValue(c.kind) ? 1 : 0;
    }
    dimensions_.setMaxRows(dimensions, false);
    int row = 0;
    if (module != nullptr) {
        for (const MacroConstraint& c : module->constraints()) {
            if (!MacroConstraint::hasValue(c.kind))
                continue;
            ++row;
            dimensions_.setCellText(1, row, CTabEditConstraints::kindText(c.kind));
            dimensions_.setCellText(2, row, formatShortest(c.value));
            dimensions_.setStaticTextCell(1, row, 0);
            dimensions_.setStaticTextCell(2, row, 0);
        }
    }
    dimensions_.autoSizeColumn(0, false);
    dimensions_.autoSizeColumn(2, false);
    dimensions_.stretchColumn(1);

    shownEquations_ = module != nullptr ? module->equations() : Mx_StringArray();
    std::wstring text;
    for (const Mx_String& line : shownEquations_)
        text += (text.empty() ? L"" : L"\r\n") + line.str();
    equations_.SetWindowText(text.c_str());
    GetDlgItem(IDC_NEW)->EnableWindow(module != nullptr);
    GetDlgItem(IDC_DELETE)->EnableWindow(count > 0);
}

Mx_StringArray CTabEditVars::editedEquations() const {
    CString text;
    equations_.GetWindowText(text);
    Mx_StringArray lines;
    std::wstring line;
    const std::wstring all = static_cast<LPCTSTR>(text);
    for (std::size_t at = 0; at <= all.size(); ++at) {
        if (at < all.size() && all[at] != L'\r' && all[at] != L'\n') {
            line += all[at] == L'\t' ? L' ' : all[at];
            continue;
        }
        // Blank lines carry nothing; blanks around an equation neither.
        const std::size_t first = line.find_first_not_of(L' ');
        if (first != std::wstring::npos)
            lines.append(Mx_String(line.substr(first, line.find_last_not_of(L' ') - first + 1)));
        line.clear();
    }
    return lines;
}

void CTabEditVars::apply(int skipRow, bool addOne) {
    Mx_Array<MacroVariable> list;
    for (int row = 1; row <= variables_.getMaxRows(); ++row) {
        if (row == skipRow)
            continue;
        MacroVariable v;
        Mx_String value, visible, editable;
        variables_.getCellText(kNameCol, row, v.name);
        variables_.getCellText(kValueCol, row, value);
        variables_.getCellText(kVisibleCol, row, visible);
        variables_.getCellText(kEditableCol, row, editable);
        if (!parseNumber(value.str(), v.value)) {
            reload();  // not a number: the drawing's value is shown again
            return;
        }
        v.visible = visible.str() == L"1";
        v.editable = editable.str() == L"1";
        list.append(v);
    }
    if (addOne) {
        // A new variable gets the first free name of the series.
        MacroVariable v;
        for (int n = 1;; ++n) {
            v.name = Mx_String(L"Variable" + std::to_wstring(n));
            bool taken = false;
            for (const MacroVariable& each : list)
                taken = taken || each.name.equal(v.name, false);
            if (!taken)
                break;
        }
        list.append(v);
    }
    UpdateVarsEqs(data(), moduleName(), list, editedEquations());
    reload();
}

void CTabEditVars::leave() {
    if (GetSafeHwnd() != nullptr && editedEquations() != shownEquations_)
        apply();
}

BOOL CTabEditVars::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
            case IDC_NEW:
                apply(0, true);
                return TRUE;
            case IDC_DELETE: {
                int col = 0, row = 0;
                if (variables_.getActiveCell(col, row) && row >= 1 && row <= variables_.getMaxRows())
                    apply(row);
                return TRUE;
            }
            case IDC_APPLY:
                apply();
                return TRUE;
            default:
                break;
        }
    }
    return CEditMacroPage::OnCommand(wParam, lParam);
}

LRESULT CTabEditVars::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == SSM_DATACHANGE && static_cast<int>(wParam) == IDC_VARIABLES)
        apply();
    return CEditMacroPage::WindowProc(message, wParam, lParam);
}
