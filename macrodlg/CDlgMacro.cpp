#include "macrodlg/CDlgMacro.h"

#include <algorithm>
#include <string>

#include "macrodlg/CMacroTabPage.h"
#include "macrodlg/MacroDlgEntryPoints.h"
#include "platform/arx/CommandLine.h"
#include "platform/mfc/CFileDialog.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/ClashCheck.h"
#include "platform/mxbase/MacroDrawing.h"
#include "platform/mxbase/UiTexts.h"
#include "platform/mxbase/ui/DialogControls.h"
#include "platform/mxbase/ui/DialogSize.h"

// From platform/mfc/ListCtrl.h, whose POSITION clashes with CFileDialog.h's.
void InitCommonControls();

namespace {

constexpr UINT kPlaceFocusMessage = WM_APP + 1;

constexpr COLORREF kPictureBackground = RGB(255, 0, 255);

// Extra room around the largest page: the tab items above it, the button rows below it, the frame.
constexpr int kPageExtraWidth = 47;
constexpr int kPageExtraHeight = 160;

constexpr const wchar_t* kPropertyFilter = L"Property files (*.json)|*.json|All files (*.*)|*.*||";

}  // namespace

CDlgMacro::CDlgMacro(CWnd* parent) : CAcUiDialog(IDD, parent) {
    // The tab control is a common control: its class must be known before the template is built.
    InitCommonControls();
}

CDlgMacro::~CDlgMacro() {
    destroyPages();
}

CMacroTabPage* CDlgMacro::page(int index) const {
    if (index < 0 || index >= numPages())
        return nullptr;
    return m_pages[static_cast<std::size_t>(index)];
}

CMacroTabPage* CDlgMacro::currentPage() const {
    if (m_tab.GetSafeHwnd() == nullptr)
        return nullptr;
    const int item = m_tab.GetCurSel();
    if (item < 0 || item >= static_cast<int>(m_itemTabs.size()))
        return nullptr;
    return page(m_itemTabs[static_cast<std::size_t>(item)]);
}

Mx_String CDlgMacro::sizeKey() const {
    std::wstring key = L"DLG_MACRO_EDITVARS_";
    if (m_macro.objectIds.length() <= 1) {
        if (!m_macro.macroNames.isEmpty())
            key += m_macro.macroNames[0].str();
    } else if (m_macro.currentGroup >= 0 && m_macro.currentGroup < m_macro.groupNames.length()) {
        key += L"GROUP_" + m_macro.groupNames[m_macro.currentGroup].str();
    } else {
        key += std::to_wstring(m_macro.objectIds.length()) + L"_MACROS";
    }
    return Mx_String(key);
}

// --- opening

BOOL CDlgMacro::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    m_tab.SubclassDlgItem(IDC_TAB, this);
    m_filter1.SubclassDlgItem(IDC_FILTER1, this);
    m_filter2.SubclassDlgItem(IDC_FILTER2, this);
    setUpButtons();

    getDlgSize(this, m_minWidth, m_minHeight);
    m_resizer.Init(this, {{IDC_TAB, CResizer::All},
                          {IDC_SELECT_OTHER, CResizer::BottomLeft},
                          {IDC_VIEW_FULL, CResizer::BottomLeft},
                          {IDC_VIEW_COMPACT, CResizer::BottomLeft},
                          {IDC_VIEW_NORMAL, CResizer::BottomLeft},
                          {IDC_VIEW_LARGE, CResizer::BottomLeft},
                          {IDC_LOAD_STANDARDS, CResizer::BottomLeft},
                          {IDC_CLASH, CResizer::BottomLeft},
                          {IDC_LOAD_PROPS, CResizer::BottomLeft},
                          {IDC_SAVE_PROPS, CResizer::BottomLeft},
                          {IDC_FILTER1_LABEL, CResizer::BottomLeft},
                          {IDC_FILTER1, CResizer::BottomLeft},
                          {IDC_FILTER2_LABEL, CResizer::BottomLeft},
                          {IDC_FILTER2, CResizer::BottomLeft},
                          {IDC_REAPPLY, CResizer::BottomRight},
                          {IDOK, CResizer::BottomRight}});

    buildPages();
    const MacroTabData* first = nullptr;
    if (!m_macro.firstTab.isEmpty() && m_macro.findTab(m_macro.firstTab, first) == Acad::eOk) {
        for (std::size_t item = 0; item < m_itemTabs.size(); ++item) {
            if (m_macro.tabAt(m_itemTabs[item]) == first) {
                m_tab.SetCurSel(static_cast<int>(item));
                showPage();
                openProfAdvancedAtOnce();
                break;
            }
        }
    }
    fillFilters();

    ChangeDlgSize(this, sizeKey());
    fitSize();

    clashInitDlgStarted(m_registryId);
    clashResetInfo(m_registryId, m_macro.objectIds);
    m_clash.SetCheck(clashGetStatus() ? BST_CHECKED : BST_UNCHECKED);
    clashcheck(m_registryId, m_macro.objectIds);
    return FALSE;  // the page has the focus
}

