#pragma once
// CDlgEditLibSections: the section library editor (dialog 209), three pages on the tab control 8097:
// section groups, section types and the values tables. The groups and types are edited in the dialog's
// copy of the library data, handed back on OK; the values tables are files the values page saves.
#include <memory>

#include "platform/mfc/CAcUiDialog.h"
#include "platform/mxbase/DlgEditLibData.h"

class CTabEditLibGroups;
class CTabEditLibTypes;
class CTabEditLibValues;

class CDlgEditLibSections : public CAcUiDialog {
public:
    enum : UINT { IDD = 209 };
    enum : int { IDC_TABS = 8097 };

    explicit CDlgEditLibSections(const DlgEditLibData& data, CWnd* parent = nullptr);
    ~CDlgEditLibSections() override;

    const DlgEditLibData& data() const { return data_; }
    // The values table the dialog opens on (its page shown); none shows the groups page.
    void setStartTable(const Mx_String& table) { startTable_ = table; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnDestroy() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void showPage(int index);

    DlgEditLibData data_;
    Mx_String startTable_;
    std::unique_ptr<CTabEditLibGroups> groups_;
    std::unique_ptr<CTabEditLibTypes> types_;
    std::unique_ptr<CTabEditLibValues> values_;
};

// Runs the section library editor on a copy of `data` with the module's resources current, on the
// values table `name` when the library has one. On OK the copy is written back to `data` and the result
// is true; on Cancel `data` is unchanged.
bool StartDlgEditLibSections(DlgEditLibData& data, const Mx_String& name);
