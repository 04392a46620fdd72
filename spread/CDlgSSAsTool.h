#pragma once
// CDlgSSAsTool: the spreadsheet tool window's dialog (template 248): a grid over placeholder 1196, OK
// and Cancel. It is created modeless by DlgSSAsTool; OK and Cancel hide it.
#include "platform/mfc/CAcUiDialog.h"
#include "spread/Mx_Spread.h"

class CDlgSSAsTool : public CAcUiDialog {
public:
    enum : UINT { IDD = 248 };
    enum : int { IDC_GRID = 1196 };

    explicit CDlgSSAsTool(CWnd* parent = nullptr);

    Mx_Spread& grid() { return grid_; }

protected:
    BOOL OnInitDialog() override;

private:
    Mx_Spread grid_;
};