void CDlgMacro::setUpButtons() {
    SetDlgItemText(IDOK, dialString(285).c_str());
    SetDlgItemText(IDC_REAPPLY, dialString(982).c_str());
    SetDlgItemText(IDC_FILTER1_LABEL, (dialString(755).str() + L":").c_str());
    SetDlgItemText(IDC_FILTER2_LABEL, (dialString(981).str() + L":").c_str());
    struct ImageButton {
        CButtonST& button;
        int id;
        int bitmap;
        Mx_String tooltip;
    };
    const ImageButton buttons[] = {
        {m_selectOther, IDC_SELECT_OTHER, 217, dialString(973)},
        {m_viewFull, IDC_VIEW_FULL, 218, dialString(974)},
        {m_viewCompact, IDC_VIEW_COMPACT, 220, dialString(975)},
        {m_viewNormal, IDC_VIEW_NORMAL, 222, dialString(976)},
        {m_viewLarge, IDC_VIEW_LARGE, 221, dialString(977)},
        {m_loadStandards, IDC_LOAD_STANDARDS, 259, Mx_String(L"Load from standards")},
        {m_clash, IDC_CLASH, 237, dialString(980)},
        {m_loadProps, IDC_LOAD_PROPS, 232, dialString(978)},
        {m_saveProps, IDC_SAVE_PROPS, 233, dialString(979)},
    };
    for (const ImageButton& entry : buttons) {
        if (!entry.button.SubclassDlgItem(entry.id, this))
            continue;
        entry.button.SetBitmaps(entry.bitmap, kPictureBackground);
        entry.button.SetTooltipText(entry.tooltip.c_str());
    }
}

void CDlgMacro::openProfAdvancedAtOnce() {
    if (!m_macro.openProfAdvanced)
        return;
    CMacroTabPage* shown = currentPage();
    if (shown != nullptr && shown->isProfilePage())
        shown->openProfAdvanced(m_macro.openProfAdvancedGroup);
}

// --- pages

void CDlgMacro::destroyPages() {
    for (CMacroTabPage* existing : m_pages) {
        if (existing != nullptr)
            existing->stopApplying();
    }
    for (CMacroTabPage* existing : m_pages) {
        if (existing == nullptr)
            continue;
        if (existing->GetSafeHwnd() != nullptr)
            existing->DestroyWindow();
        delete existing;
    }
    m_pages.clear();
    m_pageKinds.clear();
    m_itemTabs.clear();
}

void CDlgMacro::buildPages() {
    const int kept = std::max(0, m_tab.GetCurSel());
    rememberCurrentFocus();
    destroyPages();
    m_tab.DeleteAllItems();
    m_currentPage = -1;
    for (int index = 0; index < m_macro.numTabs(); ++index) {
        const MacroTabData& tab = *m_macro.tabAt(index);
        const bool hasPage = tab.kind == MacroTabData::kGeneral || tab.kind == MacroTabData::kBolt ||
                             tab.kind == MacroTabData::kArray || tab.kind == MacroTabData::kProfile;
        m_pageKinds.push_back(tab.kind);
        if (!hasPage) {
            m_pages.push_back(nullptr);
            continue;
        }
        CMacroTabPage* created = CMacroTabPage::create(tab.kind, index, this);
        m_pages.push_back(created);
        const Mx_String& title = tab.title.isEmpty() ? tab.name : tab.title;
        m_tab.InsertItem(static_cast<int>(m_itemTabs.size()), title.c_str());
        m_itemTabs.push_back(index);
        created->createPage(&m_tab);
    }
    fitPages();
    if (!m_itemTabs.empty())
        m_tab.SetCurSel(std::min(kept, static_cast<int>(m_itemTabs.size()) - 1));
    showPage();
    const bool allowed = m_macro.propListAllowed();
    EnDisCtrl(this, IDC_LOAD_PROPS, allowed);
    EnDisCtrl(this, IDC_SAVE_PROPS, allowed);
}

