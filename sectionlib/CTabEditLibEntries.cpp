#include "sectionlib/CTabEditLibEntries.h"

#include "platform/mfc/CString.h"
#include "platform/mxbase/MacroLangs.h"
#include "platform/mxbase/UiTexts.h"
#include "platform/mxbase/ui/DialogControls.h"

namespace {

// The entry names shown in lists: those of the current language.
int currentLanguage() {
    int index = -1;
    return MacroLangs::GetAllLanguages().find(MacroLangs::GetCurLanguage(), index) ? index : 0;
}

}  // namespace

CTabEditLibEntries::CTabEditLibEntries(UINT templateId, DlgEditLibData& data)
    : CDialog(templateId, nullptr), data_(data), templateId_(templateId) {}

bool CTabEditLibEntries::createPage(CWnd* parent) {
    if (!Create(templateId_, parent))
        return false;
    // The page's id is its template's, so that the same control ids on two pages are told apart.
    SetDlgCtrlID(static_cast<int>(templateId_));
    return true;
}

BOOL CTabEditLibEntries::OnInitDialog() {
    CDialog::OnInitDialog();
    list_.SubclassDlgItem(IDC_LIST, this);
    SetDlgItemText(IDC_NEW, dialString(171).c_str());
    SetDlgItemText(IDC_DELETE, dialString(172).c_str());
    SetDlgItemText(IDC_UP, dialString(173).c_str());
    SetDlgItemText(IDC_DOWN, dialString(174).c_str());

    names_.createFromDlgItem(this, IDC_NAMES, false);
    names_.initDefaults(0);
    const Mx_StringArray languages = MacroLangs::GetAllLanguages();
    names_.setMaxCols(1, false);
    names_.setMaxRows(languages.length(), false);
    names_.setCellText(1, 0, dialString(221));
    for (int row = 1; row <= languages.length(); ++row)
        names_.setCellText(0, row, languages[row - 1]);
    names_.applyHeaderFonts();
    names_.autoSizeColumn(0, false);
    names_.stretchColumn(1);

    fillList();
    show(count() > 0 ? 0 : -1);
    return TRUE;
}

void CTabEditLibEntries::fillList() {
    list_.ResetContent();
    const int language = currentLanguage();
    for (int i = 0; i < count(); ++i) {
        list_.AddString(names(i).at(language).c_str());
        list_.SetCheck(i, enabled(i) ? TRUE : FALSE);
    }
    list_.SetCurSel(shown_);
}

void CTabEditLibEntries::store() {
    if (shown_ < 0 || shown_ >= count())
        return;
    enabled(shown_) = IsDlgButtonChecked(IDC_ENABLED) == BST_CHECKED;
    CString text;
    GetDlgItemText(IDC_PICTURE, text);
    picture(shown_) = Mx_String(static_cast<LPCTSTR>(text));
    Mx_StringArray texts;
    if (names_.getColumnTexts(1, texts)) {
        Mx_StringArray& entryNames = names(shown_);
        entryNames.setLogicalLength(std::max(entryNames.length(), texts.length()));
        for (int i = 0; i < texts.length(); ++i)
            entryNames[i] = texts[i];
    }
    storeMore(shown_);
    // The list shows the stored name and flag.
    const int keep = shown_;
    fillList();
    list_.SetCurSel(keep);
}

void CTabEditLibEntries::show(int index) {
    shown_ = index >= 0 && index < count() ? index : -1;
    list_.SetCurSel(shown_);
    const bool any = shown_ >= 0;
    CheckDlgButton(IDC_ENABLED, any && enabled(shown_) ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemText(IDC_PICTURE, any ? picture(shown_).c_str() : L"");
    for (int row = 1; row <= names_.getMaxRows(); ++row)
        names_.setCellText(1, row, any ? names(shown_).at(row - 1) : Mx_String());
    showMore(shown_);
    for (int id : {IDC_DELETE, IDC_UP, IDC_DOWN, IDC_ENABLED})
        EnDisCtrl(this, id, any);
    enableDetails(any && enabled(shown_));
}

void CTabEditLibEntries::enableDetails(bool enable) {
    EnDisCtrl(this, IDC_PICTURE, enable);
    names_.EnableWindow(enable ? TRUE : FALSE);
    enableMore(enable);
}

void CTabEditLibEntries::select(int index) {
    store();
    show(index);
}

BOOL CTabEditLibEntries::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == IDC_LIST && code == CBN_SELCHANGE) {
        const int chosen = list_.GetCurSel();
        list_.SetCurSel(shown_);  // the list is refilled by the store
        select(chosen);
        return TRUE;
    }
    if (id == IDC_LIST && code == CBN_CHECKCHANGE) {
        // The ticks win over the shown entry's check box, which store() would write back.
        std::vector<bool> ticks;
        for (int i = 0; i < count(); ++i)
            ticks.push_back(list_.GetCheck(i) != FALSE);
        if (shown_ >= 0)
            CheckDlgButton(IDC_ENABLED,
                           ticks[static_cast<std::size_t>(shown_)] ? BST_CHECKED : BST_UNCHECKED);
        store();
        for (int i = 0; i < count(); ++i)
            enabled(i) = ticks[static_cast<std::size_t>(i)];
        fillList();
        show(shown_);
        return TRUE;
    }
    if (code != BN_CLICKED)
        return CDialog::OnCommand(wParam, lParam);
    switch (id) {
        case IDC_NEW: {
            store();
            const int added = appendNew();
            fillList();
            show(added);
            return TRUE;
        }
        case IDC_DELETE: {
            if (shown_ < 0)
                return TRUE;
            const int at = shown_;
            remove(at);
            shown_ = -1;
            fillList();
            show(at < count() ? at : count() - 1);
            return TRUE;
        }
        case IDC_DOWN:
        case IDC_UP: {
            store();
            const int other = shown_ + (id == IDC_DOWN ? 1 : -1);
            if (shown_ < 0 || other < 0 || other >= count())
                return TRUE;
            swap(shown_, other);
            shown_ = other;
            fillList();
            show(other);
            return TRUE;
        }
        case IDC_ENABLED:
            store();
            show(shown_);
            return TRUE;
        default:
            return CDialog::OnCommand(wParam, lParam);
    }
}
