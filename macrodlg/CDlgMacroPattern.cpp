#include "macrodlg/CDlgMacroPattern.h"

#include "macrodlg/SubDialogGrid.h"
#include "platform/grid/window/GridMessages.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CString.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/UiTexts.h"

namespace {

// The controls of one direction, left half first.
struct Half {
    int use, alignment, alignmentLabel, fixed, fixedSpacing, count, spacingLabel, grid;
};
constexpr Half kHalves[2] = {
    {CDlgMacroPattern::IDC_USE1, CDlgMacroPattern::IDC_ALIGNMENT1, CDlgMacroPattern::IDC_ALIGNMENT_LABEL1,
     CDlgMacroPattern::IDC_FIXED1, CDlgMacroPattern::IDC_FIXED_SPACING1, CDlgMacroPattern::IDC_COUNT1,
     CDlgMacroPattern::IDC_SPACING_LABEL1, CDlgMacroPattern::IDC_GRID1},
    {CDlgMacroPattern::IDC_USE2, CDlgMacroPattern::IDC_ALIGNMENT2, CDlgMacroPattern::IDC_ALIGNMENT_LABEL2,
     CDlgMacroPattern::IDC_FIXED2, CDlgMacroPattern::IDC_FIXED_SPACING2, CDlgMacroPattern::IDC_COUNT2,
     CDlgMacroPattern::IDC_SPACING_LABEL2, CDlgMacroPattern::IDC_GRID2},
};

// The members of a direction.
struct Direction {
    bool& use;
    PatternAlignment& alignment;
    bool& fixed;
    double& spacing;
    Mx_String& count;
    Mx_StringArray& distances;
};
Direction direction(MacroBoltPattern& p, int i) {
    if (i == 0)
        return {p.useDirection1, p.alignment1, p.fixedSpacing1, p.spacing1, p.nrBolts1, p.distances1};
    return {p.twoDirections, p.alignment2, p.fixedSpacing2, p.spacing2, p.nrBolts2, p.distances2};
}

bool isAlternation(int id) {
    return id >= CDlgMacroPattern::IDC_ALTERNATION1 &&
           id < CDlgMacroPattern::IDC_ALTERNATION1 + CDlgMacroPattern::kAlternations;
}

Mx_String textOf(CWnd* dialog, int id) {
    CString text;
    dialog->GetDlgItemText(id, text);
    return Mx_String(text.str());
}

}  // namespace

CDlgMacroPattern::CDlgMacroPattern(PatternRequest& request, CWnd* parent)
    : CAcUiDialog(IDD, parent), m_request(request), m_pattern(request.pattern.pattern) {}

BOOL CDlgMacroPattern::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    SetWindowText(dialString(1034).c_str());
    SetDlgItemText(IDC_ALTERNATE_ROWS, dialString(1051).c_str());
    SetDlgItemText(IDOK, dialString(285).c_str());
    SetDlgItemText(IDCANCEL, dialString(2).c_str());
    for (int i = 0; i < 2; ++i) {
        const Half& h = kHalves[i];
        SetDlgItemText(h.use, dialString(1402).c_str());
        SetDlgItemText(h.alignmentLabel, dialString(1042).c_str());
        SetDlgItemText(h.fixed, dialString(1043).c_str());
        SetDlgItemText(h.spacingLabel, dialString(1360).c_str());
        if (auto* combo = static_cast<CComboBox*>(GetDlgItem(h.alignment))) {
            for (int text : {695, 996, 1055, 994})
                combo->AddString(dialString(text).c_str());
        }
        m_grids[i].createFromDlgItem(this, h.grid, false);
        m_grids[i].initDefaults(0);
        m_grids[i].SetBool(SSB_ROWHEADERS, FALSE);
        m_grids[i].setResizeMode(1, 0, 0);
    }
    // The layouts' pictures are the installation's, white showing the button face.
    for (int n = 0; n < kAlternations; ++n) {
        CButtonST& button = m_alternations[n];
        if (!button.SubclassDlgItem(IDC_ALTERNATION1 + n, this))
            continue;
        button.SetFlat(FALSE);
        button.SetBitmapFile(
            (gSettings.productDir() + L"\\icons\\BoltAlternation" + Mx_String(n + 1) + L".bmp").str(),
            RGB(255, 255, 255));
    }
    fillControls();
    m_ready = true;
    return TRUE;
}