void CDlgMacro::rememberCurrentFocus() {
    CMacroTabPage* leaving = m_currentPage >= 0 && m_currentPage < static_cast<int>(m_itemTabs.size())
                                 ? page(m_itemTabs[static_cast<std::size_t>(m_currentPage)])
                                 : nullptr;
    if (leaving != nullptr)
        leaving->rememberFocus();
}

void CDlgMacro::showPage() {
    rememberCurrentFocus();
    for (CMacroTabPage* each : m_pages) {
        if (each != nullptr && each->GetSafeHwnd() != nullptr)
            each->ShowWindow(SW_HIDE);
    }
    CMacroTabPage* shown = currentPage();
    m_currentPage = m_tab.GetSafeHwnd() != nullptr ? m_tab.GetCurSel() : -1;
    if (shown == nullptr)
        return;
    shown->ShowWindow(SW_SHOW);
    shown->restoreFocus();
    m_firstPageShown = true;
}

void CDlgMacro::fitPages() {
    if (m_tab.GetSafeHwnd() == nullptr)
        return;
    CRect client;
    m_tab.GetClientRect(&client);
    CRect item;
    int left = 2;
    int top = 22;
    if (m_tab.GetItemCount() > 0 && m_tab.GetItemRect(0, &item)) {
        left = item.left;
        top = item.bottom + 2;
    }
    const int width = std::max(0, client.Width() - left - 3);
    const int height = std::max(0, client.Height() - top - 2);
    for (CMacroTabPage* each : m_pages) {
        if (each != nullptr && each->GetSafeHwnd() != nullptr)
            each->MoveWindow(left, top, width, height);
    }
}

void CDlgMacro::OnGetMinMaxInfo(MINMAXINFO* info) {
    if (!m_sizeKnown) {
        info->ptMinTrackSize = POINT{kInitialMinWidth, kInitialMinHeight};
        return;
    }
    int width = 0;
    int height = 0;
    for (CMacroTabPage* each : m_pages) {
        if (each == nullptr)
            continue;
        width = std::max(width, static_cast<int>(each->extent().cx));
        height = std::max(height, static_cast<int>(each->extent().cy));
    }
    info->ptMinTrackSize = POINT{std::max(width + kPageExtraWidth, m_minWidth),
                                 std::max(height + kPageExtraHeight, m_minHeight)};
}

void CDlgMacro::fitSize() {
    MINMAXINFO limits{};
    OnGetMinMaxInfo(&limits);
    CRect window;
    GetWindowRect(&window);
    const int width = std::max(static_cast<int>(window.Width()), static_cast<int>(limits.ptMinTrackSize.x));
    const int height = std::max(static_cast<int>(window.Height()), static_cast<int>(limits.ptMinTrackSize.y));
    if (width != window.Width() || height != window.Height())
        SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
}

void CDlgMacro::OnShowWindow(BOOL show, UINT status) {
    CAcUiDialog::OnShowWindow(show, status);
    // A page cannot take the focus while the dialog is still hidden (during OnInitDialog): the shown
    // page gets it when the dialog first appears.
    if (show && !m_focusPlaced) {
        m_focusPlaced = true;
        PostMessage(kPlaceFocusMessage);  // once the dialog is visible
    }
}

void CDlgMacro::placeInitialFocus() {
    m_focusPlaced = true;
    if (CMacroTabPage* shown = currentPage())
        shown->restoreFocus();
}

