#pragma once
// CDlgEditLibSimple: adds one size to one section table (dialog 226), starting from an existing size.
// The user keeps the generated name (the template's name prefix and the values that spell a size's
// name, "IPE 220") or types one, and changes the values; OK adds the size at its sorted place in the
// dialog's copy of the table. Naming and placing are SectionSizeTemplate's.
//
//     CDlgEditLibSimple dlg(table, L"200");
//     if (dlg.DoModal() == IDOK) { table = dlg.table(); use(dlg.newRow()); }
#include "platform/mfc/CAcUiDialog.h"
#include "sectionlib/Mx_ProfValuesTable.h"
#include "sectionlib/SectionSizeTemplate.h"

class CDlgEditLibSimple : public CAcUiDialog {
public:
    enum : UINT { IDD = 226 };
    enum : int {
        IDC_PICTURE = 1294,
        IDC_GENERATED = 1358,
        IDC_TYPED = 1359,
        IDC_NAME_FRAME = 1360,
        IDC_NAME = 1000,
        IDC_NAME_LABEL = 1123,
        kMaxValues = 11,
    };
    // Value k (from 1) is edited in field 1298 + 2k, labelled by 1297 + 2k.
    static constexpr int valueField(int k) { return 1298 + 2 * k; }
    static constexpr int valueLabel(int k) { return 1297 + 2 * k; }

    CDlgEditLibSimple(const Mx_ProfValuesTable& table, const Mx_String& templateSysName,
                      CWnd* parent = nullptr);
    ~CDlgEditLibSimple() override;

    // The table with the new size after OK.
    const Mx_ProfValuesTable& table() const { return table_; }
    // The new size's row in table(); -1 before OK.
    int newRow() const { return newRow_; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnDestroy() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    bool generated() const;
    Mx_StringArray fieldValues();
    void showName();
    void refuse(const Mx_String& text);

    Mx_ProfValuesTable table_;
    SectionSizeTemplate template_;
    HBITMAP picture_ = nullptr;
    int newRow_ = -1;
    bool ready_ = false;
};

// Runs CDlgEditLibSimple on a copy of `table` with the size `name` as template (the first row when
// there is none). On OK the copy with the new size is written back to `table`, `row` receives the new
// size's position among the active sizes, and the result is true.
bool StartDlgEditLibSimple(const Mx_String& name, Mx_ProfValuesTable& table, int& row);
