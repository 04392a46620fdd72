#pragma once
// What the two pages of the macro dialog share: one tab of the macro, shown inside the dialog's tab
// control, built from the tab's designed template (its controls linked to the tab's items) and a grid
// that lists every item without a designed control. CMacroTabGeneral (template 8137) serves tabs of
// kinds 0, 1 and 3, CMacroTabProf (template 219) tabs of kind 2.
//
// Every committed edit is applied at once: the page reads its controls into its MacroTabData, asks
// what changed, writes that into the module in the drawing (UpdateModule, then the clash check) and
// has the dialog refresh every page. Escape closes the dialog; Tab moves in a ring over the designed
// controls, the grid and the page's own controls; F12 opens the designer on the tab's template.
#include <functional>
#include <vector>

#include "designer/Mx_DlgDesignerData.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/CSize.h"
#include "platform/mxbase/Mx_String.h"
#include "spread/Mx_Spread.h"

class CDlgMacro;
class MacroTabData;
struct MacroProfData;

class CMacroTabPage : public CDialog {
public:
    enum : UINT { IDD_GENERAL = 8137, IDD_PROFILE = 219 };
    // The window ids the designed controls take.
    enum : int { kFirstDesignedId = 33000, kLastDesignedId = 33099 };
    // The grid's columns: the label spans 1-2, the value 3-4 (a pattern's two counts), 5 the button of
    // a pattern or an array.
    enum : int { kLabelCol = 1, kValueCol = 3, kValue2Col = 4, kButtonCol = 5, kGridCols = 5 };

    // The page for a tab of that kind (MacroTabData::Kind) at that index of the owner's data.
    static CMacroTabPage* create(int kind, int tabIndex, CDlgMacro* owner);
    ~CMacroTabPage() override;

    virtual bool isProfilePage() const { return false; }
    int kind() const { return m_kind; }
    int tabIndex() const { return m_tabIndex; }
    CDlgMacro* getDlgOwner() const { return m_owner; }
    // The page's tab in the owner's data; null when the owner's data has none at the index.
    MacroTabData* tabData() const;
    Mx_String moduleName() const;

    // Creates the page window as a child of `parent` (the tab control) and builds it.
    bool createPage(CWnd* parent);
    // The size the page's controls need.
    CSize extent() const { return m_extent; }
    bool isInitialised() const { return m_initialised; }

    // The frame's calls (the focus through the owner's focus memory, by the tab's module name).
    void rememberFocus();
    void restoreFocus();
    // Shows the tab's data again: grid values, designed controls and the page's own controls.
    void refill();
    // Reads every control into the tab's data.
    void readControls();
    // Reads, compares and applies; false when there was nothing to apply.
    bool apply();
    // The page is about to be destroyed: the focus leaving its controls applies nothing any more.
    void stopApplying() { m_ready = false; }
    // Opens the profile-advanced dialog on a group of a profile page (the selected profile when the
    // group is empty); other pages do nothing.
    virtual void openProfAdvanced(const Mx_String& group) { (void)group; }
    // The profile-advanced dialog's callbacks reach the page through this.
    virtual bool answerProfAdvanced(int type, const Mx_String& group, MacroProfData& prof);

    Mx_Spread& grid() { return m_grid; }
    Mx_DlgDesignerData& designer() { return m_designer; }
    // The number of grid rows (cells, patterns and arrays without a designed control).
    int gridRows() const { return static_cast<int>(m_rows.size()); }

protected:
    CMacroTabPage(UINT templateId, int kind, int tabIndex, CDlgMacro* owner, int gridId);

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;

    // --- what each page adds
    // Texts of the page's own controls, before anything is built.
    virtual void setUpOwnControls() = 0;
    // The page's own controls after the data changed.
    virtual void fillOwnControls() = 0;
    virtual void readOwnControls(MacroTabData& tab) = 0;
    // The page's own controls in keyboard order (hidden and disabled ones are skipped).
    virtual std::vector<int> ownControls() const = 0;
    // A click on one of the page's own buttons; true when handled.
    virtual bool ownCommand(int id, int code) = 0;
    // A click on a designed control the page handles itself; true when handled.
    virtual bool designedClick(int id, int type) {
        (void)id, (void)type;
        return false;
    }
    // The grid lists bolt patterns (general pages of bolt tabs).
    virtual bool listsPatterns() const { return false; }
    // The page's own controls above the grid that move below the template's picture.
    virtual std::vector<int> controlsAboveGrid() const = 0;
    // Links a designed control to an item only the page knows (the bolt data); true when linked.
    virtual bool linkOwnItem(MacroTabData& tab, const Mx_DesignerControl& control) {
        (void)tab, (void)control;
        return false;
    }
    // Shows or hides the page's own controls once the designed ones are linked.
    virtual void showOwnControls() {}
    // The designed controls linked by linkOwnItem: their values to and from the tab.
    virtual void refillOwnItem(const MacroTabData& tab, const Mx_DesignerControl& control) {
        (void)tab, (void)control;
    }
    virtual void readOwnItem(MacroTabData& tab, const Mx_DesignerControl& control) {
        (void)tab, (void)control;
    }

    // --- the apply cycle
    // Copies the tab, lets `change` edit it (null: read the controls), and applies what differs.
    bool applyChange(const std::function<void(MacroTabData& tab)>& change);
    bool isReady() const { return m_ready; }
    // The ids whose selection change or loss of focus applies the page.
    std::vector<int> m_applyIds;

    // --- sub-dialogs shared by both pages
    void openArrayDialog(int arrayIndex);
    void openPatternDialog(int patternIndex);
    // Types 25 and 26: the designed pick or placement, then an apply.
    void runAction(int id, int type);
    // Type 30.
    void flexButtonClicked(int id);

    Mx_String templatePath() const;
    Mx_Spread m_grid;
    Mx_DlgDesignerData m_designer;
    bool m_initialised = false;

private:
    struct Row {
        enum Kind { Cell, Pattern, Array } kind;
        int index;
    };

    void buildControls();
    bool linkDesignedControl(MacroTabData& tab, Mx_DesignerControl& control);
    void buildGrid(MacroTabData& tab);
    void setUpGridRow(const MacroTabData& tab, int row);
    void layOut();
    void refillDesigned(const MacroTabData& tab);
    void refillGrid(const MacroTabData& tab);
    void readDesigned(MacroTabData& tab);
    void readGrid(MacroTabData& tab);
    void gridButtonClicked();
    void onDesignedClick(int id);
    bool isApplyControl(int id) const;
    // The Tab ring: 0 the designed controls, 1 the grid, 2 the page's own controls.
    bool handleTab(bool backward);
    int focusedPart() const;
    bool focusPart(int part, bool backward);
    bool focusOwn(int from, bool backward);
    bool openDesigner();

    int m_kind;
    int m_tabIndex;
    CDlgMacro* m_owner;
    int m_gridId;
    bool m_ready = false;  // cleared while an apply runs, so the page ignores its own notifications
    CSize m_extent;
    std::vector<Row> m_rows;
    Mx_String m_fontName = Mx_String(L"Verdana");
};
