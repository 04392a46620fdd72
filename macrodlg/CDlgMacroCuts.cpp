#include "macrodlg/CDlgMacroCuts.h"

#include <algorithm>
#include <string>

#include "platform/arx/CommandLine.h"
#include "platform/mfc/Bitmap.h"
#include "platform/mfc/CString.h"
#include "platform/mxbase/MacroDrawing.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/UiTexts.h"
#include "platform/mxbase/ui/DialogSize.h"

namespace {

const wchar_t* const kSizeKey = L"DLG_MACRO_CUTS";

struct KindPicture {
    const wchar_t* file;
    int text;
};
const KindPicture kKindPictures[DlgMacroCutsData::kKindCount] = {
    {L"CutProfvsPlate.bmp", 1084},         {L"CutProfvsProf.bmp", 1085}, {L"CutProfinProf.bmp", 1086},
    {L"CutProfvsProf3Segments.bmp", 1087}, {L"CutChamfer.bmp", 1088},    {L"CutFillet.bmp", 1089},
};

struct ParameterLabel {
    const wchar_t* name;
    int text;
};
const ParameterLabel kParameterLabels[] = {
    {L"Offset", 1099},       {L"PolyOffset", 1099},   {L"LengthOffset", 1100},
    {L"CenterOffset", 1101}, {L"InsideOffset", 1102}, {L"OutsideOffset", 1103},
    {L"Offset1", 1104},      {L"Offset2", 1104},      {L"Radius", 740},
};

constexpr int kValueDecimals = 2;

// Blanks around a typed name are not part of it: a name of blanks alone is no name.
Mx_String trimmed(const std::wstring& text) {
    const auto first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return Mx_String();
    const auto last = text.find_last_not_of(L" \t");
    return Mx_String(text.substr(first, last - first + 1));
}

HBITMAP loadKindPicture(const wchar_t* file) {
    Mx_String path = gSettings.productDir();
    path += L"\\icons\\";
    path += file;
    return static_cast<HBITMAP>(LoadImage(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

}  // namespace

CDlgMacroCuts::CDlgMacroCuts(CWnd* parent) : CAcUiDialog(IDD, parent) {}

int CDlgMacroCuts::parameterLabelText(const Mx_String& name) {
    for (const ParameterLabel& label : kParameterLabels) {
        if (name.equal(label.name, false))
            return label.text;
    }
    return 0;
}

BOOL CDlgMacroCuts::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    m_kind.SubclassDlgItem(IDC_KIND, this);
    m_name.SubclassDlgItem(IDC_NAME, this);
    m_profileEnd.SubclassDlgItem(IDC_PROFILE_END, this);
    setUpGrid();
    m_resizer.Init(this, {{IDC_KIND, CResizer::LeftRight},
                          {IDC_NAME, CResizer::LeftRight},
                          {IDC_GRID, CResizer::All},
                          {IDC_POSITION_GROUP, CResizer::BottomLeft},
                          {IDC_AT_END, CResizer::BottomLeft},
                          {IDC_WHOLE_LENGTH, CResizer::BottomLeft},
                          {IDC_AT_POINT, CResizer::BottomLeft},
                          {IDC_PROFILE_END, CResizer::BottomLeft},
                          {IDC_PARTS_GROUP, CResizer::BottomLeft},
                          {IDC_FLANGES_ONLY, CResizer::BottomLeft},
                          {IDC_WEB_ONLY, CResizer::BottomLeft},
                          {IDC_ROUND_CORNERS, CResizer::BottomLeft},
                          {IDC_MACROS_GROUP, CResizer::Left | CResizer::Right | CResizer::Bottom},
                          {IDC_TARGET_LIST, CResizer::BottomLeft},
                          {IDC_TARGET_PICKED, CResizer::BottomLeft},
                          {IDC_MACROS, CResizer::Left | CResizer::Right | CResizer::Bottom},
                          {IDC_SELECT_MACROS, CResizer::BottomRight},
                          {IDOK, CResizer::BottomRight},
                          {IDCANCEL, CResizer::BottomRight}});
    ChangeDlgSize(this, kSizeKey);
    setTexts();
    for (int kind = 0; kind < DlgMacroCutsData::kKindCount; ++kind)
        m_kind.AddBitmap(loadKindPicture(kKindPictures[kind].file), dialString(kKindPictures[kind].text));
    for (int text : {1395, 1396, 1397, 1398})
        m_profileEnd.AddString(dialString(text).c_str());
    m_profileEnd.AddString(L"");
    showData();
    if (data.existingCut) {
        // An existing cut keeps its name and its kind: the macros refer to it by both.
        m_name.EnableWindow(FALSE);
        m_kind.EnableWindow(FALSE);
    }
    return TRUE;
}

void CDlgMacroCuts::setTexts() {
    SetWindowText(dialString(data.existingCut ? 1079 : 1080).c_str());
    SetDlgItemText(IDOK, dialString(1).c_str());
    SetDlgItemText(IDCANCEL, dialString(2).c_str());
    SetDlgItemText(IDC_NAME_LABEL, dialString(1081).c_str());
    SetDlgItemText(IDC_TARGET_LIST, dialString(710).c_str());
    SetDlgItemText(IDC_TARGET_PICKED, dialString(711).c_str());
    SetDlgItemText(IDC_SELECT_MACROS, dialString(1082).c_str());
    SetDlgItemText(IDC_KIND_LABEL, dialString(1083).c_str());
}

void CDlgMacroCuts::setUpGrid() {
    m_grid.createFromDlgItem(this, IDC_GRID, false);
    m_grid.initDefaults(1);
    m_grid.SetBool(SSB_REDRAW, FALSE);
    m_grid.SetBool(SSB_ROWHEADERS, FALSE);
    m_grid.SetMaxCols(3);
    m_grid.SetMaxRows(0);
    m_grid.SetData(kLabelCol, SS_HEADER, dialString(1078).c_str());
    m_grid.SetData(kNameCol, SS_HEADER, dialString(881).c_str());
    m_grid.SetData(kValueCol, SS_HEADER, dialString(87).c_str());
    m_grid.setFontRange(1, SS_HEADER, 3, SS_HEADER, L"Tahoma", 15, true, false);
    m_grid.SetBool(SSB_REDRAW, TRUE);
}

void CDlgMacroCuts::showParameters() {
    const int rows = data.paramNames.length();
    m_grid.SetBool(SSB_REDRAW, FALSE);
    m_grid.SetMaxRows(rows);
    // The labels follow the kind's own parameters, so a renamed parameter keeps its label.
    Mx_StringArray defaults;
    AcArray<double> values;
    AcArray<int> flags;
    DlgMacroCutsData::GetDefaultValues(data.kind, defaults, values, flags);
    for (int i = 0; i < rows; ++i) {
        const int row = i + 1;
        const Mx_String& known = i < defaults.length() ? defaults[i] : data.paramNames[i];
        const int text = parameterLabelText(known);
        m_grid.setStaticTextCell(kLabelCol, row, 0);
        m_grid.setTextCell(kNameCol, row);
        m_grid.setNumberCell(kValueCol, row, kValueDecimals, false);
        m_grid.setCellText(kLabelCol, row, text != 0 ? dialString(text) : data.paramNames[i]);
        m_grid.setCellText(kNameCol, row, data.paramNames[i]);
        m_grid.setCellDouble(kValueCol, row, i < data.paramValues.length() ? data.paramValues[i] : 0.0);
        const bool editable = i >= data.paramFlags.length() || data.paramFlags[i] != 0;
        m_grid.setLock(kNameCol, row, !editable);
        m_grid.setLock(kValueCol, row, !editable);
    }
    if (rows > 0)
        m_grid.setFontRange(1, 1, 3, rows, L"Tahoma", 15, false, false);
    m_grid.fitColumnsToWidth(false, -1);
    m_grid.SetBool(SSB_REDRAW, TRUE);
}

void CDlgMacroCuts::readParameters() {
    for (int i = 0; i < data.paramNames.length(); ++i) {
        Mx_String name;
        m_grid.getCellText(kNameCol, i + 1, name, Mx_Spread::kData);
        data.paramNames[i] = trimmed(name.str());
        double value = 0.0;
        if (m_grid.getCellDouble(kValueCol, i + 1, value) && i < data.paramValues.length())
            data.paramValues[i] = value;
    }
}

void CDlgMacroCuts::fillMacros() {
    CWnd* list = GetDlgItem(IDC_MACROS);
    if (list == nullptr)
        return;
    list->SendMessage(LB_RESETCONTENT);
    for (int i = 0; i < data.macros.names.length(); ++i)
        list->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(data.macros.names[i].c_str()));
    // The name combo offers the names the macros' cuts already have.
    CString typed;
    m_name.GetWindowText(typed);
    m_name.ResetContent();
    Mx_StringArray taken;
    for (int i = 0; i < data.macros.ids.length(); ++i) {
        const Mx_DbMacro* object = MacroDrawing::active().object(data.macros.ids[i]);
        if (object == nullptr)
            continue;
        for (const Mx_Module& module : object->macroRead()->modules()) {
            for (const MacroCut& cut : module.cuts()) {
                if (!taken.contains(cut.name, false))
                    taken.append(cut.name);
            }
        }
    }
    for (int i = 0; i < taken.length(); ++i)
        m_name.AddString(taken[i].c_str());
    m_name.SetWindowText(typed);
}

void CDlgMacroCuts::showData() {
    if (data.kind < 0 || data.kind >= DlgMacroCutsData::kKindCount)
        data.kind = DlgMacroCutsData::kProfileVsPlate;  // a kind the picker does not offer
    if (data.paramNames.isEmpty())
        DlgMacroCutsData::GetDefaultValues(data.kind, data.paramNames, data.paramValues, data.paramFlags);
    m_kind.SetCurSel(data.kind);
    m_name.SetWindowText(data.cutName.c_str());
    fillMacros();
    m_name.SetWindowText(data.cutName.c_str());
    showParameters();
    CheckRadioButton(IDC_TARGET_LIST, IDC_TARGET_PICKED,
                     data.target == 1 ? IDC_TARGET_PICKED : IDC_TARGET_LIST);
    CheckRadioButton(IDC_AT_END, IDC_AT_POINT, IDC_AT_END + std::clamp(data.placement, 0, 2));
    m_profileEnd.SetCurSel(std::clamp(data.profileEnd, 0, 4));
    CheckDlgButton(IDC_FLANGES_ONLY, data.flangesOnly ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_WEB_ONLY, data.webOnly ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_ROUND_CORNERS, data.roundWebCorners ? BST_CHECKED : BST_UNCHECKED);
    updateDependentControls();
}

void CDlgMacroCuts::readData() {
    CString name;
    m_name.GetWindowText(name);
    data.cutName = trimmed(name.str());
    const int kind = m_kind.GetCurSel();
    if (kind >= 0)
        data.kind = kind;
    readParameters();
    data.target = IsDlgButtonChecked(IDC_TARGET_PICKED) == BST_CHECKED ? 1 : 0;
    data.placement = IsDlgButtonChecked(IDC_WHOLE_LENGTH) == BST_CHECKED ? 1
                     : IsDlgButtonChecked(IDC_AT_POINT) == BST_CHECKED   ? 2
                                                                         : 0;
    const int end = m_profileEnd.GetCurSel();
    if (end >= 0)
        data.profileEnd = end;
    data.flangesOnly = IsDlgButtonChecked(IDC_FLANGES_ONLY) == BST_CHECKED;
    data.webOnly = IsDlgButtonChecked(IDC_WEB_ONLY) == BST_CHECKED;
    data.roundWebCorners =
        IsDlgButtonChecked(IDC_ROUND_CORNERS) == BST_CHECKED && data.webOnly && !data.flangesOnly;
}

void CDlgMacroCuts::chooseKind(int kind) {
    if (kind < 0 || kind == data.kind)
        return;
    data.kind = kind;
    DlgMacroCutsData::GetDefaultValues(kind, data.paramNames, data.paramValues, data.paramFlags);
    showParameters();
    updateDependentControls();
}

void CDlgMacroCuts::selectMacros() {
    acedPostCommand(L"CANCELCMD");
    BeginEditorCommand();
    const bool picked = data.macros.UserSelectMacro();
    if (picked) {
        data.flag = true;
        fillMacros();
    }
    CompleteEditorCommand();
}

void CDlgMacroCuts::updateDependentControls() {
    const bool flanges = IsDlgButtonChecked(IDC_FLANGES_ONLY) == BST_CHECKED;
    bool web = IsDlgButtonChecked(IDC_WEB_ONLY) == BST_CHECKED;
    if (data.kind == DlgMacroCutsData::kProfileVsProfile) {
        // A profile against a profile cuts either its flanges or its web, never both alone: the boxes
        // exclude each other (the flanges win when both were ticked under another kind).
        if (flanges && web) {
            CheckDlgButton(IDC_WEB_ONLY, BST_UNCHECKED);
            web = false;
        }
        GetDlgItem(IDC_FLANGES_ONLY)->EnableWindow(!web);
        GetDlgItem(IDC_WEB_ONLY)->EnableWindow(!flanges);
    } else {
        GetDlgItem(IDC_FLANGES_ONLY)->EnableWindow(TRUE);
        GetDlgItem(IDC_WEB_ONLY)->EnableWindow(TRUE);
    }
    GetDlgItem(IDC_ROUND_CORNERS)->EnableWindow(web && !flanges);
    m_profileEnd.EnableWindow(IsDlgButtonChecked(IDC_AT_END) == BST_CHECKED);
}

BOOL CDlgMacroCuts::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == IDC_KIND && code == CBN_SELCHANGE) {
        chooseKind(m_kind.GetCurSel());
        return TRUE;
    }
    if (code == BN_CLICKED) {
        switch (id) {
            case IDC_SELECT_MACROS:
                selectMacros();
                return TRUE;
            case IDC_TARGET_PICKED:
                selectMacros();
                return TRUE;
            case IDC_TARGET_LIST:
                return TRUE;
            case IDC_AT_END:
            case IDC_WHOLE_LENGTH:
            case IDC_AT_POINT:
            case IDC_FLANGES_ONLY:
            case IDC_WEB_ONLY:
            case IDC_ROUND_CORNERS:
                updateDependentControls();
                return TRUE;
            default:
                break;
        }
    }
    return CAcUiDialog::OnCommand(wParam, lParam);
}

