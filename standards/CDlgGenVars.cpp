#include "standards/CDlgGenVars.h"

#include <algorithm>

#include "platform/grid/window/GridMessages.h"
#include "platform/grid/window/SSFunctions.h"
#include "platform/mxbase/GeneralVariableFilter.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/StringFunctions.h"
#include "platform/mxbase/UiTexts.h"
#include "platform/mxbase/ui/DialogSize.h"
#include "platform/mxbase/ui/DlgOpenMulti.h"

namespace {

constexpr wchar_t kSizeKey[] = L"DLG_GENVARS";
constexpr int kUpIcon = 257;
constexpr int kDownIcon = 258;
constexpr int kButtonColumnWidth = 24;  // pixels: room for "..."

}  // namespace

CDlgGenVars::CDlgGenVars(CWnd* parent) : CAcUiDialog(IDD, parent) {}

BOOL CDlgGenVars::OnInitDialog() {
    CAcUiDialog::OnInitDialog();

    // The template's size is the smallest the dialog may become.
    getDlgSize(this, m_initialWidth, m_initialHeight);
    // The drawing list keeps its height; the standards list takes what the dialog grows by.
    m_resizer.Init(this, {{IDC_DWG_GROUP, CResizer::LeftRight},
                          {IDC_DWG_GRID, CResizer::LeftRight},
                          {IDC_DWG_ADD, CResizer::TopLeft},
                          {IDC_DWG_REMOVE, CResizer::TopLeft},
                          {IDC_DWG_UP, CResizer::TopRight},
                          {IDC_DWG_DOWN, CResizer::TopRight},
                          {IDC_STD_GROUP, CResizer::All},
                          {IDC_STD_GRID, CResizer::All},
                          {IDC_STD_ADD, CResizer::BottomLeft},
                          {IDC_STD_REMOVE, CResizer::BottomLeft},
                          {IDC_STD_UP, CResizer::TopRight},
                          {IDC_STD_DOWN, CResizer::TopRight},
                          {IDOK, CResizer::BottomLeft},
                          {IDCANCEL, CResizer::BottomLeft}});
    ChangeDlgSize(this, kSizeKey);

    m_dwgGrid.createFromDlgItem(this, IDC_DWG_GRID, false);
    m_stdGrid.createFromDlgItem(this, IDC_STD_GRID, false);

    struct Mover {
        CButtonST& button;
        int id, icon, tip;
    };
    for (const Mover& m :
         {Mover{m_dwgUp, IDC_DWG_UP, kUpIcon, 173}, Mover{m_dwgDown, IDC_DWG_DOWN, kDownIcon, 174},
          Mover{m_stdUp, IDC_STD_UP, kUpIcon, 173}, Mover{m_stdDown, IDC_STD_DOWN, kDownIcon, 174}}) {
        if (!m.button.SubclassDlgItem(m.id, this))
            continue;
        m.button.SetFlat(FALSE);  // a push button among push buttons, not a toolbar button
        m.button.SetIcon(m.icon);
        m.button.SetTooltipText(dialString(m.tip).c_str());
    }
    SetWindowText(dialString(1764).c_str());
    SetDlgItemText(IDOK, dialString(1).c_str());
    SetDlgItemText(IDCANCEL, dialString(2).c_str());
    for (int id : {IDC_DWG_ADD, IDC_STD_ADD})
        SetDlgItemText(id, dialString(606).c_str());
    for (int id : {IDC_DWG_REMOVE, IDC_STD_REMOVE})
        SetDlgItemText(id, dialString(607).c_str());
    SetDlgItemText(IDC_DWG_GROUP, dialString(1762).c_str());
    SetDlgItemText(IDC_STD_GROUP, dialString(1763).c_str());

    setUpGrid(drawingList());
    setUpGrid(standardsList());
    const Mx_StringArray* dwgColumns[] = {&data.dwgGenVars(), &data.dwgGenValues(), &data.dwgGenFilters()};
    const Mx_StringArray* stdColumns[] = {&data.stdGenVars(), &data.stdGenValues(), &data.stdGenOverrides(),
                                          &data.stdGenFilters()};
    fillGrid(drawingList(), dwgColumns);
    fillGrid(standardsList(), stdColumns);
    return TRUE;
}

void CDlgGenVars::setUpGrid(List list) {
    Mx_Spread& grid = *list.grid;
    grid.initDefaults(0);
    grid.SetBool(SSB_ROWHEADERS, FALSE);
    grid.SetMaxCols(list.columns);
    grid.SetData(1, SS_HEADER, dialString(1543).c_str());
    grid.SetData(2, SS_HEADER, dialString(86).c_str());
    if (list.columns == 5)
        grid.SetData(3, SS_HEADER, dialString(1765).c_str());
    grid.SetData(list.filterCol, SS_HEADER, dialString(347).c_str());
    grid.SetData(list.columns, SS_HEADER, L"");
    grid.setResizeMode(4, list.columns, kButtonColumnWidth);
}

void CDlgGenVars::fillGrid(List list, const Mx_StringArray* const* columns) {
    Mx_Spread& grid = *list.grid;
    // An empty list still shows one (empty) row to type into.
    grid.SetMaxRows(std::max(columns[0]->length(), 1));
    for (int col = 1; col < list.columns; ++col) {
        // The columns may be shorter than the names (a list written by hand): missing cells stay empty.
        Mx_StringArray texts = *columns[col - 1];
        texts.setLogicalLength(std::min(texts.length(), columns[0]->length()));
        grid.setColumnTexts(col, texts, false);
    }
    formatGrid(list);
}