void CDlgMacro::OnSize(UINT type, int cx, int cy) {
    CAcUiDialog::OnSize(type, cx, cy);
    m_resizer.Move();
    m_sizeKnown = true;
    fitPages();
}

void CDlgMacro::refreshAllPages() {
    rememberCurrentFocus();
    // An apply run because the focus left the page (to a button the user clicks) must not pull the
    // focus back: only a focus that was in the page is restored.
    CMacroTabPage* shown = currentPage();
    const HWND focus = ::GetFocus();
    const bool focusInPage = shown != nullptr && focus != nullptr && ::IsChild(shown->GetSafeHwnd(), focus);
    for (CMacroTabPage* each : m_pages) {
        if (each != nullptr)
            each->refill();
    }
    if (focusInPage)
        shown->restoreFocus();
    m_clash.SetCheck(clashGetStatus() ? BST_CHECKED : BST_UNCHECKED);
}

void CDlgMacro::runClashCheck() {
    clashcheck(m_registryId, m_macro.objectIds);
}

// --- filters

void CDlgMacro::fillFilters() {
    SetWindowText(m_macro.title.c_str());
    FillCombo(&m_filter1, m_macro.filter1, m_macro.filter1Index);
    FillCombo(&m_filter2, m_macro.filter2, m_macro.filter2Index);
}

void CDlgMacro::filterChanged(bool first) {
    m_macro.filter1Index = std::max(0, m_filter1.GetCurSel());
    m_macro.filter2Index = std::max(0, m_filter2.GetCurSel());
    UpdateAllFilterModified(m_macro, first);
    buildPages();
    fillFilters();
    fitSize();
}

// --- commands

BOOL CDlgMacro::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (code == CBN_SELCHANGE && (id == IDC_FILTER1 || id == IDC_FILTER2)) {
        filterChanged(id == IDC_FILTER1);
        return TRUE;
    }
    if (code != BN_CLICKED)
        return CAcUiDialog::OnCommand(wParam, lParam);
    switch (id) {
        case IDC_SELECT_OTHER:
            selectOtherMacros();
            return TRUE;
        case IDC_VIEW_FULL:
            changeView(3);
            return TRUE;
        case IDC_VIEW_COMPACT:
            changeView(0);
            return TRUE;
        case IDC_VIEW_NORMAL:
            changeView(1);
            return TRUE;
        case IDC_VIEW_LARGE:
            changeView(2);
            return TRUE;
        case IDC_LOAD_STANDARDS:
            loadFromStandards();
            return TRUE;
        case IDC_CLASH:
            clashSetStatus(m_clash.GetCheck() == BST_CHECKED);
            return TRUE;
        case IDC_REAPPLY:
            reApply();  // may close the dialog: nothing after this
            return TRUE;
        case IDC_LOAD_PROPS:
            loadProperties();
            return TRUE;
        case IDC_SAVE_PROPS:
            saveProperties();
            return TRUE;
        default:
            return CAcUiDialog::OnCommand(wParam, lParam);
    }
}

BOOL CDlgMacro::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header != nullptr && header->idFrom == static_cast<UINT_PTR>(IDC_TAB) &&
        header->code == TCN_SELCHANGE) {
        showPage();
        return TRUE;
    }
    return CAcUiDialog::OnNotify(wParam, lParam, result);
}

LRESULT CDlgMacro::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kKeepFocusMessage)
        return TRUE;
    if (message == kPlaceFocusMessage) {
        // Only the focus the dialog manager gave the first tab stop is moved: by now the user may have
        // put it elsewhere, or the caller may have given it back to the host.
        const HWND focus = ::GetFocus();
        if (focus == nullptr || focus == m_tab.GetSafeHwnd())
            placeInitialFocus();
        return 0;
    }
    return CAcUiDialog::WindowProc(message, wParam, lParam);
}

void CDlgMacro::changeView(int view) {
    acedPostCommand(L"CANCELCMD");
    CMacroTabPage* shown = currentPage();
    const MacroTabData* tab = shown != nullptr ? shown->tabData() : nullptr;
    if (tab != nullptr)
        m_macro.changeView(tab->moduleName, view);
}

