#include "macrodlg/CDlgMacroProfSegm.h"

#include "macrodlg/SubDialogGrid.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CString.h"
#include "platform/mxbase/UiTexts.h"
#include "platform/mxbase/ui/DialogSize.h"

namespace {

constexpr wchar_t kSizeKey[] = L"DLG_MACRO_PROFSEGMENTED";

Mx_String textOf(CWnd* dialog, int id) {
    CString text;
    dialog->GetDlgItemText(id, text);
    return Mx_String(text.str());
}

}  // namespace

CDlgMacroProfSegm::CDlgMacroProfSegm(ProfSegmRequest& request, CWnd* parent)
    : CAcUiDialog(IDD, parent), m_request(request), m_segments(request.segments) {}

BOOL CDlgMacroProfSegm::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    ChangeDlgSize(this, kSizeKey, true);
    SetWindowText(dialString(1028).c_str());
    const std::pair<int, int> labels[] = {{IDC_SEGMENTS_LABEL, 1028},
                                          {IDC_SECTION_GROUP, 63},
                                          {IDC_NAME_LABEL, 1029},
                                          {IDC_CLEARANCE_LABEL, 266},
                                          {IDC_BREAK, 1030},
                                          {IDC_NEW, 1031},
                                          {IDOK, 1},
                                          {IDCANCEL, 2}};
    for (const auto& [id, text] : labels)
        SetDlgItemText(id, dialString(text).c_str());
    const std::tuple<CButtonST*, int, int, int> pictures[] = {{&m_insert, IDC_INSERT, kInsertIcon, 1026},
                                                              {&m_delete, IDC_DELETE, kDeleteIcon, 1027}};
    for (const auto& [button, id, icon, tip] : pictures) {
        if (!button->SubclassDlgItem(id, this))
            continue;
        button->SetFlat(FALSE);
        button->SetIcon(icon);
        button->SetTooltipText(dialString(tip).c_str());
    }
    m_grid.createFromDlgItem(this, IDC_GRID, false);
    m_grid.initDefaults(0);
    m_grid.SetBool(SSB_ROWHEADERS, FALSE);
    m_grid.setResizeMode(1, 0, 0);
    if (auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_SEGMENTS))) {
        for (const MacroProfSegmentedData& segment : m_segments)
            combo->AddString(segment.name.c_str());
    }
    show(m_segments.isEmpty() ? -1 : 0);
    return TRUE;
}

void CDlgMacroProfSegm::OnDestroy() {
    WriteDlgSize(this, kSizeKey);
    CAcUiDialog::OnDestroy();
}

void CDlgMacroProfSegm::showPoints(const Mx_StringArray& points) {
    Mx_StringArray numbers;
    for (int i = 1; i <= points.length(); ++i)
        numbers.append(Mx_String(i));
    Mx_Array<Mx_StringArray> columns;
    columns.append(numbers);
    columns.append(points);
    subdlg::showColumns(m_grid, {dialString(1032) + L" nr.", dialString(1033)}, columns);
    m_grid.setStaticTextColumn(1, 0);
}

Mx_StringArray CDlgMacroProfSegm::readPoints() {
    Mx_Array<Mx_StringArray> columns;
    subdlg::readColumns(m_grid, columns);
    Mx_StringArray points = columns.length() >= 2 ? columns[1] : Mx_StringArray();
    while (!points.isEmpty() && points[points.length() - 1].isEmpty())
        points.removeAt(points.length() - 1);  // the grid's blank rows at the end
    return points;
}

void CDlgMacroProfSegm::show(int index) {
    m_current = m_segments.isValidIndex(index) ? index : -1;
    const MacroProfSegmentedData shown = m_current >= 0 ? m_segments[m_current] : MacroProfSegmentedData();
    if (auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_SEGMENTS)))
        combo->SetCurSel(m_current);
    SetDlgItemText(IDC_NAME, shown.name.c_str());
    SetDlgItemText(IDC_CLEARANCE, shown.clearance.c_str());
    CheckDlgButton(IDC_BREAK, shown.breakAtPoints ? BST_CHECKED : BST_UNCHECKED);
    showPoints(shown.points);
}

void CDlgMacroProfSegm::read(int index) {
    MacroProfSegmentedData* segment = m_segments.at(index);
    if (segment == nullptr)
        return;
    segment->name = textOf(this, IDC_NAME);
    segment->clearance = textOf(this, IDC_CLEARANCE);
    segment->breakAtPoints = IsDlgButtonChecked(IDC_BREAK) == BST_CHECKED;
    segment->points = readPoints();
}

void CDlgMacroProfSegm::OnOK() {
    read(m_current);
    m_request.segments = m_segments;
    CAcUiDialog::OnOK();
}

BOOL CDlgMacroProfSegm::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (code == CBN_SELCHANGE && id == IDC_SEGMENTS) {
        read(m_current);
        if (auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_SEGMENTS)))
            show(combo->GetCurSel());
        return TRUE;
    }
    if (code == BN_CLICKED && (id == IDC_INSERT || id == IDC_DELETE)) {
        const int row = m_grid.selectedRow();
        Mx_StringArray points = readPoints();
        if (id == IDC_INSERT) {
            points.insertAt(row >= 1 && row <= points.length() ? row - 1 : points.length(),
                            Mx_String(L"0,0,0"));
        } else if (row >= 1 && row <= points.length()) {
            points.removeAt(row - 1);
        }
        showPoints(points);
        return TRUE;
    }
    if (code == BN_CLICKED && id == IDC_NEW)
        return TRUE;  // NOTE: picking a new point on the screen is not offered; the button does nothing
    return CAcUiDialog::OnCommand(wParam, lParam);
}
