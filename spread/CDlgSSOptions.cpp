#include "spread/CDlgSSOptions.h"

#include "module/ModuleResources.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "platform/mxbase/UiTexts.h"

namespace {

// The text at index, or the fallback list's, or empty.
Mx_String textAt(const Mx_StringArray& texts, const Mx_StringArray& fallback, int index) {
    if (index < texts.length())
        return texts[index];
    if (index < fallback.length())
        return fallback[index];
    return {};
}

}  // namespace

CDlgSSOptions::CDlgSSOptions(const Mx_Spread::HeaderSettings& settings, CWnd* parent)
    : CAcUiDialog(IDD, parent), settings_(settings), initial_(settings) {}

BOOL CDlgSSOptions::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    SetWindowText(dialString(1369).c_str());
    SetDlgItemText(IDC_COUNTS_GROUP, (dialString(1370) + L" " + dialString(1371)).c_str());
    SetDlgItemText(IDC_COLS_LABEL, dialString(1372).c_str());
    SetDlgItemText(IDC_ROWS_LABEL, dialString(1373).c_str());
    SetDlgItemText(IDC_HEIGHT_LABEL, dialString(1374).c_str());
    SetDlgItemText(IDC_WIDTH_LABEL, dialString(1375).c_str());
    SetDlgItemText(IDC_TEXTS_GROUP, dialString(1376).c_str());

    colGrid_.createFromDlgItem(this, IDC_COL_HEADERS, false);
    rowGrid_.createFromDlgItem(this, IDC_ROW_HEADERS, false);
    for (Mx_Spread* grid : {&colGrid_, &rowGrid_}) {
        grid->initDefaults(0);
        grid->setResizeMode(0, 0, 0);
        // The small grids number their places; a narrow header column leaves room for the texts.
        grid->SetColWidthInPixels(SS_HEADER, 32);
    }

    filling_ = true;
    SetDlgItemInt(IDC_COLS, static_cast<UINT>(settings_.cols), FALSE);
    SetDlgItemInt(IDC_ROWS, static_cast<UINT>(settings_.rows), FALSE);
    SetDlgItemInt(IDC_HEADER_HEIGHT, static_cast<UINT>(settings_.headerRowHeight), FALSE);
    SetDlgItemInt(IDC_HEADER_WIDTH, static_cast<UINT>(settings_.headerColWidth), FALSE);
    filling_ = false;
    fillColumnHeaders();
    fillRowHeaders();
    return TRUE;
}

int CDlgSSOptions::readNumber(int id, int maximum, int fallback) {
    CString text;
    GetDlgItemText(id, text);
    int value = 0;
    if (!Mx_String(static_cast<LPCTSTR>(text)).toInt(value) || value < 0 || value > maximum)
        return fallback;
    return value;
}

namespace {

// The texts read from a small grid go over the first places of the list; places beyond the grid keep
// what they held, so a count typed digit by digit ("1", then "12") loses none of the user's texts.
void merge(Mx_StringArray& list, const Mx_StringArray& texts) {
    for (int i = 0; i < texts.length(); ++i) {
        if (i < list.length())
            list[i] = texts[i];
        else
            list.append(texts[i]);
    }
}

void keepFirst(Mx_StringArray& list, int count) {
    while (list.length() > count)
        list.removeLast();
}

}  // namespace

void CDlgSSOptions::readTexts() {
    Mx_StringArray texts;
    if (colGrid_.getRowTexts(1, texts))
        merge(settings_.colHeaders, texts);
    if (rowGrid_.getColumnTexts(1, texts, Mx_Spread::kValue))
        merge(settings_.rowHeaders, texts);
}

void CDlgSSOptions::fillColumnHeaders() {
    Mx_StringArray texts;
    for (int i = 0; i < settings_.cols; ++i)
        texts.append(textAt(settings_.colHeaders, initial_.colHeaders, i));
    merge(settings_.colHeaders, texts);
    colGrid_.setMaxRows(1, false);
    colGrid_.setMaxCols(settings_.cols, false);
    colGrid_.setRowTexts(1, texts, false);
}

void CDlgSSOptions::fillRowHeaders() {
    Mx_StringArray texts;
    for (int i = 0; i < settings_.rows; ++i)
        texts.append(textAt(settings_.rowHeaders, initial_.rowHeaders, i));
    merge(settings_.rowHeaders, texts);
    rowGrid_.setMaxCols(1, false);
    rowGrid_.setMaxRows(settings_.rows, false);
    rowGrid_.setColumnTexts(1, texts, false);
}

BOOL CDlgSSOptions::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == EN_CHANGE && !filling_ && (id == IDC_COLS || id == IDC_ROWS)) {
        const int count = readNumber(id, kMaxCount, -1);
        int& current = id == IDC_COLS ? settings_.cols : settings_.rows;
        if (count >= 0 && count != current) {
            readTexts();
            current = count;
            if (id == IDC_COLS)
                fillColumnHeaders();
            else
                fillRowHeaders();
        }
        return TRUE;
    }
    return CAcUiDialog::OnCommand(wParam, lParam);
}

void CDlgSSOptions::OnOK() {
    readTexts();
    keepFirst(settings_.colHeaders, settings_.cols);
    keepFirst(settings_.rowHeaders, settings_.rows);
    settings_.headerRowHeight = readNumber(IDC_HEADER_HEIGHT, 32767, settings_.headerRowHeight);
    settings_.headerColWidth = readNumber(IDC_HEADER_WIDTH, 32767, settings_.headerColWidth);
    CAcUiDialog::OnOK();
}

bool editGridHeaders(CWnd* owner, Mx_Spread::HeaderSettings& settings) {
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    CDlgSSOptions dialog(settings, owner);
    if (dialog.DoModal() != IDOK)
        return false;
    settings = dialog.settings();
    return true;
}
