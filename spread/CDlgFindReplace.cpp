#include "spread/CDlgFindReplace.h"

#include <algorithm>  // clamp

#include "module/ModuleResources.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/UiTexts.h"
#include "platform/mxbase/ui/DialogSize.h"

namespace {
constexpr short kSwitchEditMode = 13;
constexpr short kSwitchArrowsLeaveEdit = 20;
const wchar_t* const kSizeName = L"DLG_FINDREPLACE";
}  // namespace

CDlgFindReplace::CDlgFindReplace(Mx_Spread& grid) : CAcUiDialog(IDD, &grid), grid_(grid) {}

CDlgFindReplace::~CDlgFindReplace() {
    if (GetSafeHwnd())
        close();
}

std::unique_ptr<Mx_Spread::FindReplace> CDlgFindReplace::create(Mx_Spread& grid, bool /*replace*/) {
    auto dialog = std::make_unique<CDlgFindReplace>(grid);
    if (!dialog->open())
        return nullptr;
    return dialog;
}

bool CDlgFindReplace::open() {
    if (GetSafeHwnd())
        return true;
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    if (!Create(IDD, &grid_))
        return false;
    ShowWindow(SW_SHOW);
    return true;
}

BOOL CDlgFindReplace::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    SetWindowText(dialString(1136).c_str());
    SetDlgItemText(IDC_FIND_LABEL, dialString(1137).c_str());
    SetDlgItemText(IDC_REPLACE_LABEL, dialString(1138).c_str());
    SetDlgItemText(IDOK, dialString(1139).c_str());
    SetDlgItemText(IDC_REPLACE_ONE, dialString(1140).c_str());
    SetDlgItemText(IDC_REPLACE_ALL, dialString(1141).c_str());
    SetDlgItemText(IDCANCEL, dialString(285).c_str());
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    gridWindow_ = grid_.GetSafeHwnd();
    switch13WasOn_ = grid_.GetBool(kSwitchEditMode) != FALSE;
    grid_.SetBool(kSwitchEditMode, TRUE);
    grid_.SetBool(kSwitchArrowsLeaveEdit, FALSE);
    ChangeDlgSize(this, kSizeName);
    return TRUE;
}

Mx_String CDlgFindReplace::dialogText(int id) const {
    CString text;
    GetDlgItemText(id, text);
    return Mx_String(static_cast<LPCTSTR>(text));
}

BOOL CDlgFindReplace::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
            case IDC_REPLACE_ONE:
                onReplace(false);
                return TRUE;
            case IDC_REPLACE_ALL:
                onReplaceAll();
                return TRUE;
            default:
                break;
        }
    }
    return CAcUiDialog::OnCommand(wParam, lParam);
}

BOOL CDlgFindReplace::PreTranslateMessage(MSG* msg) {
    if (msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_F3 || msg->wParam == VK_F5)) {
        if (msg->wParam == VK_F3)
            onFindNext(true);
        else
            onReplace(true);
        return TRUE;
    }
    return CAcUiDialog::PreTranslateMessage(msg);
}

// "Find next" is the dialog's default button.
void CDlgFindReplace::OnOK() {
    onFindNext(false);
}

void CDlgFindReplace::OnCancel() {
    close();
}

void CDlgFindReplace::close() {
    WriteDlgSize(this, kSizeName);
    // The grid may have gone first (the dialog is destroyed with it).
    if (::IsWindow(gridWindow_) && !switch13WasOn_)
        grid_.SetBool(kSwitchEditMode, FALSE);
    DestroyWindow();
}

void CDlgFindReplace::findNext() {
    if (!GetSafeHwnd()) {
        open();
        return;
    }
    onFindNext(true);
}

void CDlgFindReplace::replaceNext() {
    if (!GetSafeHwnd()) {
        open();
        return;
    }
    onReplace(true);
}

bool CDlgFindReplace::findFrom(const Mx_String& text, int col, int row) {
    int foundCol = 0, foundRow = 0;
    if (!grid_.findNext(text, col, row, foundCol, foundRow))
        return false;
    return grid_.findInCellAndSelect(text, foundCol, foundRow, 0);
}

bool CDlgFindReplace::onFindNext(bool askWrap) {
    const Mx_String text = dialogText(IDC_FIND);
    if (text.isEmpty() || !grid_.isCreated())
        return false;
    grid_.SetFocus();
    int col = 1, row = 1;
    grid_.getActiveCell(col, row);
    int startCol = col;
    int start = 0, end = 0;
    if (grid_.getEditSelection(start, end)) {
        if (grid_.findInCellAndSelect(text, col, row, end))
            return true;
        // The rest of the active cell has been looked at.
        startCol = col + 1;
    }
    if (findFrom(text, startCol, row))
        return true;
    if (!askWrap)
        return false;
    Mx_String question = dialString(1142);
    question += L"\n";
    question += dialString(1143);
    question += L"\n";
    if (MessageBox(question.c_str(), dialString(1144).c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    if (findFrom(text, 1, 1))
        return true;
    MessageBox(dialString(1145).c_str(), dialString(1146).c_str(), MB_OK | MB_ICONINFORMATION);
    return false;
}

bool CDlgFindReplace::holdsFormula(int col, int row) {
    return grid_.GetFormulaLen(col, row) > 0;
}

bool CDlgFindReplace::onReplace(bool askWrap) {
    const Mx_String replace = dialogText(IDC_REPLACE);
    // Only a match this call found is replaced, never a selection the user left in the cell.
    if (!onFindNext(askWrap))
        return false;
    int col = 0, row = 0, start = 0, end = 0;
    if (!grid_.getActiveCell(col, row) || !grid_.getEditSelection(start, end))
        return false;
    if (holdsFormula(col, row))
        return false;
    Mx_String value;
    if (!grid_.getCellText(col, row, value, Mx_Spread::kValue))
        return false;
    start = std::clamp(start, 0, value.length());
    end = std::clamp(end, start, value.length());
    value.removeAt(start, end - start);
    value.insertAt(start, replace);
    if (!grid_.SetData(col, row, value.c_str()))
        return false;
    grid_.SetBool(SSB_CHANGEMADE, TRUE);
    grid_.SetFocus();
    grid_.SetActiveCell(col, row);
    grid_.SetEditMode(TRUE);
    // The caret goes after the new text, so the next search never finds a match inside it.
    const int after = start + replace.length();
    grid_.SetSel(after, after);
    return true;
}

int CDlgFindReplace::onReplaceAll() {
    const Mx_String find = dialogText(IDC_FIND);
    const Mx_String replace = dialogText(IDC_REPLACE);
    int count = 0;
    if (!find.isEmpty() && grid_.isCreated()) {
        // A cell being edited shows its edit; the search reads the cells themselves.
        grid_.SetEditMode(FALSE);
        int col = 1, row = 1, foundCol = 0, foundRow = 0;
        while (grid_.findNext(find, col, row, foundCol, foundRow)) {
            if (!holdsFormula(foundCol, foundRow) && grid_.replaceInCell(foundCol, foundRow, find, replace))
                ++count;
            col = foundCol + 1;
            row = foundRow;
        }
    }
    Mx_String message = dialString(1147);
    message += L" ";
    message += Mx_String(count);
    message += L" ";
    message += dialString(1148);
    MessageBox(message.c_str(), dialString(1149).c_str(), MB_OK | MB_ICONINFORMATION);
    grid_.SetBool(SSB_CHANGEMADE, TRUE);
    return count;
}
