#include "macrodlg/CMacroTabPage.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "macrodlg/CDlgMacro.h"
#include "macrodlg/ProfAdvDialogRunner.h"
#include "platform/arx/CommandLine.h"
#include "platform/mfc/CEdit.h"
#include "platform/mfc/CStatic.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroDrawing.h"

namespace {

// Row layout in pixels: a label column and a value column.
constexpr int kMargin = 8;
constexpr int kRowHeight = 26;
constexpr int kLabelWidth = 150;
constexpr int kValueLeft = kMargin + kLabelWidth + 6;
constexpr int kValueWidth = 130;
constexpr int kEditHeight = 21;

bool pageCallback(VlMACallBackType type, const VlMACallBackData& data, MacroProfData& prof) {
    auto* page = dynamic_cast<CMacroTabPage*>(CWnd::FromHandlePermanent(data.ownerWindow));
    if (page == nullptr)
        return false;
    return page->answerProfAdvanced(type, data.groupName, prof);
}

}  // namespace

CMacroTabPage::CMacroTabPage(int kind, int tabIndex, CDlgMacro* owner)
    : CDialog(kind == MacroTabData::kProfile ? IDD_PROFILE : IDD_GENERAL),
      m_kind(kind),
      m_tabIndex(tabIndex),
      m_owner(owner) {}

bool CMacroTabPage::isProfilePage() const {
    return m_kind == MacroTabData::kProfile;
}

MacroTabData* CMacroTabPage::tabData() const {
    return m_owner != nullptr ? m_owner->macroData().tabAt(m_tabIndex) : nullptr;
}

Mx_String CMacroTabPage::moduleName() const {
    const MacroTabData* tab = tabData();
    return tab != nullptr ? tab->moduleName : Mx_String();
}

bool CMacroTabPage::createPage(CWnd* parent) {
    return Create(isProfilePage() ? IDD_PROFILE : IDD_GENERAL, parent) != FALSE;
}

BOOL CMacroTabPage::OnInitDialog() {
    CDialog::OnInitDialog();
    buildRows();
    m_ready = true;
    return FALSE;
}

void CMacroTabPage::buildRows() {
    const MacroTabData* tab = tabData();
    m_extent = CSize(kValueLeft + kValueWidth + kMargin, kMargin);
    if (tab == nullptr)
        return;
    int top = kMargin;
    for (int i = 0; i < tab->cells().length(); ++i) {
        const MacroCell& cell = tab->cells()[i];
        auto* label = new CStatic;
        const Mx_String& text = cell.label.isEmpty() ? cell.name : cell.label;
        label->Create(text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT,
                      CRect(kMargin, top + 3, kMargin + kLabelWidth, top + 3 + 15), this, kFirstLabelId + i);
        label->SetFont(GetFont());
        m_controls.emplace_back(label);
        auto* edit = new CEdit;
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
        if (cell.readOnly)
            style |= ES_READONLY;
        edit->Create(style, CRect(kValueLeft, top, kValueLeft + kValueWidth, top + kEditHeight), this,
                     kFirstValueId + i);
        edit->SetFont(GetFont());
        edit->SetWindowText(cell.value.c_str());
        m_controls.emplace_back(edit);
        top += kRowHeight;
    }
    for (int g = 0; g < tab->profGroups().length(); ++g) {
        auto* line = new CStatic;
        line->Create(L"", WS_CHILD | WS_VISIBLE | SS_LEFT,
                     CRect(kMargin, top + 3, kValueLeft + kValueWidth, top + 3 + 15), this,
                     kFirstGroupId + g);
        line->SetFont(GetFont());
        m_controls.emplace_back(line);
        top += kRowHeight;
    }
    m_extent.cy = top + kMargin;
    refill();
}

void CMacroTabPage::refill() {
    const MacroTabData* tab = tabData();
    if (tab == nullptr || GetSafeHwnd() == nullptr)
        return;
    const bool wasReady = m_ready;
    m_ready = false;
    for (int i = 0; i < tab->cells().length(); ++i) {
        if (CWnd* edit = GetDlgItem(kFirstValueId + i))
            edit->SetWindowText(tab->cells()[i].value.c_str());
    }
    for (int g = 0; g < tab->profGroups().length(); ++g) {
        const MacroProfData& props = tab->profGroups()[g];
        const std::wstring text =
            props.group.str() + L": " + props.section.str() + L", " + props.material.str();
        if (CWnd* line = GetDlgItem(kFirstGroupId + g))
            line->SetWindowText(text.c_str());
    }
    m_ready = wasReady;
}

