#include "dialogs/CDlgCis2Info.h"

#include <string>

#include "dialogs/RunOnCopy.h"
#include "dialogs/StartDialogs.h"
#include "platform/mxbase/SectionTranslation.h"
#include "platform/mxbase/UiTexts.h"
#include "platform/mxbase/ui/DialogControls.h"
#include "platform/mxbase/ui/SectionTranslationDlg.h"

namespace {

constexpr wchar_t kTranslationFile[] = L"CIS2ProfNames.dat";

}  // namespace

CDlgCis2Info::CDlgCis2Info(CWnd* parent) : CAcUiDialog(IDD, parent) {}

BOOL CDlgCis2Info::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    SetWindowText(dialString(1731).c_str());
    SetDlgItemText(IDC_INTRO, (dialString(1732) + L"\n" + dialString(1733)).c_str());
    SetDlgItemText(IDC_ANALYSIS, dialString(1734).c_str());
    SetDlgItemText(IDC_DESIGN, dialString(1735).c_str());
    SetDlgItemText(IDC_BOLTS, dialString(665).c_str());
    SetDlgItemText(IDC_WELDS, dialString(1736).c_str());
    SetDlgItemText(IDC_CUTS, dialString(1741).c_str());
    SetDlgItemText(IDC_LIBRARY_NAMES, dialString(1737).c_str());
    SetDlgItemText(IDC_CIS2_NAMES, dialString(1738).c_str());
    SetDlgItemText(IDC_TRANSLATION, dialString(1739).c_str());
    SetDlgItemText(IDOK, dialString(1).c_str());
    SetDlgItemText(IDCANCEL, dialString(2).c_str());

    CheckRadioButton(IDC_ANALYSIS, IDC_DESIGN, data.option0 ? IDC_ANALYSIS : IDC_DESIGN);
    CheckDlgButton(IDC_BOLTS, data.option1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_LIBRARY_NAMES, data.option2 ? BST_UNCHECKED : BST_CHECKED);
    CheckDlgButton(IDC_CIS2_NAMES, data.option2 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_WELDS, data.option3 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_CUTS, data.option4 ? BST_CHECKED : BST_UNCHECKED);
    enableDesignOptions();
    return TRUE;
}

void CDlgCis2Info::enableDesignOptions() {
    const bool design = IsDlgButtonChecked(IDC_DESIGN) == BST_CHECKED;
    for (int id : {IDC_BOLTS, IDC_WELDS, IDC_CUTS, IDC_LIBRARY_NAMES, IDC_CIS2_NAMES})
        EnDisCtrl(this, id, design);
}

void CDlgCis2Info::editTranslation() {
    Mx_StringArray names, translated;
    std::string error;
    // A table that cannot be read is not offered for editing: saving the empty table shown instead
    // would replace it.
    if (!readSectionTranslation(kTranslationFile, names, translated, &error)) {
        MessageBox(Mx_String(error).c_str(), dialString(670).c_str(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    writeSectionTranslation(dialString(670), dialString(1740), names, translated, kTranslationFile);
}

BOOL CDlgCis2Info::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED) {
        if (id == IDC_ANALYSIS || id == IDC_DESIGN) {
            CAcUiDialog::OnCommand(wParam, lParam);
            enableDesignOptions();
            return TRUE;
        }
        if (id == IDC_TRANSLATION) {
            editTranslation();
            return TRUE;
        }
    }
    return CAcUiDialog::OnCommand(wParam, lParam);
}

void CDlgCis2Info::OnOK() {
    data.option0 = IsDlgButtonChecked(IDC_ANALYSIS) == BST_CHECKED;
    data.option1 = IsDlgButtonChecked(IDC_BOLTS) == BST_CHECKED;
    data.option2 = IsDlgButtonChecked(IDC_LIBRARY_NAMES) != BST_CHECKED;
    data.option3 = IsDlgButtonChecked(IDC_WELDS) == BST_CHECKED;
    data.option4 = IsDlgButtonChecked(IDC_CUTS) == BST_CHECKED;
    CAcUiDialog::OnOK();
}

bool StartDlgCis2Info(VlDlgCis2Data& data) {
    return runOnCopy<CDlgCis2Info>(data);
}
