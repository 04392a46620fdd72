#include "macrodlg/CTabMacroFilter.h"

namespace {

// Ticks the items of `combo` that `chosen` names.
void checkChosen(CCheckComboBox& combo, const Mx_StringArray& choices, const Mx_StringArray& chosen) {
    combo.ResetContent();
    for (int i = 0; i < choices.length(); ++i) {
        combo.AddString(choices[i].c_str());
        int found = -1;
        combo.SetCheck(i, chosen.find(choices[i], found, false) ? TRUE : FALSE);
    }
}

Mx_StringArray checkedOf(const CCheckComboBox& combo, const Mx_StringArray& choices) {
    Mx_StringArray chosen;
    for (int i = 0; i < choices.length(); ++i)
        if (combo.GetCheck(i))
            chosen.append(choices[i]);
    return chosen;
}

}  // namespace

BOOL CTabMacroFilter::OnInitDialog() {
    CDialog::OnInitDialog();
    showPicture(IDC_PICTURE_180, L"MacroFilterAngle180.bmp");
    showPicture(IDC_PICTURE_90, L"MacroFilterAngle90.bmp");
    showPicture(IDC_PICTURE_SECTION, L"MacroFilterSectionAngle.bmp");
    CheckDlgButton(IDC_ANGLE_180, settings_.filters.angle180 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_ANGLE_90, settings_.filters.angle90 ? BST_CHECKED : BST_UNCHECKED);
    angles_.SubclassDlgItem(IDC_SECTION_ANGLES, this);
    checkChosen(angles_, MacroFilters::sectionAngleChoices(), settings_.filters.sectionAngles);
    return TRUE;
}

void CTabMacroFilter::store() {
    settings_.filters.angle180 = IsDlgButtonChecked(IDC_ANGLE_180) == BST_CHECKED;
    settings_.filters.angle90 = IsDlgButtonChecked(IDC_ANGLE_90) == BST_CHECKED;
    settings_.filters.sectionAngles = checkedOf(angles_, MacroFilters::sectionAngleChoices());
}
