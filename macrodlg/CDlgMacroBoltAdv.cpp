#include "macrodlg/CDlgMacroBoltAdv.h"

#include "macrodlg/SubDialogGrid.h"
#include "platform/mfc/Bitmap.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/GdiObjects.h"
#include "platform/mxbase/BoltAssemblies.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/Mx_StringArray.h"
#include "platform/mxbase/UiTexts.h"
#include "platform/mxbase/ui/DialogSize.h"

namespace {

constexpr wchar_t kSizeKey[] = L"DLG_MACRO_BOLTADVANCED";

// The four switches and the five nut and washer switches, with the member each one shows.
struct SwitchControl {
    int id;
    Switch MacroBoltData::*member;
};
constexpr SwitchControl kSwitches[] = {
    {CDlgMacroBoltAdv::IDC_WORKSHOP, &MacroBoltData::workshop},
    {CDlgMacroBoltAdv::IDC_COUNTERSUNK, &MacroBoltData::countersunk},
    {CDlgMacroBoltAdv::IDC_FLIPPED, &MacroBoltData::flipped},
    {CDlgMacroBoltAdv::IDC_TAPPED, &MacroBoltData::tapped},
    {CDlgMacroBoltAdv::IDC_NUT1, &MacroBoltData::nut1},
    {CDlgMacroBoltAdv::IDC_NUT2, &MacroBoltData::nut2},
    {CDlgMacroBoltAdv::IDC_WASHER1, &MacroBoltData::washer1},
    {CDlgMacroBoltAdv::IDC_WASHER2, &MacroBoltData::washer2},
    {CDlgMacroBoltAdv::IDC_WASHERS, &MacroBoltData::washers},
};

struct TextControl {
    int id;
    Mx_String MacroBoltData::*member;
};
constexpr TextControl kTexts[] = {
    {CDlgMacroBoltAdv::IDC_TOLERANCE, &MacroBoltData::holeTolerance},
    {CDlgMacroBoltAdv::IDC_PENETRATION, &MacroBoltData::penetrationLength},
    {CDlgMacroBoltAdv::IDC_ADDED_LENGTH, &MacroBoltData::addedLength},
};

UINT checkState(Switch value) {
    return value == Switch::On ? BST_CHECKED : value == Switch::Varies ? BST_INDETERMINATE : BST_UNCHECKED;
}

Switch switchOf(UINT state) {
    return state == BST_CHECKED ? Switch::On : state == BST_INDETERMINATE ? Switch::Varies : Switch::Off;
}

bool isSwitch(int id) {
    for (const SwitchControl& s : kSwitches) {
        if (s.id == id)
            return true;
    }
    return false;
}

// Fills a combo with the texts and selects `current`, adding it when the list lacks it.
void fillAndSelect(CComboBox* combo, const Mx_StringArray& items, const Mx_String& current) {
    if (combo == nullptr)
        return;
    combo->ResetContent();
    for (const Mx_String& item : items)
        combo->AddString(item.c_str());
    int index = combo->FindStringExact(-1, current.c_str());
    if (index < 0 && !current.isEmpty())
        index = combo->AddString(current.c_str());
    combo->SetCurSel(index);
}

Mx_String comboText(CWnd* dialog, int id) {
    CString text;
    dialog->GetDlgItemText(id, text);
    return Mx_String(text.str());
}

Mx_String slottedLine(int index) {
    return dialString(999) + L" nr: " + Mx_String(index + 1);
}

}  // namespace

CDlgMacroBoltAdv::CDlgMacroBoltAdv(BoltAdvRequest& request, CWnd* parent)
    : CAcUiDialog(IDD, parent), m_request(request), m_data(request.data) {}

CDlgMacroBoltAdv::~CDlgMacroBoltAdv() {
    if (m_picture)
        DeleteObject(m_picture);
}

