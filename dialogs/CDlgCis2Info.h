#pragma once
// CDlgCis2Info: the CIS/2 export options (template 254) over a VlDlgCis2Data. The design model's
// options (bolts, welds, cuts and which section names) can be changed only while the design model is
// chosen; "Translation table..." edits the library's CIS/2 section-name table "CIS2ProfNames.dat".
#include "dialogs/VlDlgCis2Data.h"
#include "platform/mfc/CAcUiDialog.h"

class CDlgCis2Info : public CAcUiDialog {
public:
    enum : UINT { IDD = 254 };
    enum : int {
        IDC_ANALYSIS = 1420,
        IDC_DESIGN = 1421,
        IDC_INTRO = 1422,
        IDC_TRANSLATION = 1423,
        IDC_BOLTS = 1424,
        IDC_WELDS = 1425,
        IDC_LIBRARY_NAMES = 1426,
        IDC_CUTS = 1427,
        IDC_CIS2_NAMES = 1428,
    };

    explicit CDlgCis2Info(CWnd* parent = nullptr);

    VlDlgCis2Data data;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void enableDesignOptions();
    void editTranslation();
};
