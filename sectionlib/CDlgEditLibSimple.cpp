#include "sectionlib/CDlgEditLibSimple.h"

#include "module/ModuleResources.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/GdiObjects.h"  // DeleteObject
#include "platform/mfc/VlTempResourceOverride.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/UiTexts.h"
#include "platform/mxbase/ui/DialogControls.h"
#include "platform/mxbase/ui/DialogSize.h"
#include "sectionlib/SectionLibHooks.h"

namespace {

constexpr const wchar_t* kSizeKey = L"DLG_EDITLIBSIMPLE";

}  // namespace

CDlgEditLibSimple::CDlgEditLibSimple(const Mx_ProfValuesTable& table, const Mx_String& templateSysName,
                                     CWnd* parent)
    : CAcUiDialog(IDD, parent), table_(table), template_(table, templateSysName) {}

CDlgEditLibSimple::~CDlgEditLibSimple() {
    if (picture_)
        DeleteObject(picture_);
}

BOOL CDlgEditLibSimple::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    ChangeDlgSize(this, kSizeKey);
    SetWindowText(dialString(796).c_str());
    SetDlgItemText(IDC_NAME_LABEL, (dialString(797) + L":").c_str());
    SetDlgItemText(IDC_NAME_FRAME, dialString(797).c_str());
    SetDlgItemText(IDC_GENERATED, dialString(1377).c_str());
    SetDlgItemText(IDC_TYPED, dialString(1378).c_str());
    SetDlgItemText(IDOK, dialString(1).c_str());
    SetDlgItemText(IDCANCEL, dialString(2).c_str());

    picture_ = sectionlib::loadTablePicture(table_.image, true);
    if (picture_)
        SendDlgItemMessage(IDC_PICTURE, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_));

    for (int k = 1; k <= kMaxValues; ++k) {
        const bool shown = k <= template_.valueCount();
        ShowOrHideCtrl(this, valueField(k), shown);
        ShowOrHideCtrl(this, valueLabel(k), shown);
        if (!shown)
            continue;
        SetDlgItemText(valueLabel(k), (template_.valueNames()[k - 1] + L":").c_str());
        SetDlgItemText(valueField(k), template_.templateValues()[k - 1].c_str());
    }
    CheckRadioButton(IDC_GENERATED, IDC_TYPED, IDC_GENERATED);
    ready_ = true;
    showName();
    return TRUE;
}

bool CDlgEditLibSimple::generated() const {
    return IsDlgButtonChecked(IDC_GENERATED) == BST_CHECKED;
}

Mx_StringArray CDlgEditLibSimple::fieldValues() {
    Mx_StringArray values;
    for (int k = 1; k <= template_.valueCount() && k <= kMaxValues; ++k) {
        CString text;
        GetDlgItemText(valueField(k), text);
        values.append(Mx_String(static_cast<LPCTSTR>(text)));
    }
    return values;
}

void CDlgEditLibSimple::showName() {
    const Mx_String name = template_.generatedName(fieldValues());
    if (generated()) {
        // Shown as the size's display name in the current language; the system name is the bare name.
        SetDlgItemText(IDC_NAME, (template_.currentPrefix() + name + template_.currentSuffix()).c_str());
        EnDisCtrl(this, IDC_NAME, false);
    } else {
        EnDisCtrl(this, IDC_NAME, true);
    }
}

BOOL CDlgEditLibSimple::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (ready_ && code == EN_CHANGE && id >= valueField(1) && id <= valueField(kMaxValues) && generated()) {
        showName();
        return TRUE;
    }
    if (ready_ && code == BN_CLICKED && (id == IDC_GENERATED || id == IDC_TYPED)) {
        // A typed name starts from the system name the values give, not from the display name shown;
        // a second click on "own name" keeps what was typed.
        const CWnd* name = GetDlgItem(IDC_NAME);
        if (id == IDC_TYPED && name && !name->IsWindowEnabled())
            SetDlgItemText(IDC_NAME, template_.generatedName(fieldValues()).c_str());
        CAcUiDialog::OnCommand(wParam, lParam);
        showName();
        return TRUE;
    }
    return CAcUiDialog::OnCommand(wParam, lParam);
}

void CDlgEditLibSimple::refuse(const Mx_String& text) {
    MessageBox(text.c_str(), dialString(1098).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void CDlgEditLibSimple::OnOK() {
    const Mx_StringArray values = fieldValues();
    Mx_String name;
    if (generated()) {
        name = template_.generatedName(values);
    } else {
        CString typed;
        GetDlgItemText(IDC_NAME, typed);
        name = static_cast<LPCTSTR>(typed);
    }
    int row = -1;
    switch (template_.addTo(table_, name, values, row)) {
        case SectionSizeTemplate::AddResult::Added:
            newRow_ = row;
            CAcUiDialog::OnOK();
            return;
        case SectionSizeTemplate::AddResult::TubeThickness:
            refuse(dialString(1457) + L"\n" + dialString(1458) + L"\n\n" + dialString(888) + L".");
            return;
        case SectionSizeTemplate::AddResult::NameInUse:
            refuse(dialString(797) + L" <" + name + L">: " + dialString(1459) + L"\n\n" + dialString(888) +
                   L".");
            return;
        case SectionSizeTemplate::AddResult::BadName:
        case SectionSizeTemplate::AddResult::BadValue:
            refuse(dialString(888) + L".");
            return;
    }
}

void CDlgEditLibSimple::OnDestroy() {
    WriteDlgSize(this, kSizeKey);
    CAcUiDialog::OnDestroy();
}

bool StartDlgEditLibSimple(const Mx_String& name, Mx_ProfValuesTable& table, int& row) {
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    CDlgEditLibSimple dialog(table, name);
    if (dialog.DoModal() != IDOK)
        return false;
    table = dialog.table();
    row = table.getfilteredIdx(dialog.newRow());
    return true;
}
