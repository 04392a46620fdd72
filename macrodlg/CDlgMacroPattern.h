#pragma once
// CDlgMacroPattern: the bolt-pattern dialog (template 222) of a general page. Two halves, one per
// direction of the pattern (used or not, alignment, fixed spacing or a list of distances, the count
// in the product's spacing notation), and five alternation layouts of which at most one is chosen.
// Once open, every change reads the controls into the pattern and hands it to the page (the request's
// apply), which puts it into the tab at the pattern's index and applies the page. OK applies once
// more and closes.
#include "macrodlg/MacroSubDialogRunners.h"
#include "platform/mfc/ButtonST.h"
#include "platform/mfc/CAcUiDialog.h"
#include "spread/Mx_Spread.h"

class CDlgMacroPattern : public CAcUiDialog {
public:
    enum : UINT { IDD = 222 };
    enum : int {
        IDC_FIXED_SPACING1 = 1264,
        IDC_SPACING_LABEL1 = 1265,
        IDC_COUNT1 = 1266,
        IDC_FIXED_SPACING2 = 1267,
        IDC_SPACING_LABEL2 = 1268,
        IDC_COUNT2 = 1269,
        IDC_ALTERNATE_ROWS = 1273,
        IDC_ALIGNMENT_LABEL1 = 1278,
        IDC_ALIGNMENT1 = 1279,
        IDC_ALIGNMENT_LABEL2 = 1280,
        IDC_ALIGNMENT2 = 1281,
        IDC_FIXED1 = 1356,
        IDC_GRID1 = 1357,
        IDC_GRID2 = 1358,
        IDC_USE1 = 1359,
        IDC_FIXED2 = 1360,
        IDC_USE2 = 1361,
        IDC_ALTERNATION1 = 1445,  // ... to 1449
    };
    static constexpr int kAlternations = 5;

    explicit CDlgMacroPattern(PatternRequest& request, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void fillControls();
    void enableSpacings();
    void readControls();
    void applyChanges();

    PatternRequest& m_request;
    MacroBoltPattern& m_pattern;
    bool m_ready = false;  // set once the dialog has finished opening
    Mx_Spread m_grids[2];
    CButtonST m_alternations[kAlternations];
};
