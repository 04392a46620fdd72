#include "macrodlg/CDlgMacroSettings.h"

#include "macrodlg/CTabMacroFilter.h"
#include "macrodlg/CTabMacroFilter2.h"
#include "macrodlg/CTabMacroFilterProps.h"
#include "macrodlg/CTabMacroGroups.h"
#include "macrodlg/CTabMacroVariables.h"
#include "macrodlg/MacroEditorWindow.h"
#include "module/ModuleResources.h"
#include "platform/mfc/ListCtrl.h"  // InitCommonControls
#include "platform/mfc/TabCtrl.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "platform/mfc/WindowClass.h"
#include "platform/mxbase/EditConstrData.h"
#include "platform/mxbase/MacroDrawing.h"
#include "platform/mxbase/UiTexts.h"
#include "platform/mxbase/ui/DialogSize.h"
#include "standards/CTabMacroMapping.h"

namespace {

constexpr const wchar_t* kSizeKey = L"DLG_MACRO_SETTINGS";
constexpr int kCaptions[CDlgMacroSettings::kPages] = {917, 918, 919, 875, 755, 1728};

}  // namespace

CDlgMacroSettings::CDlgMacroSettings(const MacroSettings& settings, Mx_DbMacro* macro, CWnd* parent)
    : CAcUiDialog(IDD, parent), settings_(settings) {
    mapping_.initialize(macro, settings.standards);
}

CDlgMacroSettings::~CDlgMacroSettings() = default;

BOOL CDlgMacroSettings::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    ChangeDlgSize(this, kSizeKey);
    SetWindowText(dialString(916).c_str());
    SetDlgItemText(IDOK, dialString(1).c_str());
    SetDlgItemText(IDCANCEL, dialString(2).c_str());
    auto* tabs = dynamic_cast<CTabCtrl*>(GetDlgItem(IDC_TABS));
    if (!tabs)
        return TRUE;
    for (int i = 0; i < kPages; ++i)
        tabs->InsertItem(i, dialString(kCaptions[i]).c_str());

    pages_[0] = std::make_unique<CTabMacroFilter>(settings_);
    pages_[1] = std::make_unique<CTabMacroFilter2>(settings_);
    pages_[2] = std::make_unique<CTabMacroFilterProps>(settings_);
    pages_[3] = std::make_unique<CTabMacroVariables>(settings_);
    pages_[4] = std::make_unique<CTabMacroGroups>(settings_);
    for (auto& page : pages_)
        page->createPage(this);
    mappingPage_ = std::make_unique<CTabMacroMapping>(mapping_.macro != nullptr ? &mapping_ : nullptr);
    mappingPage_->createPage(this);

    // Every page fills the tab's display area; last to first, so that they end in tab order above the
    // tab control, which is drawn under them.
    CRect area;
    tabs->GetWindowRect(&area);
    ScreenToClient(&area);
    tabs->AdjustRect(FALSE, &area);
    mappingPage_->MoveWindow(&area);
    mappingPage_->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    for (int i = kPages - 2; i >= 0; --i) {
        pages_[i]->MoveWindow(&area);
        pages_[i]->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    const int first = startPage_ >= 0 && startPage_ < kPages ? startPage_ : 0;
    tabs->SetCurSel(first);
    showPage(first);
    return TRUE;
}

void CDlgMacroSettings::showPage(int index) {
    for (int i = 0; i < kPages - 1; ++i)
        pages_[i]->ShowWindow(index == i ? SW_SHOW : SW_HIDE);
    mappingPage_->ShowWindow(index == kPages - 1 ? SW_SHOW : SW_HIDE);
}

BOOL CDlgMacroSettings::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == IDC_TABS && header->code == TCN_SELCHANGE && mappingPage_) {
        auto* tabs = dynamic_cast<CTabCtrl*>(GetDlgItem(IDC_TABS));
        showPage(tabs ? tabs->GetCurSel() : 0);
        return TRUE;
    }
    return CAcUiDialog::OnNotify(wParam, lParam, result);
}

void CDlgMacroSettings::OnOK() {
    if (mappingPage_) {
        for (auto& page : pages_)
            page->store();
        if (mapping_.macro != nullptr) {
            bool modified = false;
            if (mappingPage_->apply(modified) != Acad::eOk) {
                // The settings would name mapping keys that no file holds: nothing is taken, the
                // dialog stays open (Cancel leaves the macro as it was).
                const Mx_String& file = mappingPage_->writeProblem();
                const Mx_String text =
                    file.isEmpty() ? Mx_String(L"The links of the standards sheet could not be stored.")
                                   : Mx_String(L"The links could not be written to ") + file + L".";
                CString caption;
                GetWindowText(caption);
                MessageBox(text.c_str(), caption, MB_OK | MB_ICONEXCLAMATION);
                return;
            }
            mappingModified_ = modified;
            settings_.standards = mapping_.standards();
        }
    }
    CAcUiDialog::OnOK();
}

void CDlgMacroSettings::OnDestroy() {
    WriteDlgSize(this, kSizeKey);
    CAcUiDialog::OnDestroy();
}

INT_PTR StartMacroSettings(EditConstrData& data, CWnd* owner) {
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    if (!ui::isWindowClassRegistered(WC_TABCONTROL))
        InitCommonControls();
    MacroSettings settings;
    if (GetMacroSettings(data, settings) != Acad::eOk)
        return IDCANCEL;
    Mx_DbMacro* macro = MacroDrawing::active().object(data.objectIds[0]);
    CDlgMacroSettings dialog(settings, macro, owner);
    if (dialog.DoModal() != IDOK)
        return IDCANCEL;
    return SetMacroSettings(data, dialog.settings()) == Acad::eOk ? IDOK : IDCANCEL;
}

void installMacroSettingsDialog() {
    setMacroSettingsRunner(StartMacroSettings);
}
