#include "macrodlg/CTabMacroFilter2.h"

BOOL CTabMacroFilter2::OnInitDialog() {
    CDialog::OnInitDialog();
    showPicture(IDC_PICTURE_DISTANCE, L"MacroFilterPathDistance.bmp");
    showPicture(IDC_PICTURE_SIZE, L"MacroFilterSectionSize.bmp");
    const MacroFilters& f = settings_.filters;
    setNumber(IDC_DISTANCE_MIN, f.pathDistanceMin);
    setNumber(IDC_DISTANCE_MAX, f.pathDistanceMax);
    setNumber(IDC_SIZE_MIN, f.sectionSizeMin);
    setNumber(IDC_SIZE_MAX, f.sectionSizeMax);
    kinds_.SubclassDlgItem(IDC_SECTION_KINDS, this);
    const Mx_StringArray choices = MacroFilters::sectionKindChoices();
    for (int i = 0; i < choices.length(); ++i) {
        kinds_.AddString(choices[i].c_str());
        int found = -1;
        kinds_.SetCheck(i, f.sectionKinds.find(choices[i], found, false) ? TRUE : FALSE);
    }
    return TRUE;
}

void CTabMacroFilter2::store() {
    MacroFilters& f = settings_.filters;
    // A text that is no number keeps the value the page opened with.
    f.pathDistanceMin = numberOf(IDC_DISTANCE_MIN, f.pathDistanceMin);
    f.pathDistanceMax = numberOf(IDC_DISTANCE_MAX, f.pathDistanceMax);
    f.sectionSizeMin = numberOf(IDC_SIZE_MIN, f.sectionSizeMin);
    f.sectionSizeMax = numberOf(IDC_SIZE_MAX, f.sectionSizeMax);
    const Mx_StringArray choices = MacroFilters::sectionKindChoices();
    f.sectionKinds.removeAll();
    for (int i = 0; i < choices.length(); ++i)
        if (kinds_.GetCheck(i))
            f.sectionKinds.append(choices[i]);
}
