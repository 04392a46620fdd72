#include "macrodlg/CTabMacroVariables.h"

#include "platform/mxbase/UiTexts.h"

BOOL CTabMacroVariables::OnInitDialog() {
    CDialog::OnInitDialog();
    showList(grid_, IDC_VARIABLES, dialString(1543).c_str(), dialString(86).c_str(), settings_.variableNames,
             settings_.variableValues, true, false);
    return TRUE;
}

void CTabMacroVariables::store() {
    Mx_StringArray values;
    grid_.getColumnTexts(2, values);
    for (int i = 0; i < settings_.variableValues.length(); ++i)
        settings_.variableValues[i] = values.at(i);
}
