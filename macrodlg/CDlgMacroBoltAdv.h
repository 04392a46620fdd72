#pragma once
// CDlgMacroBoltAdv: the bolt-advanced dialog (template 8140) of a bolt page. It edits a copy of the
// page's bolt data: composition and diameter, lengths, switches, nuts and washers, the hole of each
// part and the slotted holes. Every change is applied at once through the page (the request's apply),
// so the drawing follows the dialog; an invalid slotted hole stops the apply with a message. OK
// applies once more and closes only when that apply succeeded. The size is kept under
// "DLG_MACRO_BOLTADVANCED".
#include <memory>

#include "macrodlg/MacroSubDialogRunners.h"
#include "platform/mfc/ButtonST.h"
#include "platform/mfc/CAcUiDialog.h"
#include "platform/mfc/CheckComboBox.h"
#include "spread/Mx_Spread.h"

class CDlgMacroBoltAdv : public CAcUiDialog {
public:
    enum : UINT { IDD = 8140 };
    enum : int {
        IDC_COMPOSITION = 1091,
        IDC_DIAMETER = 1092,
        IDC_WORKSHOP = 1095,
        IDC_ADDED_LENGTH = 1102,
        IDC_PENETRATION = 1103,
        IDC_TOLERANCE = 1104,
        IDC_SLOTTED_LIST = 1108,
        IDC_SLOTTED_GROUP = 1109,
        IDC_TAPPED = 1110,
        IDC_COMPOSITION_LABEL = 1111,
        IDC_DIAMETER_LABEL = 1112,
        IDC_LENGTH_LABEL = 1113,
        IDC_RADIUS_LABEL = 1114,
        IDC_COUNTERSUNK = 1115,
        IDC_FLIPPED = 1116,
        IDC_HOLES_GROUP = 1117,
        IDC_LENGTH = 1118,
        IDC_RADIUS = 1119,
        IDC_ACTIVE = 1120,
        IDC_PENETRATION_LABEL = 1121,
        IDC_ANGLE_LABEL = 1122,
        IDC_TOLERANCE_LABEL = 1123,
        IDC_OFFSET_LABEL = 1124,
        IDC_OFFSET = 1125,
        IDC_ADDED_LENGTH_LABEL = 1126,
        IDC_PICTURE = 1178,
        IDC_HOLE_GRID = 1196,
        IDC_ANGLE = 1022,
        IDC_TYPE = 1324,
        IDC_SEPARATE_HOLES = 1343,
        IDC_SEPARATE_LABEL = 1344,
        IDC_TYPE_LABEL = 1365,
        IDC_WASHER1_LABEL = 8665,
        IDC_NUT2_LABEL = 8667,
        IDC_NUT1_LABEL = 8669,
        IDC_WASHERS_LABEL = 8672,
        IDC_WASHER2_LABEL = 8675,
        IDC_WASHER1 = 8710,
        IDC_WASHER2 = 8711,
        IDC_WASHERS = 8712,
        IDC_NUT1 = 8713,
        IDC_NUT2 = 8714,
    };
    // The pictures of the nut and washer switches.
    enum : int { kNutBitmap = 8720, kWasherBitmap = 8721, kWashersBitmap = 8722 };

    // The request outlives the dialog: its data is the dialog's copy, its apply the page's.
    explicit CDlgMacroBoltAdv(BoltAdvRequest& request, CWnd* parent = nullptr);
    ~CDlgMacroBoltAdv() override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    void fillControls();
    void showSlottedHole(int index);
    void readControls();
    void readSlottedHole(int index);
    // Reads, checks and hands the data to the page; false when invalid or the page applied nothing.
    bool applyChanges();
    void showSeparateHoleOption();

    BoltAdvRequest& m_request;
    MacroBoltData& m_data;
    int m_current = -1;  // the slotted hole shown
    bool m_filling = false;
    Mx_Spread m_holes;
    CCheckComboBox m_slotted;
    CButtonST m_switches[5];
    HBITMAP m_picture = nullptr;
};
