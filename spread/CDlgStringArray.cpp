#include "spread/CDlgStringArray.h"

#include "module/ModuleResources.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/UiTexts.h"
#include "platform/mxbase/ui/DialogSize.h"

CDlgStringArray::CDlgStringArray(const Mx_StringArray& columnNames, const Mx_StringArray& rowHeaders,
                                 const Mx_Array<Mx_StringArray>& rows, bool editRows,
                                 const Mx_String& dialogName, const Mx_String& caption, CWnd* parent)
    : CAcUiDialog(IDD, parent),
      columnNames_(columnNames),
      rowHeaders_(rowHeaders),
      rows_(rows),
      editRows_(editRows),
      dialogName_(dialogName),
      caption_(caption) {}

BOOL CDlgStringArray::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    grid_.createFromDlgItem(this, IDC_GRID, false);
    grid_.initDefaults(1);
    grid_.setResizeMode(1, 0, 0);

    layout_.take(this);
    layout_.setFlags(&grid_, Mx_DlgLayout::kKeepStart | Mx_DlgLayout::kFollowEnd,
                     Mx_DlgLayout::kKeepStart | Mx_DlgLayout::kFollowEnd);
    for (int id : {IDOK, IDCANCEL})
        layout_.setFlags(GetDlgItem(id), Mx_DlgLayout::kKeepSize | Mx_DlgLayout::kKeepStart,
                         Mx_DlgLayout::kKeepSize | Mx_DlgLayout::kFollowEnd);
    for (int id : {IDC_ADD, IDC_REMOVE})
        layout_.setFlags(GetDlgItem(id), Mx_DlgLayout::kKeepSize | Mx_DlgLayout::kFollowEnd,
                         Mx_DlgLayout::kKeepSize | Mx_DlgLayout::kFollowEnd);
    ChangeDlgSize(this, dialogName_);

    SetWindowText(caption_.c_str());
    SetDlgItemText(IDOK, dialString(1).c_str());
    SetDlgItemText(IDCANCEL, dialString(2).c_str());
    SetDlgItemText(IDC_ADD, dialString(606).c_str());
    SetDlgItemText(IDC_REMOVE, dialString(607).c_str());
    if (!editRows_) {
        GetDlgItem(IDC_ADD)->ShowWindow(SW_HIDE);
        GetDlgItem(IDC_REMOVE)->ShowWindow(SW_HIDE);
    }
    setUpGrid();
    return TRUE;
}

void CDlgStringArray::setUpGrid() {
    grid_.SetBool(SSB_REDRAW, FALSE);
    for (short off : {12, 7, 26, 10})
        grid_.SetBool(off, FALSE);
    for (short on : {25, 21, 13, 32, 18, 0, 11, 22})
        grid_.SetBool(on, TRUE);
    grid_.SetEditEnterAction(5);
    grid_.SetCursor(1, reinterpret_cast<HCURSOR>(-1));
    grid_.SetGrayAreaColor(0xC0C0C0, 0x8000000B);
    grid_.SetMaxCols(columnNames_.length());
    grid_.SetBool(4, rowHeaders_.isEmpty() ? FALSE : TRUE);
    grid_.SetMaxRows(rows_.length());
    const int cols = columnNames_.length();
    grid_.setFontRange(1, SS_HEADER, cols, SS_HEADER, L"Tahoma", 15, true, false);
    if (rows_.length() > 0)
        grid_.setFontRange(1, 1, cols, rows_.length(), L"Tahoma", 15, false, false);
    grid_.fitColumnsToWidth(false, -1);
    grid_.SetBool(SSB_REDRAW, TRUE);

    for (int col = 0; col < cols; ++col)
        grid_.SetData(col + 1, SS_HEADER, columnNames_[col].c_str());
    for (int row = 0; row < rowHeaders_.length(); ++row)
        grid_.SetData(SS_HEADER, row + 1, rowHeaders_[row].c_str());
    for (int row = 0; row < rows_.length(); ++row) {
        const Mx_StringArray& cells = rows_[row];
        for (int col = 0; col < cells.length() && col < cols; ++col)
            grid_.SetData(col + 1, row + 1, cells[col].c_str());
    }
}

BOOL CDlgStringArray::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
            case IDC_ADD:
                grid_.insertRowBelowActive();
                return TRUE;
            case IDC_REMOVE:
                grid_.deleteActiveRow();
                return TRUE;
            default:
                break;
        }
    }
    return CAcUiDialog::OnCommand(wParam, lParam);
}

void CDlgStringArray::OnOK() {
    rows_.removeAll();
    const int cols = grid_.getMaxCols(), rows = grid_.getMaxRows();
    Mx_String text;
    for (int row = 1; row <= rows; ++row) {
        auto* cells = new Mx_StringArray;
        for (int col = 1; col <= cols; ++col) {
            grid_.getCellText(col, row, text, Mx_Spread::kData);
            cells->append(text);
        }
        rows_.append(cells);
    }
    CAcUiDialog::OnOK();
}

void CDlgStringArray::OnSize(UINT type, int cx, int cy) {
    CAcUiDialog::OnSize(type, cx, cy);
    if (layout_.dialog())
        layout_.apply();
}

void CDlgStringArray::OnDestroy() {
    WriteDlgSize(this, dialogName_);
    CAcUiDialog::OnDestroy();
}

bool startGridDialog(const Mx_StringArray& columnNames, const Mx_StringArray& otherStrings,
                     Mx_Array<Mx_StringArray>& rows, bool flag, Mx_String dialogName, Mx_String text) {
    if (columnNames.isEmpty())
        return false;
    if (dialogName.isEmpty())
        dialogName = L"DLG_SS_STRINGARRAY";
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    CDlgStringArray dialog(columnNames, otherStrings, rows, flag, dialogName, text, adsw_acadMainWnd());
    if (dialog.DoModal() != IDOK)
        return false;
    rows = dialog.rows();
    return true;
}