void CDlgMacro::selectOtherMacros() {
    acedPostCommand(L"CANCELCMD");
    ShowWindow(SW_HIDE);
    const bool changed = m_macro.SelectOtherMacros();
    ShowWindow(SW_SHOW);
    if (!changed)
        return;
    buildPages();
    fillFilters();
    clashResetInfo(m_registryId, m_macro.objectIds);
    fitSize();
}

void CDlgMacro::loadFromStandards() {
    m_macro.loadFromStandards();
    buildPages();
    runClashCheck();
}

void CDlgMacro::reApply() {
    if (m_macro.reApply())
        closeDialog();
}

// --- property files

void CDlgMacro::commitAllPages() {
    for (CMacroTabPage* each : m_pages) {
        if (each == nullptr || each->tabData() == nullptr)
            continue;
        MacroTabData before = *each->tabData();
        each->readControls();
        Mx_StringArray names;
        AcArray<int> changed, removed;
        each->tabData()->differences(before, names, changed, removed);
        if (!changed.isEmpty() || !removed.isEmpty())
            UpdateModule(each->tabData()->moduleName, m_macro, changed, removed);
    }
}

void CDlgMacro::saveProperties() {
    if (!m_macro.propListAllowed())
        return;
    commitAllPages();
    runClashCheck();
    Mx_StringArray files, folders;
    m_macro.getPropFiles(files, folders);
    CFileDialog dialog(FALSE, L"json", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kPropertyFilter,
                       this);
    if (!folders.isEmpty())
        dialog.m_ofn.lpstrInitialDir = folders[0].c_str();
    if (dialog.DoModal() != IDOK)
        return;
    Mx_String error;
    if (m_macro.writeToFile(Mx_String(static_cast<LPCTSTR>(dialog.GetPathName())), &error) != Acad::eOk)
        MessageBox(error.c_str(), m_typeName.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void CDlgMacro::loadProperties() {
    if (!m_macro.propListAllowed())
        return;
    rememberCurrentFocus();
    Mx_StringArray files, folders;
    m_macro.getPropFiles(files, folders);
    CFileDialog dialog(TRUE, L"json", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kPropertyFilter, this);
    if (!folders.isEmpty())
        dialog.m_ofn.lpstrInitialDir = folders[0].c_str();
    if (dialog.DoModal() != IDOK)
        return;
    const MacroData before = m_macro;
    int count = 0;
    Mx_String error;
    // A file that cannot be read changes nothing; the user is told why rather than left guessing.
    if (m_macro.readFromFile(Mx_String(static_cast<LPCTSTR>(dialog.GetPathName())), count, &error) !=
        Acad::eOk) {
        MessageBox(error.c_str(), m_typeName.c_str(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    Mx_StringArray names;
    AcArray<int> changed, removed;
    m_macro.differences(before, names, changed, removed);
    if (count > 0) {
        const std::wstring text = dialString(1507).str() + L".\n" + dialString(1508).str() + L" " +
                                  std::to_wstring(count) + L" " + dialString(1509).str() + L".\n\n" +
                                  dialString(1510).str();
        MessageBox(text.c_str(), m_typeName.c_str(), MB_OK | MB_ICONINFORMATION);
    }
    changed.remove(MacroData::kNewTab);
    setAllToMacro(m_macro, changed, removed);
    refreshAllPages();
    runClashCheck();
}

// --- closing

void CDlgMacro::OnOK() {
    closeDialog();
}

void CDlgMacro::OnCancel() {
    closeDialog();
}

void CDlgMacro::closeDialog() {
    changeView(3);
    m_macro.closed = true;
    if (m_registryId < 0) {
        acedPostCommandPrompt();
        EndDialog(IDOK);
        return;
    }
    // Closing itself, the dialog is not deleted under its own handler but retired (deleted at the next
    // entry point), so it may still look at itself here.
    m_closingItself = true;
    EndDlgMacroModeless(m_registryId);
    if (GetSafeHwnd() != nullptr)
        m_closingItself = false;  // still open: the close was deferred, or it failed
}

void CDlgMacro::OnDestroy() {
    WriteDlgSize(this, sizeKey());
    clashDlgClosed(m_registryId);
    rememberCurrentFocus();
    destroyPages();
    CAcUiDialog::OnDestroy();
}
