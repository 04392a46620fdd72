#pragma once
// CDlgMacro: the dialog in which the user edits the parameters of one or more connection macros in the
// drawing (template 8131). One page per tab of the macro in the tab control; every edit in a page is
// applied to the drawing at once, so there is no OK step: button 1 only closes the dialog.
//
// It runs modally (registry id -1) from StartDlgMacro or modelessly from StartDlgMacroModeless, which
// give it its id. Closing resets the view, sets the macro's closed flag and then ends the modal loop,
// or asks EndDlgMacroModeless to close the modeless window.
#include <vector>

#include "platform/arx/AcArray.h"
#include "platform/arx/AcDbObjectId.h"
#include "platform/mfc/ButtonST.h"
#include "platform/mfc/CAcUiDialog.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/TabCtrl.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/ui/CResizer.h"
#include "platform/mxbase/ui/Mx_RestoreFocus.h"

class CMacroTabPage;

class CDlgMacro : public CAcUiDialog {
public:
    enum : UINT { IDD = 8131 };
    enum : int {
        IDC_TAB = 8097,
        IDC_SELECT_OTHER = 1176,
        IDC_FILTER1 = 1177,
        IDC_FILTER2 = 1178,
        IDC_FILTER1_LABEL = 1179,
        IDC_FILTER2_LABEL = 1180,
        IDC_VIEW_FULL = 1181,     // view 3
        IDC_VIEW_COMPACT = 1182,  // view 0
        IDC_VIEW_NORMAL = 1183,   // view 1
        IDC_VIEW_LARGE = 1184,    // view 2
        IDC_LOAD_STANDARDS = 1185,
        IDC_CLASH = 1292,
        IDC_REAPPLY = 1293,
        IDC_LOAD_PROPS = 1299,
        IDC_SAVE_PROPS = 1302,
    };
    // The host asks a modeless window whether it keeps the focus; the dialog answers true.
    static constexpr UINT kKeepFocusMessage = 0x7101;
    // The minimum tracking size before the dialog knows its size.
    static constexpr int kInitialMinWidth = 280;
    static constexpr int kInitialMinHeight = 300;

    explicit CDlgMacro(CWnd* parent = nullptr);
    ~CDlgMacro() override;

    MacroData& macroData() { return m_macro; }
    const MacroData& macroData() const { return m_macro; }
    void setMacroData(const MacroData& macro) { m_macro = macro; }
    int registryId() const { return m_registryId; }
    void setRegistryId(int id) { m_registryId = id; }
    const AcArray<AcDbObjectId>& objectIds() const { return m_macro.objectIds; }
    Mx_RestoreFocus& focusMemory() { return m_focus; }
    const Mx_String& typeName() const { return m_typeName; }
    // True while the dialog closes itself from one of its own handlers (it must outlive the handler).
    bool isClosingItself() const { return m_closingItself; }

    int numPages() const { return static_cast<int>(m_pages.size()); }
    CMacroTabPage* page(int index) const;
    // The page of the tab control's selection, null when none.
    CMacroTabPage* currentPage() const;
    // The key the dialog's size is stored under ("DLG_MACRO_EDITVARS_...").
    Mx_String sizeKey() const;

    // Refills every page from its data (after an apply), keeping the focus where it was.
    void refreshAllPages();
    // Gives the focus to the shown page (its remembered control, or its first one). The dialog does it
    // itself when it first appears.
    void placeInitialFocus();
    // Closes the dialog as its close button does.
    void closeDialog();
    // Runs the clash check on the edited objects.
    void runClashCheck();

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnCancel() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnShowWindow(BOOL show, UINT status) override;
    void OnGetMinMaxInfo(MINMAXINFO* info) override;
    void OnDestroy() override;

private:
    void setUpButtons();
    void buildPages();
    void destroyPages();
    void showPage();
    void fitPages();
    void fitSize();
    void fillFilters();
    void rememberCurrentFocus();
    void changeView(int view);
    void filterChanged(bool first);
    void selectOtherMacros();
    void loadFromStandards();
    void reApply();
    void loadProperties();
    void saveProperties();
    void commitAllPages();
    void openProfAdvancedAtOnce();

    CTabCtrl m_tab;
    CButtonST m_selectOther, m_viewFull, m_viewCompact, m_viewNormal, m_viewLarge, m_loadStandards, m_clash,
        m_loadProps, m_saveProps;
    CComboBox m_filter1, m_filter2;
    Mx_String m_typeName = L"Macro";
    int m_registryId = -1;
    MacroData m_macro;
    std::vector<CMacroTabPage*> m_pages;  // one per tab, null for a tab kind without a page
    std::vector<int> m_pageKinds;
    std::vector<int> m_itemTabs;  // the tab index of each tab-control item
    CResizer m_resizer;
    Mx_RestoreFocus m_focus;
    bool m_sizeKnown = false;
    bool m_firstPageShown = false;
    bool m_closingItself = false;
    bool m_focusPlaced = false;
    int m_currentPage = -1;
    int m_minWidth = 50;
    int m_minHeight = 50;
};
