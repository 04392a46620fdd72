#include "macrodlg/CDlgMacroProfAdv.h"

#include <cmath>

#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CRect.h"
#include "platform/mfc/CString.h"
#include "platform/mxbase/DrawingPicks.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/Mx_SectionTableManager.h"
#include "platform/mxbase/UiTexts.h"

namespace {

using Dlg = CDlgMacroProfAdv;

constexpr int kInsertionPoints[] = {
    Dlg::IDC_TOP_LEFT, Dlg::IDC_TOP_CENTRE, Dlg::IDC_TOP_RIGHT, 1049, 1050, 1051, 1052, 1053, 1054};
// The rotation radios in the order of MacroProfData::Rotation.
constexpr int kRotations[] = {Dlg::IDC_ROT0,   Dlg::IDC_ROT90,      Dlg::IDC_ROT180,
                              Dlg::IDC_ROT270, Dlg::IDC_ROT_VARIES, Dlg::IDC_ROT_ANGLE};
constexpr int kBasePlanes[] = {Dlg::IDC_WCS, Dlg::IDC_BASE_VARIES, Dlg::IDC_BASE_PLANE, Dlg::IDC_OWN_COORDSYS,
                               Dlg::IDC_SELECTED_COORDSYS};
constexpr int kMorphed[] = {Dlg::IDC_SECTION2_LABEL, Dlg::IDC_SECTION2_TYPE, Dlg::IDC_SECTION2,
                            Dlg::IDC_GROUP2_START, Dlg::IDC_GROUP2_END};

int indexOf(const int* ids, int count, int id) {
    for (int i = 0; i < count; ++i) {
        if (ids[i] == id)
            return i;
    }
    return -1;
}

Mx_String textOf(CWnd* dialog, int id) {
    CString text;
    dialog->GetDlgItemText(id, text);
    return Mx_String(text.str());
}

CComboBox* combo(CWnd* dialog, int id) {
    return static_cast<CComboBox*>(dialog->GetDlgItem(id));
}

void fill(CComboBox* box, const Mx_StringArray& items) {
    if (box == nullptr)
        return;
    box->ResetContent();
    for (const Mx_String& item : items)
        box->AddString(item.c_str());
}

// Selects the text in an editable combo, or shows it in the field when the list lacks it.
void showText(CComboBox* box, const Mx_String& text) {
    if (box == nullptr)
        return;
    const int index = box->FindStringExact(-1, text.c_str());
    box->SetCurSel(index);
    if (index < 0)
        box->SetWindowText(text.c_str());
}

// The family of a section's system name: "IPE-300" -> "IPE".
Mx_String familyOf(const Mx_String& section) {
    const int dash = section.findFirstFrom(L'-');
    return dash < 0 ? section : section.getSubStringAt(0, dash);
}

void fillSizes(CComboBox* sizes, const Mx_String& family) {
    Mx_StringArray names;
    gSectionTableManager.getSectionNames(family, names);
    Mx_StringArray systemNames;
    for (const Mx_String& name : names)
        systemNames.append(family + L"-" + name);
    fill(sizes, systemNames);
}

}  // namespace

CDlgMacroProfAdv::CDlgMacroProfAdv(ProfAdvRequest& request, CWnd* parent)
    : CAcUiDialog(IDD, parent), m_request(request) {}

bool CDlgMacroProfAdv::call(VlMACallBackType type) {
    if (m_request.callback == nullptr || m_request.data == nullptr)
        return false;
    return m_request.callback(type, *m_request.data, m_prof);
}

