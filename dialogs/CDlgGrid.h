#pragma once
// CDlgGrid: the grid dialog (template 242) over a VlGridDlgData: count, distance and label of each of
// two directions, and whether labels are shown.
#include "dialogs/VlGridDlgData.h"
#include "platform/mfc/CAcUiDialog.h"

class CDlgGrid : public CAcUiDialog {
public:
    enum : UINT { IDD = 242 };
    enum : int {
        IDC_FIRST_COUNT = 1367,
        IDC_FIRST_DISTANCE = 1369,
        IDC_FIRST_LABEL = 1371,
        IDC_FIRST_GROUP = 1372,
        IDC_SECOND_COUNT = 1374,
        IDC_SECOND_GROUP = 1375,
        IDC_SECOND_DISTANCE = 1377,
        IDC_SECOND_LABEL = 1379,
        IDC_OPTION = 1380,
        // The labels of the edits, each just before its edit.
        IDC_FIRST_COUNT_LABEL = 1366,
        IDC_FIRST_DISTANCE_LABEL = 1368,
        IDC_FIRST_LABEL_LABEL = 1370,
        IDC_SECOND_COUNT_LABEL = 1373,
        IDC_SECOND_DISTANCE_LABEL = 1376,
        IDC_SECOND_LABEL_LABEL = 1378,
    };

    explicit CDlgGrid(CWnd* parent = nullptr);

    VlGridDlgData data;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};
