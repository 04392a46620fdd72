#include "sectionlib/CTabEditLibValues.h"

#include "platform/grid/window/GridMessages.h"  // SSM_DATACHANGE
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CListBox.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/MacroLangs.h"
#include "platform/mxbase/Mx_SectionTableManager.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/ObjectExportFiles.h"
#include "platform/mxbase/StringFunctions.h"
#include "platform/mxbase/UiTexts.h"
#include "platform/mxbase/ui/DialogControls.h"
#include "sectionlib/SectionLibHooks.h"
#include "spread/Mx_DlgPromptString.h"

namespace {

int currentLanguage() {
    int index = -1;
    return MacroLangs::GetAllLanguages().find(MacroLangs::GetCurLanguage(), index) ? index : 0;
}

// A section type number ("10"), or -1 for a file name.
int typeNumber(const Mx_String& image) {
    int number = -1;
    return !image.contains(L'.') && image.toInt(number) ? number : -1;
}

}  // namespace

CTabEditLibValues::CTabEditLibValues(const DlgEditLibData& data) : CDialog(IDD, nullptr), data_(data) {}

bool CTabEditLibValues::createPage(CWnd* parent) {
    if (!Create(IDD, parent))
        return false;
    SetDlgCtrlID(IDD);
    return true;
}

BOOL CTabEditLibValues::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_NEW, dialString(171).c_str());
    SetDlgItemText(IDC_DELETE, dialString(172).c_str());
    grid_.createFromDlgItem(this, IDC_GRID, false);
    grid_.initDefaults(0);
    Mx_StringArray files;
    ObjectExportFindFiles(gSettings.libDir() + L"prof", L"*.pr", files);
    for (const Mx_String& file : files)
        names_.append(getFileName(file, false));
    fillTables(names_.isEmpty() ? -1 : 0);
    showTable(current_);
    return TRUE;
}

void CTabEditLibValues::fillTables(int select) {
    auto* list = static_cast<CListBox*>(GetDlgItem(IDC_TABLES));
    list->ResetContent();
    for (const Mx_String& name : names_)
        list->AddString(name.c_str());
    list->SetCurSel(select);
    current_ = select;
}

void CTabEditLibValues::showTable(int index) {
    current_ = index;
    static_cast<CListBox*>(GetDlgItem(IDC_TABLES))->SetCurSel(index);
    table_ = Mx_ProfValuesTable();
    // A table that cannot be read shows as an empty grid.
    if (index >= 0)
        table_.readFromFile(names_[index]);
    if (index < 0 || !table_.setToSS(grid_)) {
        grid_.setMaxRows(0, false);
        grid_.setMaxCols(0, false);
    }
    fillShapes(table_.image);
    for (int id : {IDC_DELETE, IDC_RENAME, IDC_OPTIONS, IDC_SHAPE})
        EnDisCtrl(this, id, index >= 0);
}

void CTabEditLibValues::fillShapes(const Mx_String& image) {
    const int language = currentLanguage();
    Mx_StringArray texts;
    shapeImages_.removeAll();
    int select = -1;
    for (const SectionType& type : data_.types) {
        if (Mx_String(type.id) == image)
            select = texts.length();
        texts.append(type.names.at(language));
        shapeImages_.append(Mx_String(type.id));
    }
    // A drawing or picture file is shown as it is.
    if (select < 0 && !image.isEmpty()) {
        select = texts.length();
        texts.append(image);
        shapeImages_.append(image);
    }
    FillCombo(this, IDC_SHAPE, texts, select);
}

Mx_String CTabEditLibValues::chosenImage() {
    const int chosen = static_cast<CComboBox*>(GetDlgItem(IDC_SHAPE))->GetCurSel();
    return shapeImages_.isValidIndex(chosen) ? shapeImages_[chosen] : table_.image;
}

bool CTabEditLibValues::saveTable() {
    if (current_ < 0)
        return false;
    Mx_ProfValuesTable table;
    if (!table.getFromSS(grid_))
        return false;
    table.name = names_[current_];
    table.image = chosenImage();
    if (!table.writeToFile(table.name))
        return false;
    table.setToGlobals(&gSectionTableManager);
    grid_.SetBool(SSB_CHANGEMADE, FALSE);
    table_ = table;
    return true;
}

