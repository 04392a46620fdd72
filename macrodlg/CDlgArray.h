#pragma once
// CDlgArray: the array dialog (template 236) over a copy of a DynArrayData: the array's type, its
// picture, the dimensions it steps along (those every one of the array's objects has), its values and
// a grid of its entries. OK reads everything back into the copy; Cancel leaves it as it was given.
#include "macrodlg/MacroSubDialogRunners.h"
#include "platform/mfc/CAcUiDialog.h"
#include "spread/Mx_Spread.h"

class CDlgArray : public CAcUiDialog {
public:
    enum : UINT { IDD = 236 };
    enum : int {
        IDC_COUNT = 1002,
        IDC_DISTANCE = 1003,
        IDC_START = 1004,
        IDC_TYPE = 1005,
        IDC_SKIP = 1006,
        IDC_END = 1009,
        IDC_INCREMENT = 1010,
        IDC_SECOND_COUNT = 1011,
        IDC_TYPE_LABEL = 1015,
        IDC_DELETE = 1087,
        IDC_SKIP_ENTRY = 1089,
        IDC_PICTURE_LABEL = 1125,
        IDC_DIM3_LABEL = 1126,
        IDC_DISTANCE_LABEL = 1127,
        IDC_START_LABEL = 1128,
        IDC_DIM1_LABEL = 1129,
        IDC_DIM2_LABEL = 1130,
        IDC_END_LABEL = 1132,
        IDC_INCREMENT_LABEL = 1133,
        IDC_COUNT_LABEL = 1134,
        IDC_SKIP_LABEL = 1135,
        IDC_GRID = 1196,
        IDC_PICTURE = 1345,
        IDC_MIRROR = 1346,
        IDC_DIM1 = 1347,
        IDC_NEW = 1348,
        IDC_ENTRIES_GROUP = 1349,
        IDC_DIM2 = 1350,
        IDC_DIM3 = 1351,
        IDC_ALTERNATING = 1352,
    };

    explicit CDlgArray(ArrayRequest& request, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void showEntries();
    void readEntries();

    ArrayRequest& m_request;
    DynArrayData m_data;  // the working copy; the request takes it on OK
    Mx_Spread m_grid;
};