bool CDlgMacroCuts::validate() {
    const UINT style = MB_OK | MB_ICONEXCLAMATION;
    if (data.cutName.isEmpty()) {
        MessageBox(dialString(1090).c_str(), dialString(1091).c_str(), style);
        return false;
    }
    if (data.macros.mode == MacrosInDlgData::kNewCut && data.CutNameInUse(data.cutName)) {
        const Mx_String text(dialString(1092).str() + L"\n" + dialString(1093).str());
        MessageBox(text.c_str(), dialString(1094).c_str(), style);
        return false;
    }
    if (!data.AreVarNamesValid()) {
        const Mx_String text(dialString(1095).str() + L"\n" + dialString(1096).str() + L" " +
                             dialString(1097).str() + L" \"gen_\".\n");
        MessageBox(text.c_str(), dialString(1098).c_str(), style);
        return false;
    }
    return true;
}

void CDlgMacroCuts::OnOK() {
    readData();
    if (!validate())
        return;
    CAcUiDialog::OnOK();
}

void CDlgMacroCuts::OnSize(UINT type, int cx, int cy) {
    CAcUiDialog::OnSize(type, cx, cy);
    m_resizer.Move();
}

void CDlgMacroCuts::OnDestroy() {
    WriteDlgSize(this, kSizeKey);
    CAcUiDialog::OnDestroy();
}
