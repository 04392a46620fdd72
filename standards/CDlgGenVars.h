#pragma once
// CDlgGenVars: the general variables dialog (template 256). Two grids over a working copy of a
// VlAutoStandardsData: the drawing list (name, value, filter, "...") and the standards list (name,
// value, override, filter, "..."). Rows of the same name show one merged name cell; "..." appends
// drawings and folders below the library's "Macros\" to the row's filter. OK reads both grids back
// into the copy; Cancel and the close box discard the edits. The size is kept under "DLG_GENVARS".
#include "platform/mfc/ButtonST.h"
#include "platform/mfc/CAcUiDialog.h"
#include "platform/mxbase/VlAutoStandardsData.h"
#include "platform/mxbase/ui/CResizer.h"
#include "spread/Mx_Spread.h"

class CDlgGenVars : public CAcUiDialog {
public:
    enum : UINT { IDD = 256 };
    enum : int {
        IDC_DWG_GRID = 1434,
        IDC_DWG_ADD = 1435,
        IDC_DWG_REMOVE = 1436,
        IDC_DWG_GROUP = 1437,
        IDC_DWG_UP = 1438,
        IDC_DWG_DOWN = 1439,
        IDC_STD_UP = 1440,
        IDC_STD_DOWN = 1441,
        IDC_STD_REMOVE = 1442,
        IDC_STD_ADD = 1443,
        IDC_STD_GRID = 1444,
        IDC_STD_GROUP = 1445,
    };

    explicit CDlgGenVars(CWnd* parent = nullptr);

    VlAutoStandardsData data;  // the working copy

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnGetMinMaxInfo(MINMAXINFO* info) override;
    void OnDestroy() override;

private:
    // The two lists differ only in their columns.
    struct List {
        Mx_Spread* grid;
        int columns;    // with the button column
        int filterCol;  // the filter's column
    };
    List drawingList() { return {&m_dwgGrid, 4, 3}; }
    List standardsList() { return {&m_stdGrid, 5, 4}; }

    void setUpGrid(List list);
    void fillGrid(List list, const Mx_StringArray* const* columns);
    void formatGrid(List list);
    void addRow(List list);
    void removeRow(List list);
    void moveRow(List list, bool up);
    void chooseFilter(List list, int row);
    void readGrid(List list, Mx_StringArray* const* columns);

    CResizer m_resizer;
    CButtonST m_dwgUp, m_dwgDown, m_stdUp, m_stdDown;
    Mx_Spread m_dwgGrid;
    Mx_Spread m_stdGrid;
    int m_initialWidth = 50;
    int m_initialHeight = 50;
};
