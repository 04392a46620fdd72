#pragma once
// CDlgLookUp: the lookup dialog (template 244) over a VlLookUpDlgData. Five combo boxes take texts
// (chosen from their lists or typed), two more the comparison and the sort order; two radio buttons
// say where to look, and "Exact values only" counts only while looking in a table. OK and "Show All"
// both end the dialog with OK, telling which in the data's result (0 or 2).
#include "dialogs/VlLookUpDlgData.h"
#include "platform/mfc/CAcUiDialog.h"

class CDlgLookUp : public CAcUiDialog {
public:
    enum : UINT { IDD = 244 };
    enum : int {
        IDC_SHOW_ALL = 3,
        IDC_TEXT1_LABEL = 1123,
        IDC_TEXT3_LABEL = 1124,
        IDC_TEXT1 = 1384,
        IDC_TEXT2_LABEL = 1385,
        IDC_TEXT2 = 1386,
        IDC_TEXT3 = 1387,
        IDC_TEXT4_LABEL = 1388,
        IDC_TEXT4 = 1389,
        IDC_TEXT5_LABEL = 1390,
        IDC_TEXT5 = 1391,
        IDC_CHOICE_B_LABEL = 1392,
        IDC_CHOICE_B = 1393,
        IDC_FLAG = 1394,
        IDC_GROUP = 1395,
        IDC_MODE_TABLE = 1396,
        IDC_MODE_DRAWING = 1397,
        IDC_CHOICE_A = 1398,
    };
    enum Result : int { kOk = 0, kShowAll = 2 };

    explicit CDlgLookUp(CWnd* parent = nullptr);

    VlLookUpDlgData data;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void enableFlag();
    void collect(Result result);
};
