#pragma once
// The common page of the section library's groups and types: a check-combo list of the entries (each
// entry's check mark is its enabled flag) with new, delete and move commands, and the shown entry's
// enabled flag, picture and names per language (a grid, one row per language). Selecting another entry
// first stores the page into the entry shown; the detail controls are enabled only while the entry is.
// CTabEditLibGroups and CTabEditLibTypes say what an entry is.
#include "platform/mfc/CDialog.h"
#include "platform/mfc/CheckComboBox.h"
#include "platform/mxbase/DlgEditLibData.h"
#include "spread/Mx_Spread.h"

class CTabEditLibEntries : public CDialog {
public:
    enum : int {
        IDC_LIST = 1194,
        IDC_NEW = 1189,
        IDC_DELETE = 1190,
        IDC_DOWN = 1442,
        IDC_UP = 1443,
        IDC_ENABLED = 1185,
        IDC_PICTURE = 1195,
        IDC_NAMES = 1193,
    };

    // Creates the page as a child of `parent`.
    bool createPage(CWnd* parent);
    // Stores the page into the entry shown.
    void store();
    // Shows the entry again (the page is shown after another page changed the data).
    void refresh() { show(shown_); }
    // The entry shown; -1 for none.
    int shown() const { return shown_; }

protected:
    CTabEditLibEntries(UINT templateId, DlgEditLibData& data);

    virtual int count() const = 0;
    virtual bool& enabled(int index) = 0;
    virtual Mx_String& picture(int index) = 0;
    virtual Mx_StringArray& names(int index) = 0;
    virtual int appendNew() = 0;
    virtual void remove(int index) = 0;
    virtual void swap(int first, int second) = 0;
    // What a page adds to an entry.
    virtual void storeMore(int) {}
    virtual void showMore(int) {}
    virtual void enableMore(bool) {}

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override {}
    void OnCancel() override {}

    DlgEditLibData& data_;

private:
    void fillList();
    void show(int index);
    void enableDetails(bool enable);
    void select(int index);

    CCheckComboBox list_;
    Mx_Spread names_;
    int shown_ = -1;
    UINT templateId_;
};