void CMacroTabPage::readControls() {
    MacroTabData* tab = tabData();
    if (tab == nullptr || GetSafeHwnd() == nullptr)
        return;
    for (int i = 0; i < tab->cells().length(); ++i) {
        MacroCell& cell = const_cast<MacroCell&>(tab->cells()[i]);
        CWnd* edit = GetDlgItem(kFirstValueId + i);
        if (edit == nullptr || cell.readOnly)
            continue;
        CString text;
        edit->GetWindowText(text);
        cell.value = Mx_String(static_cast<LPCTSTR>(text));
    }
}

bool CMacroTabPage::apply() {
    MacroTabData* tab = tabData();
    if (!m_ready || tab == nullptr)
        return false;
    m_ready = false;
    const MacroTabData before = *tab;
    readControls();
    Mx_StringArray names;
    AcArray<int> changed, removed;
    tab->differences(before, names, changed, removed);
    if (changed.isEmpty() && removed.isEmpty()) {
        m_ready = true;
        return false;
    }
    if (UpdateModule(tab->moduleName, m_owner->macroData(), changed, removed))
        m_owner->runClashCheck();
    else
        *tab = before;  // the drawing refused the values: the page shows again what the drawing holds
    m_owner->refreshAllPages();
    acedPostCommandPrompt();
    m_ready = true;
    return true;
}

void CMacroTabPage::rememberFocus() {
    if (m_owner != nullptr)
        m_owner->focusMemory().remember(moduleName(), this);
}

void CMacroTabPage::restoreFocus() {
    if (m_owner == nullptr || GetSafeHwnd() == nullptr)
        return;
    if (m_owner->focusMemory().restore(moduleName(), this))
        return;
    // The first time: the page's first control that takes input.
    for (int i = 0;; ++i) {
        CWnd* edit = GetDlgItem(kFirstValueId + i);
        if (edit == nullptr)
            break;
        if (edit->IsWindowEnabled()) {
            GotoDlgCtrl(edit);
            return;
        }
    }
}

void CMacroTabPage::openProfAdvanced(const Mx_String& group) {
    if (!isProfilePage() || tabData() == nullptr)
        return;
    acedPostCommand(L"CANCELCMD");
    VlMACallBackData data;
    data.groupName = group;
    data.ownerWindow = GetSafeHwnd();
    data.moduleName = moduleName();
    data.objectIds = m_owner->objectIds();
    ProfAdvRequest request;
    request.data = &data;
    request.callback = pageCallback;
    runProfAdvDialog(request);
    refill();
    const MacroData& macro = m_owner->macroData();
    if (macro.tempProfile && macro.objectIds.length() == 1)
        EraseObject(macro.objectIds[0]);
}

bool CMacroTabPage::answerProfAdvanced(int type, const Mx_String& group, MacroProfData& prof) {
    MacroTabData* tab = tabData();
    if (tab == nullptr)
        return false;
    switch (type) {
        case MACallBackGet:
            tab->getMergedPropsOfGroup(group, prof);
            return true;
        case MACallBackSet: {
            const MacroTabData before = *tab;
            tab->setMergedPropsOfGroup(group, prof);
            Mx_StringArray names;
            AcArray<int> changed, removed;
            tab->differences(before, names, changed, removed);
            if (!changed.isEmpty() && UpdateModule(tab->moduleName, m_owner->macroData(), changed, removed))
                m_owner->runClashCheck();
            m_owner->refreshAllPages();
            tab->getMergedPropsOfGroup(group, prof);
            return true;
        }
        case MACallBackHideOwner:
            m_owner->ShowWindow(SW_HIDE);
            return true;
        case MACallBackShowOwner:
            m_owner->ShowWindow(SW_SHOW);
            return true;
        default:
            return false;
    }
}

BOOL CMacroTabPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == EN_SETFOCUS && id >= kFirstValueId && id < kFirstLabelId) {
        rememberFocus();  // the tab control takes the focus before the page is left
        return TRUE;
    }
    if (HIWORD(wParam) == EN_KILLFOCUS && id >= kFirstValueId && id < kFirstLabelId) {
        apply();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CMacroTabPage::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
        m_owner->closeDialog();  // may delete the page: nothing after this
        return TRUE;
    }
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN && ::IsChild(GetSafeHwnd(), msg->hwnd)) {
        apply();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}