void CDlgGenVars::formatGrid(List list) {
    Mx_Spread& grid = *list.grid;
    grid.unmergeAll();
    grid.mergeEqualCells(1);
    grid.setButtonColumn(list.columns, L"...", true);
    grid.onResized();
}

void CDlgGenVars::addRow(List list) {
    Mx_Spread& grid = *list.grid;
    const int row = grid.selectedRow();
    grid.unmergeAll();
    if (row >= 1 && row <= grid.getMaxRows())
        grid.insertRow(row, false, true);
    else
        grid.appendRow(true);  // no row to insert at (the list was emptied): the row goes at the end
    formatGrid(list);
}

void CDlgGenVars::removeRow(List list) {
    Mx_Spread& grid = *list.grid;
    grid.unmergeAll();
    grid.deleteSelectedRow();
    formatGrid(list);
}

void CDlgGenVars::moveRow(List list, bool up) {
    Mx_Spread& grid = *list.grid;
    // Whole rows move: a merged name would take only its first row along.
    grid.unmergeAll();
    if (up)
        grid.moveSelectedRowUp();
    else
        grid.moveSelectedRowDown();
    formatGrid(list);
}

void CDlgGenVars::chooseFilter(List list, int row) {
    const Mx_String libDir = gSettings.libDir();
    Mx_StringArray chosen;
    if (!DlgOpenMulti(this, L"Select the drawings and folders that apply to this general variable", L"dwg",
                      L"AutoCAD Drawing", libDir + L"Macros\\", chosen))
        return;
    Mx_StringArray added;
    for (const Mx_String& path : chosen) {
        // Filters name what lies below "Macros\"; anything else cannot be named and is left out.
        const Mx_String relative = macroPathInLibrary(path, libDir);
        if (!relative.isEmpty())
            added.append(relative);
    }
    if (added.isEmpty())
        return;
    Mx_String text;
    list.grid->getCellText(list.filterCol, row, text, Mx_Spread::kData);
    Mx_StringArray entries;
    splitStringAtSymbol(text, L';', entries, true);
    entries.append(added);
    list.grid->SetData(list.filterCol, row, arrToStr(entries, L";").c_str());
}

void CDlgGenVars::readGrid(List list, Mx_StringArray* const* columns) {
    Mx_Spread& grid = *list.grid;
    for (int col = 1; col < list.columns; ++col)
        grid.getColumnTexts(col, *columns[col - 1], Mx_Spread::kData);
    // A merged name stands for every row it covers: a name typed into it renames them all.
    Mx_StringArray& names = *columns[0];
    for (int row = 1; row <= names.length(); ++row) {
        SS_COORD anchorCol = 0, anchorRow = 0, cols = 0, rows = 0;
        if (grid.GetCellSpan(1, row, &anchorCol, &anchorRow, &cols, &rows) == SS_SPAN_YES && anchorRow >= 1 &&
            anchorRow < row)
            names[row - 1] = names[anchorRow - 1];
    }
}

void CDlgGenVars::OnOK() {
    Mx_StringArray* dwgColumns[] = {&data.dwgGenVars(), &data.dwgGenValues(), &data.dwgGenFilters()};
    Mx_StringArray* stdColumns[] = {&data.stdGenVars(), &data.stdGenValues(), &data.stdGenOverrides(),
                                    &data.stdGenFilters()};
    readGrid(drawingList(), dwgColumns);
    readGrid(standardsList(), stdColumns);
    CAcUiDialog::OnOK();
}

BOOL CDlgGenVars::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (code == SSN_BUTTONUP && (id == IDC_DWG_GRID || id == IDC_STD_GRID)) {
        const List list = id == IDC_DWG_GRID ? drawingList() : standardsList();
        SS_COORD col = 0, row = 0;
        if (SSGetCellSendingMsg(list.grid->GetSafeHwnd(), &col, &row) && col == list.columns && row >= 1)
            chooseFilter(list, row);
        return TRUE;
    }
    if (code == BN_CLICKED) {
        switch (id) {
            case IDC_DWG_ADD:
                addRow(drawingList());
                return TRUE;
            case IDC_STD_ADD:
                addRow(standardsList());
                return TRUE;
            case IDC_DWG_REMOVE:
                removeRow(drawingList());
                return TRUE;
            case IDC_STD_REMOVE:
                removeRow(standardsList());
                return TRUE;
            case IDC_DWG_UP:
                moveRow(drawingList(), true);
                return TRUE;
            case IDC_DWG_DOWN:
                moveRow(drawingList(), false);
                return TRUE;
            case IDC_STD_UP:
                moveRow(standardsList(), true);
                return TRUE;
            case IDC_STD_DOWN:
                moveRow(standardsList(), false);
                return TRUE;
            default:
                break;
        }
    }
    return CAcUiDialog::OnCommand(wParam, lParam);
}

void CDlgGenVars::OnSize(UINT type, int cx, int cy) {
    CAcUiDialog::OnSize(type, cx, cy);
    m_resizer.Move();
    m_dwgGrid.onResized();
    m_stdGrid.onResized();
}

void CDlgGenVars::OnGetMinMaxInfo(MINMAXINFO* info) {
    CAcUiDialog::OnGetMinMaxInfo(info);
    info->ptMinTrackSize.x = m_initialWidth;
    info->ptMinTrackSize.y = m_initialHeight;
}

void CDlgGenVars::OnDestroy() {
    WriteDlgSize(this, kSizeKey);
    CAcUiDialog::OnDestroy();
}