BOOL CDlgMacroProfAdv::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    SetDlgItemText(IDC_OWN_COORDSYS, dialString(462).c_str());
    SetDlgItemText(IDC_MIRROR, dialString(1343).c_str());

    Mx_StringArray families;
    gSectionTableManager.getTableNames(families);
    fill(combo(this, IDC_SECTION_TYPE), families);
    fill(combo(this, IDC_SECTION2_TYPE), families);
    Mx_StringArray offsetTypes;
    getOffsetTypeStrings(offsetTypes);
    fill(combo(this, IDC_OFFSET_TYPE), offsetTypes);
    Mx_StringArray coordSystems;
    getAllCoordSys(coordSystems);
    fill(combo(this, IDC_COORDSYS), coordSystems);

    if (m_request.mode)
        GetDlgItem(IDC_GROUP)->EnableWindow(FALSE);
    if (m_request.showOption) {
        GetDlgItem(IDC_GROUP_LABEL)->ShowWindow(SW_HIDE);
        GetDlgItem(IDC_GROUP)->ShowWindow(SW_HIDE);
        GetDlgItem(IDC_OPTION)->ShowWindow(SW_SHOW);
        CheckDlgButton(IDC_OPTION, m_request.option ? BST_CHECKED : BST_UNCHECKED);
    }
    const MacroData* macro = m_request.data != nullptr ? m_request.data->macroCopy() : nullptr;
    GetDlgItem(IDC_OWN_COORDSYS)->EnableWindow(macro != nullptr && macro->tempProfile ? TRUE : FALSE);

    if (call(MACallBackGet))
        showData();
    else
        showMorphed();  // nothing to show: the controls stay empty
    m_ready = true;
    return TRUE;
}

void CDlgMacroProfAdv::showMorphed() {
    for (int id : kMorphed) {
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(m_prof.morphed ? SW_SHOW : SW_HIDE);
    }
    if (m_prof.morphed && !m_grown) {
        CRect frame;
        GetWindowRect(&frame);
        SetWindowPos(nullptr, 0, 0, frame.Width(), frame.Height() + kMorphedGrowth,
                     SWP_NOMOVE | SWP_NOZORDER);
        m_grown = true;
    }
}