void CDlgMacroPattern::fillControls() {
    for (int i = 0; i < 2; ++i) {
        const Half& h = kHalves[i];
        const Direction d = direction(m_pattern, i);
        CheckDlgButton(h.use, d.use ? BST_CHECKED : BST_UNCHECKED);
        if (auto* combo = static_cast<CComboBox*>(GetDlgItem(h.alignment)))
            combo->SetCurSel(static_cast<int>(d.alignment));
        CheckDlgButton(h.fixed, d.fixed ? BST_CHECKED : BST_UNCHECKED);
        SetDlgItemText(h.fixedSpacing, Mx_String(d.spacing, 2, true).c_str());
        SetDlgItemText(h.count, d.count.c_str());
        Mx_Array<Mx_StringArray> columns;
        columns.append(d.distances);
        subdlg::showColumns(m_grids[i], {dialString(1062)}, columns);
    }
    for (int n = 0; n < kAlternations; ++n)
        CheckDlgButton(IDC_ALTERNATION1 + n, m_pattern.alternation == n + 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_ALTERNATE_ROWS, m_pattern.alternateRows ? BST_CHECKED : BST_UNCHECKED);
    enableSpacings();
}

void CDlgMacroPattern::enableSpacings() {
    for (const Half& h : kHalves) {
        if (CWnd* edit = GetDlgItem(h.fixedSpacing))
            edit->EnableWindow(IsDlgButtonChecked(h.fixed) == BST_CHECKED ? TRUE : FALSE);
    }
}

void CDlgMacroPattern::readControls() {
    for (int i = 0; i < 2; ++i) {
        const Half& h = kHalves[i];
        const Direction d = direction(m_pattern, i);
        d.use = IsDlgButtonChecked(h.use) == BST_CHECKED;
        if (auto* combo = static_cast<CComboBox*>(GetDlgItem(h.alignment)); combo && combo->GetCurSel() >= 0)
            d.alignment = static_cast<PatternAlignment>(combo->GetCurSel());
        d.fixed = IsDlgButtonChecked(h.fixed) == BST_CHECKED;
        // A spacing that is not a number (yet: the user is typing) keeps the last one.
        double spacing = 0.0;
        if (textOf(this, h.fixedSpacing).toDouble(spacing))
            d.spacing = spacing;
        d.count = textOf(this, h.count);
        Mx_Array<Mx_StringArray> columns;
        subdlg::readColumns(m_grids[i], columns);
        Mx_StringArray distances = columns.isEmpty() ? Mx_StringArray() : columns[0];
        while (!distances.isEmpty() && distances[distances.length() - 1].isEmpty())
            distances.removeAt(distances.length() - 1);  // the grid's blank rows at the end
        d.distances = distances;
    }
    m_pattern.alternation = 0;
    for (int n = 0; n < kAlternations; ++n) {
        if (IsDlgButtonChecked(IDC_ALTERNATION1 + n) == BST_CHECKED)
            m_pattern.alternation = n + 1;
    }
    m_pattern.alternateRows = IsDlgButtonChecked(IDC_ALTERNATE_ROWS) == BST_CHECKED;
}

void CDlgMacroPattern::applyChanges() {
    readControls();
    if (m_request.apply)
        m_request.apply(m_request.pattern);
}

void CDlgMacroPattern::OnOK() {
    applyChanges();
    CAcUiDialog::OnOK();
}

BOOL CDlgMacroPattern::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (!m_ready || id == IDOK || id == IDCANCEL)
        return CAcUiDialog::OnCommand(wParam, lParam);
    if (code == BN_CLICKED && isAlternation(id)) {
        // The five layouts are one choice: the one pressed is on, the others off.
        for (int n = 0; n < kAlternations; ++n)
            CheckDlgButton(IDC_ALTERNATION1 + n, IDC_ALTERNATION1 + n == id ? BST_CHECKED : BST_UNCHECKED);
        applyChanges();
        return TRUE;
    }
    if (code == BN_CLICKED) {
        enableSpacings();
        applyChanges();
        return TRUE;
    }
    if (code == CBN_SELCHANGE || code == EN_CHANGE) {
        applyChanges();
        return TRUE;
    }
    return CAcUiDialog::OnCommand(wParam, lParam);
}

LRESULT CDlgMacroPattern::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_ready && (message == SSM_EDITMODEOFF || message == SSM_COMBOSELCHANGE)) {
        applyChanges();
        return 0;
    }
    return CAcUiDialog::WindowProc(message, wParam, lParam);
}
