#pragma once
// CDlgMacroCuts: defines a cut of a macro (template 223): its kind (a picture combo), its name, its
// parameters in a grid, where on the profile it lies, which parts of the profile it cuts, and the
// macros it applies to. OK is refused while the name is missing, is taken by another cut (new cuts)
// or a parameter name is not a valid variable name.
#include "macrodlg/CBitmapPickerCombo.h"
#include "platform/mfc/CAcUiDialog.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mxbase/MacroCutsData.h"
#include "platform/mxbase/ui/CResizer.h"
#include "spread/Mx_Spread.h"

class CDlgMacroCuts : public CAcUiDialog {
public:
    enum : UINT { IDD = 223 };
    enum : int {
        IDC_GRID = 1196,
        IDC_NAME_LABEL = 1123,
        IDC_KIND_LABEL = 1280,
        IDC_NAME = 1282,
        IDC_PROFILE_END = 1283,
        IDC_KIND = 1284,
        IDC_TARGET_LIST = 1285,
        IDC_TARGET_PICKED = 1286,
        IDC_MACROS = 1287,
        IDC_AT_END = 1288,
        IDC_WHOLE_LENGTH = 1289,
        IDC_AT_POINT = 1290,
        IDC_FLANGES_ONLY = 1323,
        IDC_WEB_ONLY = 1325,
        IDC_ROUND_CORNERS = 1326,
        IDC_SELECT_MACROS = 1079,
        IDC_POSITION_GROUP = 1300,
        IDC_PARTS_GROUP = 1301,
        IDC_MACROS_GROUP = 1302,
    };
    // Grid columns: the parameter's label, its variable name, its value.
    enum : int { kLabelCol = 1, kNameCol = 2, kValueCol = 3 };

    explicit CDlgMacroCuts(CWnd* parent = nullptr);

    DlgMacroCutsData data;

    // The UI text a parameter of that name is shown under; 0 for a name none is known for.
    static int parameterLabelText(const Mx_String& name);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;

private:
    void setTexts();
    void setUpGrid();
    void showParameters();
    void readParameters();
    void fillMacros();
    void showData();
    void readData();
    void chooseKind(int kind);
    void selectMacros();
    void updateDependentControls();
    bool validate();

    CBitmapPickerCombo m_kind;
    CComboBox m_name;
    CComboBox m_profileEnd;
    Mx_Spread m_grid;
    CResizer m_resizer;
};
