#include "macrodlg/CMacroSettingsPage.h"

#include "platform/mfc/Bitmap.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/GdiObjects.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/NumberFunctions.h"

bool CMacroSettingsPage::createPage(CWnd* parent) {
    if (!Create(templateId_, parent))
        return false;
    // The page's id is its template's, so that the same control ids on two pages are told apart.
    SetDlgCtrlID(static_cast<int>(templateId_));
    return true;
}

void CMacroSettingsPage::showPicture(int id, const wchar_t* file) {
    CWnd* picture = GetDlgItem(id);
    if (picture == nullptr)
        return;
    Mx_String path = gSettings.productDir();
    path += L"\\icons\\";
    path += file;
    // A missing picture leaves the frame empty; the filter works the same.
    if (HBITMAP bitmap = ui::gdi::loadBitmapFile(path.str()))
        if (auto old = reinterpret_cast<HGDIOBJ>(
                picture->SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap))))
            DeleteObject(old);
}

double CMacroSettingsPage::numberOf(int id, double fallback) {
    CString text;
    GetDlgItemText(id, text);
    double value = 0.0;
    return parseNumber(std::wstring_view(static_cast<LPCTSTR>(text)), value) ? value : fallback;
}

void CMacroSettingsPage::setNumber(int id, double value) {
    SetDlgItemText(id, formatShortest(value).c_str());
}

void CMacroSettingsPage::showList(Mx_Spread& grid, int id, const wchar_t* header1, const wchar_t* header2,
                                  const Mx_StringArray& column1, const Mx_StringArray& column2,
                                  bool lockFirst, bool lockSecond) {
    if (!grid.isCreated()) {
        grid.createFromDlgItem(this, id, false);
        grid.initDefaults(0);
        grid.SetBool(SSB_ROWHEADERS, FALSE);
    }
    grid.SetMaxCols(2);
    grid.SetMaxRows(column1.length());
    grid.SetData(1, SS_HEADER, header1);
    grid.SetData(2, SS_HEADER, header2);
    grid.setColumnTexts(1, column1, false);
    grid.setColumnTexts(2, column2, false);
    // Texts that cannot be typed into are shown as plain text (a locked cell would be drawn greyed).
    for (int row = 1; row <= column1.length(); ++row) {
        if (lockFirst)
            grid.setStaticTextCell(1, row, 0);
        if (lockSecond)
            grid.setStaticTextCell(2, row, 0);
    }
    grid.fitColumnsToWidth(false, 0);
}
