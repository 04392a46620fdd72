#include "macrodlg/CDlgArray.h"

#include "designer/Mx_DlgDesignerData.h"  // getModuleImages
#include "macrodlg/SubDialogGrid.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CString.h"
#include "platform/mxbase/UiTexts.h"

namespace {

struct TextControl {
    int id;
    Mx_String DynArrayData::*member;
};
constexpr TextControl kTexts[] = {
    {CDlgArray::IDC_COUNT, &DynArrayData::count},         {CDlgArray::IDC_DISTANCE, &DynArrayData::distance},
    {CDlgArray::IDC_START, &DynArrayData::startValue},    {CDlgArray::IDC_END, &DynArrayData::endValue},
    {CDlgArray::IDC_INCREMENT, &DynArrayData::increment}, {CDlgArray::IDC_SKIP, &DynArrayData::skip},
};
constexpr int kDimensions[] = {CDlgArray::IDC_DIM1, CDlgArray::IDC_DIM2, CDlgArray::IDC_DIM3};

Mx_String textOf(CWnd* dialog, int id) {
    CString text;
    dialog->GetDlgItemText(id, text);
    return Mx_String(text.str());
}

// Fills a list and selects the text; a text the list lacks is added, so nothing is lost unseen.
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

}  // namespace

CDlgArray::CDlgArray(ArrayRequest& request, CWnd* parent)
    : CAcUiDialog(IDD, parent), m_request(request), m_data(request.data) {}

BOOL CDlgArray::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    SetWindowText(dialString(1056).c_str());
    const std::pair<int, int> labels[] = {{IDC_PICTURE_LABEL, 1057},
                                          {IDC_TYPE_LABEL, 228},
                                          {IDC_DIM1_LABEL, 1058},
                                          {IDC_DIM2_LABEL, 1059},
                                          {IDC_DIM3_LABEL, 1060},
                                          {IDC_COUNT_LABEL, 1061},
                                          {IDC_DISTANCE_LABEL, 1062},
                                          {IDC_START_LABEL, 1063},
                                          {IDC_END_LABEL, 1064},
                                          {IDC_INCREMENT_LABEL, 1065},
                                          {IDC_MIRROR, 1066},
                                          {IDC_ENTRIES_GROUP, 1067},
                                          {IDC_SKIP_ENTRY, 1068},
                                          {IDC_NEW, 171},
                                          {IDC_DELETE, 172},
                                          {IDOK, 1},
                                          {IDCANCEL, 2}};
    for (const auto& [id, text] : labels)
        SetDlgItemText(id, dialString(text).c_str());
    SetDlgItemText(IDC_ALTERNATING, L"Add entries alternating");
    SetDlgItemText(IDC_SKIP_LABEL, L"Nr of entries to skip");

    if (auto* type = static_cast<CComboBox*>(GetDlgItem(IDC_TYPE))) {
        for (int text : {1071, 1072, 1073, 1074, 695})
            type->AddString(dialString(text).c_str());
        type->SetCurSel(m_data.arrayType >= 0 && m_data.arrayType <= DynArrayData::Varies ? m_data.arrayType
                                                                                          : -1);
    }
    Mx_StringArray images;
    getModuleImages(images);
    fillAndSelect(static_cast<CComboBox*>(GetDlgItem(IDC_PICTURE)), images, m_data.moduleImage);
    for (int i = 0; i < 3; ++i) {
        Mx_StringArray names;
        m_data.getValidDimNames(m_request.ids, m_request.moduleName, names);
        fillAndSelect(static_cast<CComboBox*>(GetDlgItem(kDimensions[i])), names, m_data.dimNames[i]);
    }
    for (const TextControl& t : kTexts)
        SetDlgItemText(t.id, (m_data.*t.member).c_str());
    SetDlgItemText(IDC_SECOND_COUNT, m_data.secondCount.c_str());
    CheckDlgButton(IDC_MIRROR, m_data.mirror ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_ALTERNATING, m_data.alternating ? BST_CHECKED : BST_UNCHECKED);

    m_grid.createFromDlgItem(this, IDC_GRID, false);
    m_grid.initDefaults(0);
    m_grid.setResizeMode(1, 0, 0);
    showEntries();
    return TRUE;
}

void CDlgArray::showEntries() {
    Mx_StringArray headings;
    Mx_Array<Mx_StringArray> columns;
    m_data.getEntryColumns(headings, columns);
    subdlg::showColumns(m_grid, headings, columns);
}

void CDlgArray::readEntries() {
    Mx_Array<Mx_StringArray> columns;
    subdlg::readColumns(m_grid, columns);
    m_data.setEntryColumns(columns);
}

void CDlgArray::OnOK() {
    if (auto* type = static_cast<CComboBox*>(GetDlgItem(IDC_TYPE)); type && type->GetCurSel() >= 0)
        m_data.arrayType = type->GetCurSel();
    m_data.moduleImage = textOf(this, IDC_PICTURE);
    for (int i = 0; i < 3; ++i)
        m_data.dimNames[i] = textOf(this, kDimensions[i]);
    for (const TextControl& t : kTexts)
        m_data.*t.member = textOf(this, t.id);
    if (m_data.arrayType == DynArrayData::Rectangular)
        m_data.secondCount = textOf(this, IDC_SECOND_COUNT);
    m_data.mirror = IsDlgButtonChecked(IDC_MIRROR) == BST_CHECKED;
    m_data.alternating = IsDlgButtonChecked(IDC_ALTERNATING) == BST_CHECKED;
    readEntries();
    m_request.data = m_data;
    CAcUiDialog::OnOK();
}

BOOL CDlgArray::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (code == CBN_SELCHANGE && id == IDC_TYPE) {
        readEntries();
        showEntries();
        return TRUE;
    }
    if (code != BN_CLICKED || (id != IDC_NEW && id != IDC_DELETE && id != IDC_SKIP_ENTRY))
        return CAcUiDialog::OnCommand(wParam, lParam);
    // The buttons work on the grid's current row.
    const int row = m_grid.selectedRow();
    readEntries();
    if (id == IDC_NEW) {
        DynArrayEntry entry;
        entry.value = L"0";  // a blank row would be no entry
        const int at = row >= 1 && row <= m_data.entries.length() ? row - 1 : m_data.entries.length();
        m_data.entries.insertAt(at, entry);
    } else if (id == IDC_DELETE) {
        if (m_data.entries.isValidIndex(row - 1))
            m_data.entries.removeAt(row - 1);
    } else {
        m_data.setEntryAction(row - 1, DynArrayEntry::kSkip);
    }
    showEntries();
    return TRUE;
}
