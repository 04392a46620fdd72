#pragma once
// CDlgMacroProfAdv: the profile-advanced dialog (template 220). It edits how the profiles of a group
// (or one profile) are placed: sections, offset, rotation, base plane, polyline segment. It reads and
// writes the properties only through its owner's callback (VlMACallBackData.h): Get when it opens, Set
// with every change (the owner updates the drawing and puts back what it made of them), Hide/ShowOwner
// around a pick in the drawing. Without a callback it shows nothing and changes nothing.
#include "macrodlg/ProfAdvDialogRunner.h"
#include "platform/mfc/CAcUiDialog.h"

class CDlgMacroProfAdv : public CAcUiDialog {
public:
    enum : UINT { IDD = 220 };
    enum : int {
        IDC_TOP_LEFT = 1232,
        IDC_TOP_CENTRE = 1236,
        IDC_TOP_RIGHT = 1237,
        IDC_CENTRE_LEFT = 1049,  // ... 1054 the rest of the insertion points, row by row
        IDC_GROUP_LABEL = 1187,
        IDC_SECTION_LABEL = 1188,
        IDC_SECTION2_LABEL = 1189,
        IDC_ROTATION_GROUP = 1216,
        IDC_BASE_GROUP = 1217,
        IDC_GROUP = 1223,
        IDC_ON_SEGMENT = 1224,
        IDC_SEGMENT = 1226,
        IDC_OFFSET_GROUP = 1227,
        IDC_OFFSET_TYPE = 1228,
        IDC_PICK_OFFSET = 1229,
        IDC_OFFSET_X = 1231,
        IDC_ROT0 = 1233,
        IDC_OFFSET_Y = 1235,
        IDC_ROT90 = 1238,
        IDC_ROT180 = 1239,
        IDC_ROT270 = 1240,
        IDC_ROT_ANGLE = 1241,
        IDC_ANGLE = 1242,
        IDC_WCS = 1243,
        IDC_BASE_VARIES = 1244,
        IDC_BASE_PLANE = 1245,
        IDC_PICK_BASE = 1246,
        IDC_ROT_VARIES = 1247,
        IDC_GROUP2_START = 1248,
        IDC_GROUP2_END = 1249,
        IDC_SECTION_TYPE = 1250,
        IDC_SECTION = 1251,
        IDC_PLANE = 1252,
        IDC_COORDSYS = 1253,
        IDC_SECTION2_TYPE = 1254,
        IDC_SECTION2 = 1255,
        IDC_MATERIAL = 1256,
        IDC_OPTION = 1257,
        IDC_PICK_ANGLE = 1320,
        IDC_OWN_COORDSYS = 1350,
        IDC_SELECTED_COORDSYS = 1351,
        IDC_MIRROR = 1354,
    };
    static constexpr int kMorphedGrowth = 65;  // pixels the dialog grows by for a second section

    explicit CDlgMacroProfAdv(ProfAdvRequest& request, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    bool call(VlMACallBackType type);
    void showData();
    void readControls();
    void applyChanges();
    // A pick in the drawing, the dialog and its owner stepping aside; then applies.
    template <class Pick>
    void pickInDrawing(Pick pick);
    void showMorphed();

    ProfAdvRequest& m_request;
    MacroProfData m_prof;
    Mx_String m_ownCoordSys;       // the coordinate system this dialog made (radio 1350)
    Mx_String m_selectedCoordSys;  // the one selected with button 1246
    bool m_ready = false;
    bool m_grown = false;
};