BOOL CDlgMacroBoltAdv::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    ChangeDlgSize(this, kSizeKey, true);
    m_picture = ui::gdi::loadBitmapFile((gSettings.mxDir() + L"icons\\DrawBolt2.bmp").str());
    if (m_picture)
        SendDlgItemMessage(IDC_PICTURE, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_picture));

    SetWindowText(dialString(983).c_str());
    const std::pair<int, int> labels[] = {{IDC_COMPOSITION_LABEL, 275},
                                          {IDC_TOLERANCE_LABEL, 278},
                                          {IDC_DIAMETER_LABEL, 328},
                                          {IDC_PENETRATION_LABEL, 277},
                                          {IDC_ADDED_LENGTH_LABEL, 242},
                                          {IDC_SEPARATE_HOLES, 984},
                                          {IDC_TAPPED, 674},
                                          {IDC_FLIPPED, 985},
                                          {IDC_COUNTERSUNK, 234},
                                          {IDC_WORKSHOP, 276},
                                          {IDC_TYPE_LABEL, 1477},
                                          {IDC_SLOTTED_GROUP, 986},
                                          {IDC_ACTIVE, 761},
                                          {IDC_HOLES_GROUP, 328},
                                          {IDC_LENGTH_LABEL, 987},
                                          {IDC_RADIUS_LABEL, 988},
                                          {IDC_OFFSET_LABEL, 989},
                                          {IDC_ANGLE_LABEL, 990},
                                          {IDOK, 1},
                                          {IDCANCEL, 2}};
    for (const auto& [id, text] : labels)
        SetDlgItemText(id, dialString(text).c_str());
    SetDlgItemText(IDC_NUT1_LABEL, (dialString(991) + L" 1").c_str());
    SetDlgItemText(IDC_NUT2_LABEL, (dialString(991) + L" 2").c_str());
    SetDlgItemText(IDC_WASHER1_LABEL, dialString(992).c_str());
    SetDlgItemText(IDC_WASHER2_LABEL, dialString(992).c_str());
    SetDlgItemText(IDC_WASHERS_LABEL, dialString(993).c_str());

    const std::pair<int, int> pictures[] = {{IDC_NUT1, kNutBitmap},
                                            {IDC_NUT2, kNutBitmap},
                                            {IDC_WASHER1, kWasherBitmap},
                                            {IDC_WASHER2, kWasherBitmap},
                                            {IDC_WASHERS, kWashersBitmap}};
    for (int i = 0; i < 5; ++i) {
        if (m_switches[i].SubclassDlgItem(pictures[i].first, this)) {
            m_switches[i].SetFlat(FALSE);
            m_switches[i].SetBitmaps(pictures[i].second, RGB(255, 255, 255));
        }
    }
    m_slotted.SubclassDlgItem(IDC_SLOTTED_LIST, this);
    if (auto* type = static_cast<CComboBox*>(GetDlgItem(IDC_TYPE))) {
        for (int text : {994, 995, 996})
            type->AddString(dialString(text).c_str());
    }
    m_holes.createFromDlgItem(this, IDC_HOLE_GRID, false);
    m_holes.initDefaults(0);
    m_holes.SetBool(SSB_ROWHEADERS, FALSE);
    m_holes.setResizeMode(1, 0, 0);

    fillControls();
    showSlottedHole(m_data.slottedHoles.isEmpty() ? -1 : 0);
    return TRUE;
}

void CDlgMacroBoltAdv::OnDestroy() {
    WriteDlgSize(this, kSizeKey);
    CAcUiDialog::OnDestroy();
}

void CDlgMacroBoltAdv::fillControls() {
    m_filling = true;
    Mx_StringArray assemblies;
    GetAssemblies(assemblies);
    fillAndSelect(static_cast<CComboBox*>(GetDlgItem(IDC_COMPOSITION)), assemblies, m_data.composition);
    fillAndSelect(static_cast<CComboBox*>(GetDlgItem(IDC_DIAMETER)), m_request.diameters, m_data.diameter);
    for (const TextControl& t : kTexts)
        SetDlgItemText(t.id, (m_data.*t.member).c_str());
    for (const SwitchControl& s : kSwitches)
        CheckDlgButton(s.id, checkState(m_data.*s.member));
    showSeparateHoleOption();
    CheckDlgButton(IDC_SEPARATE_HOLES, m_data.separateHoles ? BST_CHECKED : BST_UNCHECKED);

    Mx_StringArray headings;
    Mx_Array<Mx_StringArray> columns;
    m_data.getHoleColumns(headings, columns);
    subdlg::showColumns(m_holes, headings, columns);
    m_holes.setStaticTextColumn(1, 0);  // the parts are the drawing's

    m_slotted.ResetContent();
    for (int i = 0; i < m_data.slottedHoles.length(); ++i) {
        m_slotted.AddString(slottedLine(i).c_str());
        m_slotted.SetCheck(i, m_data.slottedHoles[i].active ? TRUE : FALSE);
    }
    m_filling = false;
    if (m_current >= m_data.slottedHoles.length())
        m_current = m_data.slottedHoles.length() - 1;
    showSlottedHole(m_current);
}

void CDlgMacroBoltAdv::showSeparateHoleOption() {
    const bool offered = m_data.boltCount >= 1;
    SetDlgItemText(IDC_SEPARATE_LABEL, dialString(offered ? 997 : 998).c_str());
    if (CWnd* option = GetDlgItem(IDC_SEPARATE_HOLES))
        option->EnableWindow(offered ? TRUE : FALSE);
}