void CDlgMacroProfAdv::showData() {
    const bool ready = m_ready;
    m_ready = false;
    SetDlgItemText(IDC_GROUP, m_prof.group.c_str());
    const Mx_String family = familyOf(m_prof.section);
    showText(combo(this, IDC_SECTION_TYPE), family);
    fillSizes(combo(this, IDC_SECTION), family);
    showText(combo(this, IDC_SECTION), m_prof.section);
    showText(combo(this, IDC_MATERIAL), m_prof.material);
    const Mx_String family2 = familyOf(m_prof.section2);
    showText(combo(this, IDC_SECTION2_TYPE), family2);
    fillSizes(combo(this, IDC_SECTION2), family2);
    showText(combo(this, IDC_SECTION2), m_prof.section2);
    SetDlgItemText(IDC_GROUP2_START, m_prof.group2Start.c_str());
    SetDlgItemText(IDC_GROUP2_END, m_prof.group2End.c_str());

    combo(this, IDC_OFFSET_TYPE)->SetCurSel(m_prof.offsetTypeUndefined ? 9 : m_prof.offsetType);
    SetDlgItemText(IDC_OFFSET_X, Mx_String(m_prof.offsetX, 2, true).c_str());
    SetDlgItemText(IDC_OFFSET_Y, Mx_String(m_prof.offsetY, 2, true).c_str());
    for (int i = 0; i < 6; ++i)
        CheckDlgButton(kRotations[i], m_prof.rotation == i ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemText(IDC_ANGLE, m_prof.angle.c_str());

    Mx_StringArray coordSystems;
    getAllCoordSys(coordSystems);
    int plane = 2;  // a plane picked in the drawing
    if (m_prof.basePlane.isEmpty())
        plane = 0;
    else if (m_prof.basePlane == dialString(695))
        plane = 1;
    else if (!m_ownCoordSys.isEmpty() && m_prof.basePlane == m_ownCoordSys)
        plane = 3;
    else if (coordSystems.contains(m_prof.basePlane))
        plane = 4;
    for (int i = 0; i < 5; ++i)
        CheckDlgButton(kBasePlanes[i], plane == i ? BST_CHECKED : BST_UNCHECKED);
    CComboBox* planes = combo(this, IDC_PLANE);
    planes->ResetContent();
    if (plane == 2)
        planes->SetCurSel(planes->AddString(m_prof.basePlane.c_str()));
    fill(combo(this, IDC_COORDSYS), coordSystems);
    if (plane == 4)
        showText(combo(this, IDC_COORDSYS), m_prof.basePlane);

    CheckDlgButton(IDC_MIRROR, m_prof.mirrored ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_ON_SEGMENT, m_prof.onSegment ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemText(IDC_SEGMENT, Mx_String(m_prof.segment).c_str());
    showMorphed();
    m_ready = ready;
}

void CDlgMacroProfAdv::readControls() {
    if (!m_request.mode && !m_request.showOption)
        m_prof.group = textOf(this, IDC_GROUP);
    m_prof.section = textOf(this, IDC_SECTION);
    if (m_prof.morphed) {
        m_prof.section2 = textOf(this, IDC_SECTION2);
        m_prof.group2Start = textOf(this, IDC_GROUP2_START);
        m_prof.group2End = textOf(this, IDC_GROUP2_END);
    }
    m_prof.material = textOf(this, IDC_MATERIAL);
    const int offsetType = getProfOffsetType(combo(this, IDC_OFFSET_TYPE)->GetCurSel());
    m_prof.offsetTypeUndefined = offsetType < 0;  // the old type stays
    if (offsetType >= 0)
        m_prof.offsetType = offsetType;
    double value = 0.0;
    if (textOf(this, IDC_OFFSET_X).toDouble(value))
        m_prof.offsetX = value;
    if (textOf(this, IDC_OFFSET_Y).toDouble(value))
        m_prof.offsetY = value;
    for (int i = 0; i < 6; ++i) {
        if (IsDlgButtonChecked(kRotations[i]) == BST_CHECKED)
            m_prof.rotation = i;
    }
    m_prof.angle = textOf(this, IDC_ANGLE);
    if (IsDlgButtonChecked(IDC_WCS) == BST_CHECKED) {
        m_prof.basePlane = Mx_String();
    } else if (IsDlgButtonChecked(IDC_BASE_VARIES) == BST_CHECKED) {
        m_prof.basePlane = dialString(695);
    } else if (IsDlgButtonChecked(IDC_BASE_PLANE) == BST_CHECKED) {
        m_prof.basePlane = textOf(this, IDC_PLANE);
    } else if (IsDlgButtonChecked(IDC_OWN_COORDSYS) == BST_CHECKED) {
        m_prof.basePlane = m_ownCoordSys;
    } else if (IsDlgButtonChecked(IDC_SELECTED_COORDSYS) == BST_CHECKED) {
        m_prof.basePlane = !m_selectedCoordSys.isEmpty() ? m_selectedCoordSys : textOf(this, IDC_COORDSYS);
    }
    m_prof.mirrored = IsDlgButtonChecked(IDC_MIRROR) == BST_CHECKED;
    m_prof.onSegment = IsDlgButtonChecked(IDC_ON_SEGMENT) == BST_CHECKED;
    int segment = 0;
    if (textOf(this, IDC_SEGMENT).toInt(segment))
        m_prof.segment = segment;
}

void CDlgMacroProfAdv::applyChanges() {
    if (m_request.callback == nullptr)
        return;  // nothing to apply to
    readControls();
    call(MACallBackSet);
    showData();
}

template <class Pick>
void CDlgMacroProfAdv::pickInDrawing(Pick pick) {
    BeginEditorCommand();
    call(MACallBackHideOwner);
    pick();
    call(MACallBackShowOwner);
    CompleteEditorCommand(TRUE);
    applyChanges();
}

void CDlgMacroProfAdv::OnOK() {
    applyChanges();
    if (m_request.showOption)
        m_request.option = IsDlgButtonChecked(IDC_OPTION) == BST_CHECKED;
    CAcUiDialog::OnOK();
}

BOOL CDlgMacroProfAdv::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (!m_ready || id == IDOK || id == IDCANCEL || id == IDC_OPTION)
        return CAcUiDialog::OnCommand(wParam, lParam);
    if (code == BN_CLICKED) {
        if (const int point = indexOf(kInsertionPoints, 9, id); point >= 0) {
            combo(this, IDC_OFFSET_TYPE)->SetCurSel(point);
            applyChanges();
            return TRUE;
        }
        switch (id) {
            case IDC_PICK_OFFSET:
                pickInDrawing([this] {
                    double x = 0.0, y = 0.0;
                    if (UserPickPoint(x, y)) {
                        SetDlgItemText(IDC_OFFSET_X, Mx_String(x, 2, true).c_str());
                        SetDlgItemText(IDC_OFFSET_Y, Mx_String(y, 2, true).c_str());
                    }
                });
                return TRUE;
            case IDC_PICK_ANGLE:
                // The angle from the profile's origin to the point picked.
                pickInDrawing([this] {
                    double x = 0.0, y = 0.0;
                    if (UserPickPoint(x, y) && (x != 0.0 || y != 0.0)) {
                        for (int rotation : kRotations)
                            CheckDlgButton(rotation, rotation == IDC_ROT_ANGLE ? BST_CHECKED : BST_UNCHECKED);
                        const double degrees = std::atan2(y, x) * 180.0 / 3.14159265358979323846;
                        SetDlgItemText(IDC_ANGLE, Mx_String(degrees, 2, true).c_str());
                    }
                });
                return TRUE;
            case IDC_PICK_BASE:
                pickInDrawing([this] {
                    if (IsDlgButtonChecked(IDC_BASE_PLANE) == BST_CHECKED) {
                        Mx_String plane;
                        if (UserSelectPlane(plane)) {
                            CComboBox* planes = combo(this, IDC_PLANE);
                            planes->ResetContent();
                            planes->SetCurSel(planes->AddString(plane.c_str()));
                        }
                        return;
                    }
                    Mx_String name;
                    if (selectCoordSys(name)) {
                        m_selectedCoordSys = name;
                        for (int plane : kBasePlanes)
                            CheckDlgButton(plane,
                                           plane == IDC_SELECTED_COORDSYS ? BST_CHECKED : BST_UNCHECKED);
                    }
                });
                return TRUE;
            case IDC_BASE_PLANE:
            case IDC_SELECTED_COORDSYS: {
                // Without a plane or a coordinate system to take yet, the choice waits for the pick.
                const bool named = id == IDC_BASE_PLANE ? !textOf(this, IDC_PLANE).isEmpty()
                                                        : !m_selectedCoordSys.isEmpty() ||
                                                              !textOf(this, IDC_COORDSYS).isEmpty();
                if (named)
                    applyChanges();
                return TRUE;
            }
            case IDC_OWN_COORDSYS:
                if (m_ownCoordSys.isEmpty()) {
                    AcDbObjectId made;
                    if (createCoordSys(made, m_ownCoordSys)) {
                        m_request.createdCoordSys = true;
                        m_request.coordSysId = made;
                    }
                }
                applyChanges();
                return TRUE;
            default:
                applyChanges();
                return TRUE;
        }
    }
    if (code == CBN_SELCHANGE) {
        if (id == IDC_SECTION_TYPE || id == IDC_SECTION2_TYPE) {
            // A family chosen: its sizes are offered, the first one taken.
            CComboBox* sizes = combo(this, id == IDC_SECTION_TYPE ? IDC_SECTION : IDC_SECTION2);
            fillSizes(sizes, textOf(this, id));
            sizes->SetCurSel(0);
        }
        if (id == IDC_COORDSYS)
            m_selectedCoordSys = Mx_String();  // the list's choice wins over an earlier selection
        applyChanges();
        return TRUE;
    }
    if (code == EN_KILLFOCUS || code == CBN_KILLFOCUS) {
        applyChanges();
        return TRUE;
    }
    return CAcUiDialog::OnCommand(wParam, lParam);
}
