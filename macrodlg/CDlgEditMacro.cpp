#include "macrodlg/CDlgEditMacro.h"

#include <algorithm>

#include "macrodlg/CTabEditConstraints.h"
#include "macrodlg/CTabEditVars.h"
#include "macrodlg/CTabGeometries.h"
#include "macrodlg/CTabMacroCommands.h"
#include "macrodlg/EditorSelectionTimer.h"
#include "macrodlg/MacroDlgEntryPoints.h"
#include "macrodlg/MacroEditorWindow.h"
#include "platform/arx/CommandLine.h"
#include "platform/mfc/RichEditCtrl.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/WindowClass.h"
#include "platform/mxbase/EditConstrCalls.h"
#include "platform/mxbase/UiTexts.h"
#include "platform/mxbase/ui/DialogSize.h"
#include "spread/Mx_DlgPromptString.h"

// From platform/mfc/ListCtrl.h, whose POSITION clashes with CFileDialog.h's.
void InitCommonControls();

namespace {

constexpr const wchar_t* kSizeKey = L"DLG_EDIT_MACRO";
constexpr COLORREF kPictureBackground = RGB(255, 0, 255);

}  // namespace

CDlgEditMacro::CDlgEditMacro(CWnd* parent) : CAcUiDialog(IDD, parent) {
    // The tab control and the equations' rich edit must be known before the templates are built.
    InitCommonControls();
    if (!ui::isWindowClassRegistered(RICHEDIT_CLASS))
        ui::registerRichEditClass();
}

CDlgEditMacro::~CDlgEditMacro() = default;

// --- opening

BOOL CDlgEditMacro::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    SetWindowText(dialString(869).c_str());
    SetDlgItemText(IDOK, dialString(285).c_str());
    tabs_.SubclassDlgItem(IDC_TABS, this);
    modules_.SubclassDlgItem(IDC_MODULES, this);
    setUpButtons();
    buildPages();
    resizer_.Init(this, {{IDC_TABS, CResizer::All},
                         {IDC_MODULES, CResizer::LeftRight},
                         {IDC_RENAME, CResizer::TopRight},
                         {IDC_SETTINGS, CResizer::TopRight},
                         {IDOK, CResizer::BottomRight}});
    ChangeDlgSize(this, kSizeKey);

    Mx_StringArray names;
    GetModuleNames(data_, names);
    fillModules(data_.moduleName.isEmpty() ? 0 : std::max(0, names.indexOf(data_.moduleName)));
    reloadPages();
    tabs_.SetCurSel(kConstraintsPage);
    showPage(kConstraintsPage);
    return TRUE;
}

void CDlgEditMacro::setUpButtons() {
    SetDlgItemText(IDC_SELECT_OTHER, dialString(870).c_str());
    SetDlgItemText(IDC_RENAME, dialString(871).c_str());
    SetDlgItemText(IDC_SETTINGS, dialString(872).c_str());
    struct ImageButton {
        CButtonST& button;
        int id;
        int bitmap;
        int tooltip;
    };
    const ImageButton buttons[] = {
        {selectOther_, IDC_SELECT_OTHER, 217, 865},
        {addModule_, IDC_ADD_MODULE, 212, 866},
        {removeModule_, IDC_REMOVE_MODULE, 206, 867},
        {zoom_, IDC_ZOOM, 234, 868},
    };
    for (const ImageButton& entry : buttons) {
        if (!entry.button.SubclassDlgItem(entry.id, this))
            continue;
        entry.button.SetBitmaps(entry.bitmap, kPictureBackground);
        entry.button.SetTooltipText(dialString(entry.tooltip).c_str());
    }
}

void CDlgEditMacro::buildPages() {
    pages_[kConstraintsPage] = std::make_unique<CTabEditConstraints>(*this);
    pages_[kGeometryPage] = std::make_unique<CTabGeometries>(*this);
    pages_[kVariablesPage] = std::make_unique<CTabEditVars>(*this);
    pages_[kCommandsPage] = std::make_unique<CTabMacroCommands>(*this);
    const int captions[] = {873, 874, 875, 876};
    for (int index = 0; index < 4; ++index) {
        tabs_.InsertItem(index, dialString(captions[index]).c_str());
        pages_[index]->createPage(this);
    }
    fitPages();
}

