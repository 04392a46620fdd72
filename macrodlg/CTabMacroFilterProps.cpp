#include "macrodlg/CTabMacroFilterProps.h"

#include "platform/mxbase/UiTexts.h"

BOOL CTabMacroFilterProps::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_ADD, dialString(606).c_str());
    SetDlgItemText(IDC_REMOVE, dialString(607).c_str());
    showList(grid_, IDC_PROPERTIES, L"Property", L"Value", settings_.filters.propertyNames,
             settings_.filters.propertyValues, false, false);
    return TRUE;
}

void CTabMacroFilterProps::store() {
    Mx_StringArray names, values;
    grid_.getColumnTexts(1, names);
    grid_.getColumnTexts(2, values);
    MacroFilters& f = settings_.filters;
    f.propertyNames.removeAll();
    f.propertyValues.removeAll();
    for (int i = 0; i < names.length(); ++i) {
        if (names[i].isEmpty())
            continue;
        f.propertyNames.append(names[i]);
        f.propertyValues.append(values.at(i));
    }
}

BOOL CTabMacroFilterProps::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_ADD) {
        const int row = grid_.appendRow(false);
        if (row > 0)
            grid_.selectBlock(1, row, 1, row);
        return TRUE;
    }
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_REMOVE) {
        grid_.deleteSelectedRow();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}