bool CTabEditLibValues::showTableNamed(const Mx_String& name) {
    const int index = names_.indexOf(name, false);
    if (index < 0)
        return false;
    showTable(index);
    return true;
}

bool CTabEditLibValues::leaveTable() {
    if (current_ < 0 || !grid_.GetBool(SSB_CHANGEMADE))
        return true;
    const Mx_String text = dialString(785) + L" <" + names_[current_] + L"> " + dialString(786);
    switch (MessageBox(text.c_str(), dialString(784).c_str(), MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES:
            saveTable();
            return true;
        case IDNO:
            grid_.SetBool(SSB_CHANGEMADE, FALSE);
            // A new table that was never saved has nothing left to show.
            if (!ObjectExportFileExists(Mx_ProfValuesTable::filePath(names_[current_]))) {
                names_.removeAt(current_);
                fillTables(-1);
            }
            return true;
        default:
            return false;
    }
}

void CTabEditLibValues::newTable() {
    if (!leaveTable())
        return;
    const Mx_String name = findNonExistingString(names_, dialString(779));
    Mx_ProfValuesTable table;
    table.name = name;
    table.headers = Mx_StringArray{Mx_String(L"SysName"), Mx_String(L"I/O")};
    table.headers.append(MacroLangs::GetAllLanguages());
    table.headers.append(dialString(86) + L"1");
    table.headers.append(dialString(86) + L"2");
    Mx_StringArray row{Mx_String(), Mx_String(L"1")};
    row.setLogicalLength(table.headers.length() - 2);
    row.append(L"0");
    row.append(L"0");
    table.rows.append(row);
    names_.append(name);
    fillTables(names_.length() - 1);
    table_ = table;
    table_.setToSS(grid_);
    fillShapes(table_.image);
    for (int id : {IDC_DELETE, IDC_RENAME, IDC_OPTIONS, IDC_SHAPE})
        EnDisCtrl(this, id, true);
    // Not saved yet: leaving it asks.
    grid_.SetBool(SSB_CHANGEMADE, TRUE);
}

void CTabEditLibValues::deleteTable() {
    if (current_ < 0)
        return;
    const Mx_String& name = names_[current_];
    const Mx_String text = dialString(788) + L" <" + name + L"> " + dialString(789);
    if (MessageBox(text.c_str(), dialString(787).c_str(), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return;
    ObjectExportDeleteFile(Mx_ProfValuesTable::filePath(name));
    if (gSectionTableManager.hasTable(name))
        gSectionTableManager.removeTable(name);
    names_.removeAt(current_);
    grid_.SetBool(SSB_CHANGEMADE, FALSE);
    fillTables(names_.isEmpty() ? -1 : 0);
    showTable(current_);
}

void CTabEditLibValues::renameTable() {
    if (current_ < 0)
        return;
    const Mx_String old = names_[current_];
    Mx_DlgPromptString prompt(this);
    prompt.setTitle(dialString(790));
    prompt.setPrompt(dialString(791));
    prompt.setValue(old);
    if (prompt.DoModal() != IDOK || !prompt.accepted())
        return;
    const Mx_String name = stripSymbols(prompt.value(), L" \t");
    if (name.isEmpty() || name == old)
        return;
    // NOTE: another table's name (in any letter case) is refused: its file would be overwritten.
    for (int i = 0; i < names_.length(); ++i) {
        if (i != current_ && names_[i].equal(name, false)) {
            MessageBox((dialString(791) + L" <" + name + L">").c_str(), dialString(790).c_str(),
                       MB_OK | MB_ICONEXCLAMATION);
            return;
        }
    }
    Mx_ProfValuesTable table;
    if (!table.getFromSS(grid_))
        table = table_;
    table.name = name;
    table.image = chosenImage();
    // The new file is written before the old one goes, so a failed write loses nothing.
    if (!table.writeToFile(name))
        return;
    if (!name.equal(old, false))
        ObjectExportDeleteFile(Mx_ProfValuesTable::filePath(old));
    if (gSectionTableManager.hasTable(old))
        gSectionTableManager.removeTable(old);
    table.setToGlobals(&gSectionTableManager);
    names_[current_] = name;
    const int keep = current_;
    grid_.SetBool(SSB_CHANGEMADE, FALSE);
    fillTables(keep);
    showTable(keep);
}

int CTabEditLibValues::nameColumns() {
    Mx_String header;
    return grid_.getCellText(7, 0, header) && header.str() == L"Korean" ? 7 : 6;
}

void CTabEditLibValues::setRowHeaders() {
    const Mx_String name = current_ >= 0 ? names_[current_] : Mx_String();
    for (int row = 1; row <= grid_.getMaxRows(); ++row)
        grid_.setCellText(0, row, name);
}

void CTabEditLibValues::adaptColumns(bool chosenByUser) {
    const int type = typeNumber(chosenImage());
    if (type < 0 || grid_.getMaxRows() <= 0)
        return;
    const Mx_StringArray dimensions = data_.dimensionNames(type);
    const int first = nameColumns();
    const int needed = first + dimensions.length();
    if (grid_.getMaxCols() < needed)
        grid_.setMaxCols(needed, false);
    for (int k = 0; k < dimensions.length(); ++k)
        grid_.setCellText(first + 1 + k, 0, dimensions[k]);
    if (chosenByUser && grid_.getMaxCols() > needed) {
        const Mx_String shape = static_cast<LPCTSTR>([this] {
            CString text;
            GetDlgItemText(IDC_SHAPE, text);
            return text;
        }());
        const Mx_String text =
            dialString(793) + L" " + shape + L" " + dialString(794) + L"\n" + dialString(795);
        if (MessageBox(text.c_str(), dialString(792).c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES)
            grid_.setMaxCols(needed, false);
    }
    grid_.applyHeaderFonts();
    grid_.SetBool(SSB_CHANGEMADE, TRUE);
}

void CTabEditLibValues::afterOptions() {
    setRowHeaders();
    adaptColumns(false);
    grid_.applyHeaderFonts();
}

LRESULT CTabEditLibValues::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // What the user changes in the grid marks the table changed (writes by code do not).
    if (message == SSM_DATACHANGE && static_cast<int>(wParam) == grid_.controlId())
        grid_.SetBool(SSB_CHANGEMADE, TRUE);
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CTabEditLibValues::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == IDC_TABLES && code == LBN_SELCHANGE) {
        const int chosen = static_cast<CListBox*>(GetDlgItem(IDC_TABLES))->GetCurSel();
        if (chosen == current_)
            return TRUE;
        if (!leaveTable()) {
            static_cast<CListBox*>(GetDlgItem(IDC_TABLES))->SetCurSel(current_);
            return TRUE;
        }
        showTable(chosen);
        return TRUE;
    }
    if (id == IDC_SHAPE && code == CBN_SELCHANGE) {
        adaptColumns(true);
        return TRUE;
    }
    if (code != BN_CLICKED)
        return CDialog::OnCommand(wParam, lParam);
    switch (id) {
        case IDC_NEW:
            newTable();
            break;
        case IDC_DELETE:
            deleteTable();
            break;
        case IDC_RENAME:
            renameTable();
            break;
        case IDC_OPTIONS:
            if (current_ >= 0) {
                sectionlib::runSpreadOptions(this, grid_);
                afterOptions();
            }
            break;
        case IDC_COPY:
            grid_.ClipboardCopy();
            break;
        case IDC_PASTE:
            grid_.ClipboardPaste();
            grid_.SetBool(SSB_CHANGEMADE, TRUE);
            break;
        case IDC_INSERT_ROW:
            grid_.insertRowAfterSelection(true);
            setRowHeaders();
            break;
        case IDC_DELETE_ROW:
            grid_.deleteSelectedRow();
            break;
        case IDC_ROW_UP:
            grid_.moveSelectedRowUp();
            break;
        case IDC_ROW_DOWN:
            grid_.moveSelectedRowDown();
            break;
        case IDC_SEARCH:
            sectionlib::runSearch(grid_);
            break;
        default:
            return CDialog::OnCommand(wParam, lParam);
    }
    return TRUE;
}