void CDlgEditMacro::fitPages() {
    if (tabs_.GetSafeHwnd() == nullptr || pages_[0] == nullptr)
        return;
    CRect area;
    tabs_.GetWindowRect(&area);
    ScreenToClient(&area);
    tabs_.AdjustRect(FALSE, &area);
    // Last to first, so that the pages end in tab order above the tab control, which is drawn under them.
    for (int index = 3; index >= 0; --index) {
        pages_[index]->MoveWindow(&area);
        pages_[index]->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
}

void CDlgEditMacro::OnSize(UINT type, int cx, int cy) {
    CAcUiDialog::OnSize(type, cx, cy);
    resizer_.Move();
    fitPages();
}

// --- pages and modules

void CDlgEditMacro::showPage(int index) {
    if (index != currentPage_ && pages_[currentPage_] != nullptr)
        pages_[currentPage_]->leave();
    currentPage_ = index;
    for (int each = 0; each < 4; ++each)
        pages_[each]->ShowWindow(each == index ? SW_SHOW : SW_HIDE);
}

void CDlgEditMacro::fillModules(int index) {
    Mx_StringArray names;
    GetModuleNames(data_, names);
    modules_.ResetContent();
    for (const Mx_String& name : names)
        modules_.AddString(name.c_str());
    if (index >= names.length())
        index = names.length() - 1;
    modules_.SetCurSel(index);
    data_.moduleName = index >= 0 ? names[index] : Mx_String();
}

void CDlgEditMacro::reloadPages() {
    for (auto& page : pages_)
        page->reload();
}

void CDlgEditMacro::refill() {
    Mx_StringArray names;
    GetModuleNames(data_, names);
    fillModules(std::max(0, names.indexOf(data_.moduleName, false)));
    reloadPages();
}

void CDlgEditMacro::moduleChosen() {
    // The page shown finishes with the module it showed before the module changes.
    pages_[currentPage_]->leave();
    fillModules(modules_.GetCurSel());
    reloadPages();
}

// --- commands

BOOL CDlgEditMacro::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id == IDC_MODULES && code == CBN_SELCHANGE) {
        moduleChosen();
        return TRUE;
    }
    if (code == BN_CLICKED) {
        switch (id) {
            case IDC_SELECT_OTHER:
                selectOtherMacro();
                return TRUE;
            case IDC_ADD_MODULE:
                runMacroCommand(kAddModuleCommand);
                return TRUE;
            case IDC_REMOVE_MODULE:
                removeModule();
                return TRUE;
            case IDC_RENAME:
                renameModule();
                return TRUE;
            case IDC_ZOOM:
                zoom();
                return TRUE;
            case IDC_SETTINGS:
                macroSettings();
                return TRUE;
            default:
                break;
        }
    }
    return CAcUiDialog::OnCommand(wParam, lParam);
}

BOOL CDlgEditMacro::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header != nullptr && header->idFrom == IDC_TABS && header->code == TCN_SELCHANGE && pages_[0]) {
        showPage(std::max(0, tabs_.GetCurSel()));
        return TRUE;
    }
    return CAcUiDialog::OnNotify(wParam, lParam, result);
}

void CDlgEditMacro::runMacroCommand(int code) {
    acedPostCommand(L"CANCELCMD");
    BeginEditorCommand();
    const bool done = StartMacroCommand(data_, code);
    CompleteEditorCommand();
    if (!done)
        return;  // the drawing is as it was, and so are the lists
    if (code <= 10) {
        tabs_.SetCurSel(kConstraintsPage);
        showPage(kConstraintsPage);
        refill();
    } else if (code == kAddModuleCommand) {
        fillModules(modules_.GetCount());  // past the end: the last module, the new one
        reloadPages();
    }
}

void CDlgEditMacro::selectOtherMacro() {
    acedPostCommand(L"CANCELCMD");
    BeginEditorCommand();
    const bool changed = SelectOtherMacro(data_);
    CompleteEditorCommand();
    if (!changed)
        return;
    fillModules(0);
    reloadPages();
}

void CDlgEditMacro::removeModule() {
    const int index = modules_.GetCurSel();
    if (index < 0)
        return;
    pages_[currentPage_]->leave();
    if (RemoveModule(data_, data_.moduleName) != Acad::eOk)
        return;
    // The same place in the list, or the module before it when the last one went.
    fillModules(index);
    reloadPages();
}

void CDlgEditMacro::renameModule() {
    if (modules_.GetCurSel() < 0)
        return;
    Mx_DlgPromptString prompt(this);
    prompt.setTitle(dialString(877));
    prompt.setPrompt(dialString(878));
    prompt.setValue(data_.moduleName);
    if (prompt.DoModal() != IDOK || !prompt.accepted())
        return;
    const Mx_String newName = prompt.value();
    const int index = modules_.GetCurSel();
    if (RenameModule(data_, data_.moduleName, newName) != Acad::eOk)
        return;  // refused: the combo keeps the old name
    fillModules(index);
    reloadPages();
}

void CDlgEditMacro::zoom() {
    // The host's zoom lets the user work in the drawing; a second press meanwhile must not start
    // another zoom inside the first.
    if (zoomBusy_)
        return;
    zoomBusy_ = true;
    acedPostCommand(L"CANCELCMD");
    BeginEditorCommand();
    ZoomCommand(data_);
    CompleteEditorCommand();
    zoomBusy_ = false;
}

void CDlgEditMacro::macroSettings() {
    // The settings dialog reads the settings, and writes them only when it ends with OK.
    if (runMacroSettings(data_, this) == IDOK)
        refill();
}

// --- closing

void CDlgEditMacro::OnOK() {
    close(IDOK);
}

void CDlgEditMacro::OnCancel() {
    close(IDCANCEL);
}

void CDlgEditMacro::close(int result) {
    if (!isModeless()) {
        EndDialog(result);
        return;
    }
    // The modeless editor is destroyed through the entry point; it is not deleted under its own
    // handler (see MacroEditorInstall.cpp), so it may still look at itself here.
    closingItself_ = true;
    EndDlgEditConstraints();
}

void CDlgEditMacro::OnDestroy() {
    for (auto& page : pages_) {
        if (page != nullptr)
            page->leave();
    }
    EditorSelectionTimer::stop();
    acedUpdateDisplay();
    WriteDlgSize(this, kSizeKey);
    CAcUiDialog::OnDestroy();
}
