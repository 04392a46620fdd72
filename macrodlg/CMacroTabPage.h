#pragma once
// A page of the macro dialog: one tab of the macro, shown inside the dialog's tab control. A general
// page (template 8137) serves tabs of kinds 0, 1 and 3, a profile page (template 219) tabs of kind 2.
//
// The page shows one row per cell of its tab: the label and an edit with the value (read-only cells
// cannot be edited), and on a profile page a line per profile group. Return in an edit, or leaving an
// edited one, applies the page: the values go into the tab's data, and what changed is written into
// the module in the drawing (UpdateModule); then the dialog refreshes every page. Escape closes the
// dialog.
#include <memory>
#include <vector>

#include "platform/mfc/CDialog.h"
#include "platform/mfc/CSize.h"
#include "platform/mxbase/Mx_String.h"

class CDlgMacro;
class MacroTabData;
struct MacroProfData;

class CMacroTabPage : public CDialog {
public:
    enum : UINT { IDD_GENERAL = 8137, IDD_PROFILE = 219 };
    // The value edit of cell i is kFirstValueId + i, its label kFirstLabelId + i; the line of profile
    // group g is kFirstGroupId + g.
    enum : int { kFirstValueId = 34000, kFirstLabelId = 34300, kFirstGroupId = 34600 };

    // A page for a tab of that kind (MacroTabData::Kind) at that index of the owner's data.
    CMacroTabPage(int kind, int tabIndex, CDlgMacro* owner);

    bool isProfilePage() const;
    int kind() const { return m_kind; }
    int tabIndex() const { return m_tabIndex; }
    // The page's tab in the owner's data; null when the owner's data has none at the index.
    MacroTabData* tabData() const;
    Mx_String moduleName() const;

    // Creates the page window as a child of `parent` (the tab control) and builds its rows.
    bool createPage(CWnd* parent);
    // The size the page's rows need.
    CSize extent() const { return m_extent; }

    // The frame's calls (through the owner's focus memory, by the tab's module name).
    void rememberFocus();
    void restoreFocus();
    void refill();
    void readControls();
    // Opens the profile-advanced dialog on a group of this profile page (the selected profile when the
    // group is empty); the page is refreshed afterwards.
    void openProfAdvanced(const Mx_String& group);
    // Reads, compares and applies; false when there was nothing to apply.
    bool apply();
    // The page is about to be destroyed: the focus leaving its controls applies nothing any more.
    void stopApplying() { m_ready = false; }

    // The profile-advanced dialog's callbacks reach the page through this.
    bool answerProfAdvanced(int type, const Mx_String& group, MacroProfData& prof);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;

private:
    void buildRows();

    int m_kind;
    int m_tabIndex;
    CDlgMacro* m_owner;
    bool m_ready = false;  // cleared while an apply runs, so the page ignores its own notifications
    CSize m_extent;
    std::vector<std::unique_ptr<CWnd>> m_controls;  // the rows' labels and edits
};