void CDlgMacroBoltAdv::showSlottedHole(int index) {
    m_filling = true;
    m_current = m_data.slottedHoles.isValidIndex(index) ? index : -1;
    const MacroSlottedHole shown = m_current >= 0 ? m_data.slottedHoles[m_current] : MacroSlottedHole();
    m_slotted.SetCurSel(m_current);
    CheckDlgButton(IDC_ACTIVE, shown.active ? BST_CHECKED : BST_UNCHECKED);
    if (auto* type = static_cast<CComboBox*>(GetDlgItem(IDC_TYPE)))
        type->SetCurSel(m_current >= 0 ? shown.typeIndex() : -1);
    SetDlgItemText(IDC_LENGTH, shown.length.c_str());
    SetDlgItemText(IDC_RADIUS, shown.radius.c_str());
    SetDlgItemText(IDC_ANGLE, shown.angle.c_str());
    SetDlgItemText(IDC_OFFSET, shown.offset.c_str());
    // Without slotted holes there is nothing to edit.
    for (int id : {IDC_ACTIVE, IDC_TYPE, IDC_LENGTH, IDC_RADIUS, IDC_ANGLE, IDC_OFFSET})
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(m_current >= 0 ? TRUE : FALSE);
    m_filling = false;
}

void CDlgMacroBoltAdv::readSlottedHole(int index) {
    MacroSlottedHole* hole = m_data.slottedHoles.at(index);
    if (hole == nullptr)
        return;
    hole->active = IsDlgButtonChecked(IDC_ACTIVE) == BST_CHECKED;
    if (auto* type = static_cast<CComboBox*>(GetDlgItem(IDC_TYPE)); type != nullptr && type->GetCurSel() >= 0)
        hole->type = type->GetCurSel();
    hole->length = comboText(this, IDC_LENGTH);
    hole->radius = comboText(this, IDC_RADIUS);
    hole->angle = comboText(this, IDC_ANGLE);
    hole->offset = comboText(this, IDC_OFFSET);
}

void CDlgMacroBoltAdv::readControls() {
    m_data.composition = comboText(this, IDC_COMPOSITION);
    m_data.diameter = comboText(this, IDC_DIAMETER);
    for (const TextControl& t : kTexts)
        m_data.*t.member = comboText(this, t.id);
    for (const SwitchControl& s : kSwitches)
        m_data.*s.member = switchOf(IsDlgButtonChecked(s.id));
    if (m_data.boltCount >= 1)
        m_data.separateHoles = IsDlgButtonChecked(IDC_SEPARATE_HOLES) == BST_CHECKED;
    Mx_Array<Mx_StringArray> columns;
    subdlg::readColumns(m_holes, columns);
    m_data.setHoleColumns(columns);
    readSlottedHole(m_current);
}

bool CDlgMacroBoltAdv::applyChanges() {
    readControls();
    const int invalid = m_data.firstInvalidSlottedHole();
    if (invalid >= 0) {
        const Mx_String text = dialString(1000) + L" " + Mx_String(invalid) + L" " + dialString(1001) +
                               L"\n\n" + dialString(888) + L".";
        MessageBox(text.c_str(), L"Ongeldige waarde", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (!m_request.apply || !m_request.apply(m_data))
        return false;
    fillControls();
    return true;
}

void CDlgMacroBoltAdv::OnOK() {
    if (applyChanges())
        CAcUiDialog::OnOK();
}

BOOL CDlgMacroBoltAdv::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (m_filling)
        return CAcUiDialog::OnCommand(wParam, lParam);
    if (code == BN_CLICKED && isSwitch(id)) {
        // A click takes a switch out of Varies: it becomes set or cleared, never Varies again.
        const UINT state = IsDlgButtonChecked(id);
        CheckDlgButton(id, state == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
        applyChanges();
        return TRUE;
    }
    if (code == STN_CLICKED && id == IDC_NUT1_LABEL) {
        CheckDlgButton(IDC_NUT1, IsDlgButtonChecked(IDC_NUT1) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
        applyChanges();
        return TRUE;
    }
    if (code == BN_CLICKED && (id == IDC_SEPARATE_HOLES || id == IDC_ACTIVE)) {
        if (id == IDC_ACTIVE && m_current >= 0)
            m_slotted.SetCheck(m_current, IsDlgButtonChecked(IDC_ACTIVE) == BST_CHECKED ? TRUE : FALSE);
        applyChanges();
        return TRUE;
    }
    if (code == CBN_SELCHANGE && (id == IDC_COMPOSITION || id == IDC_DIAMETER || id == IDC_TYPE)) {
        applyChanges();
        return TRUE;
    }
    if (code == CBN_SELCHANGE && id == IDC_SLOTTED_LIST) {
        // Another slotted hole: what was typed stays with the hole it was typed for, nothing applies.
        readSlottedHole(m_current);
        showSlottedHole(m_slotted.GetCurSel());
        return TRUE;
    }
    if (code == CBN_CHECKCHANGE && id == IDC_SLOTTED_LIST) {
        // A tick in the list sets that hole's active switch, as the Active box does for the shown one.
        readSlottedHole(m_current);
        for (int i = 0; i < m_data.slottedHoles.length(); ++i)
            m_data.slottedHoles[i].active = m_slotted.GetCheck(i) != FALSE;
        showSlottedHole(m_current);
        applyChanges();
        return TRUE;
    }
    return CAcUiDialog::OnCommand(wParam, lParam);
}
