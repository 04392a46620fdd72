#pragma once
// CDlgMacroProfSegm: the segmented-profile dialog (template 221) of a profile page. The combo chooses
// one of the tab's segmented profiles; its name, clearance, break switch and points (a grid, one row
// per point) are edited in a working copy, which the request takes on OK. The size is kept under
// "DLG_MACRO_PROFSEGMENTED".
#include "macrodlg/MacroSubDialogRunners.h"
#include "platform/mfc/ButtonST.h"
#include "platform/mfc/CAcUiDialog.h"
#include "spread/Mx_Spread.h"

class CDlgMacroProfSegm : public CAcUiDialog {
public:
    enum : UINT { IDD = 221 };
    enum : int {
        IDC_NAME = 1000,
        IDC_SECTION_GROUP = 1081,
        IDC_INSERT = 1088,
        IDC_DELETE = 1089,
        IDC_NEW = 1090,
        IDC_NAME_LABEL = 1123,
        IDC_CLEARANCE_LABEL = 1124,
        IDC_GRID = 1196,
        IDC_CLEARANCE = 1232,
        IDC_SEGMENTS = 1247,
        IDC_SEGMENTS_LABEL = 1248,
        IDC_BREAK = 1249,
    };
    enum : int { kInsertIcon = 212, kDeleteIcon = 206 };

    explicit CDlgMacroProfSegm(ProfSegmRequest& request, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    void show(int index);
    void read(int index);
    void showPoints(const Mx_StringArray& points);
    Mx_StringArray readPoints();

    ProfSegmRequest& m_request;
    Mx_Array<MacroProfSegmentedData> m_segments;  // the working copy
    int m_current = -1;
    Mx_Spread m_grid;
    CButtonST m_insert, m_delete;
};
