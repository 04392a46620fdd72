#include "sectionlib/CDlgEditLibSections.h"

#include "module/ModuleResources.h"
#include "platform/mfc/ListCtrl.h"  // InitCommonControls
#include "platform/mfc/TabCtrl.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "platform/mfc/WindowClass.h"
#include "platform/mxbase/UiTexts.h"
#include "platform/mxbase/ui/DialogSize.h"
#include "sectionlib/CTabEditLibGroups.h"
#include "sectionlib/CTabEditLibTypes.h"
#include "sectionlib/CTabEditLibValues.h"

namespace {

constexpr const wchar_t* kSizeKey = L"DLG_EDIT_SECTIONLIB";

}  // namespace

CDlgEditLibSections::CDlgEditLibSections(const DlgEditLibData& data, CWnd* parent)
    : CAcUiDialog(IDD, parent), data_(data) {}

CDlgEditLibSections::~CDlgEditLibSections() = default;

BOOL CDlgEditLibSections::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    ChangeDlgSize(this, kSizeKey);
    SetWindowText(dialString(1590).c_str());
    SetDlgItemText(IDOK, dialString(1).c_str());
    SetDlgItemText(IDCANCEL, dialString(2).c_str());

    auto* tabs = dynamic_cast<CTabCtrl*>(GetDlgItem(IDC_TABS));
    if (!tabs)
        return TRUE;
    tabs->InsertItem(0, dialString(1591).c_str());
    tabs->InsertItem(1, dialString(1592).c_str());
    tabs->InsertItem(2, dialString(1593).c_str());

    groups_ = std::make_unique<CTabEditLibGroups>(data_);
    types_ = std::make_unique<CTabEditLibTypes>(data_);
    values_ = std::make_unique<CTabEditLibValues>(data_);
    groups_->createPage(this);
    types_->createPage(this);
    values_->createPage(this);

    // Every page fills the tab's display area.
    CRect area;
    tabs->GetWindowRect(&area);
    ScreenToClient(&area);
    tabs->AdjustRect(FALSE, &area);
    // Last to first, so that the pages end in tab order (groups first) above the tab control, which is
    // drawn under them.
    for (CWnd* page : {static_cast<CWnd*>(values_.get()), static_cast<CWnd*>(types_.get()),
                       static_cast<CWnd*>(groups_.get())}) {
        page->MoveWindow(&area);
        page->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    const int first = !startTable_.isEmpty() && values_->showTableNamed(startTable_) ? 2 : 0;
    tabs->SetCurSel(first);
    showPage(first);
    return TRUE;
}

void CDlgEditLibSections::showPage(int index) {
    groups_->store();
    types_->store();
    if (index == 1)
        types_->refresh();
    if (index == 2)
        values_->refreshShapes();
    groups_->ShowWindow(index == 0 ? SW_SHOW : SW_HIDE);
    types_->ShowWindow(index == 1 ? SW_SHOW : SW_HIDE);
    values_->ShowWindow(index == 2 ? SW_SHOW : SW_HIDE);
}

BOOL CDlgEditLibSections::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == IDC_TABS && header->code == TCN_SELCHANGE && groups_) {
        auto* tabs = dynamic_cast<CTabCtrl*>(GetDlgItem(IDC_TABS));
        showPage(tabs ? tabs->GetCurSel() : 0);
        return TRUE;
    }
    return CAcUiDialog::OnNotify(wParam, lParam, result);
}

void CDlgEditLibSections::OnOK() {
    if (groups_) {
        groups_->store();
        types_->store();
        // Unsaved table changes are asked about; Cancel keeps the dialog open.
        if (!values_->leaveTable())
            return;
    }
    CAcUiDialog::OnOK();
}

void CDlgEditLibSections::OnDestroy() {
    WriteDlgSize(this, kSizeKey);
    CAcUiDialog::OnDestroy();
}

bool StartDlgEditLibSections(DlgEditLibData& data, const Mx_String& name) {
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    // The template's tab control is a common control.
    if (!ui::isWindowClassRegistered(WC_TABCONTROL))
        InitCommonControls();
    CDlgEditLibSections dialog(data);
    dialog.setStartTable(name);
    if (dialog.DoModal() != IDOK)
        return false;
    data = dialog.data();
    return true;
}
