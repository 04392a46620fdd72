#pragma once
// CMacroTabGeneral: the page of a tab with variables, bolts, bolt patterns and arrays (template 8137).
// Besides the designed controls and the grid (whose rows also list the patterns of a bolt tab), a bolt
// tab shows its composition (1091) and diameter (1092) lists and the bolt-advanced button (1114); on
// other tabs they are hidden.
#include "macrodlg/CMacroTabPage.h"
#include "platform/mfc/CComboBox.h"

class CMacroTabGeneral : public CMacroTabPage {
public:
    enum : int {
        IDC_COMPOSITION = 1091,
        IDC_DIAMETER = 1092,
        IDC_COMPOSITION_LABEL = 1109,
        IDC_DIAMETER_LABEL = 1110,
        IDC_BOLT_ADVANCED = 1114,
        IDC_GRID = 1001,
    };

    CMacroTabGeneral(int kind, int tabIndex, CDlgMacro* owner);

    // Designed edit or combo fields named after the bolt data's texts.
    static constexpr const wchar_t* kDesignedComposition = L"BoltComposition";
    static constexpr const wchar_t* kDesignedDiameter = L"BoltDiameter";

    // The designed template shows the bolt data itself (a field named after one of its texts): the
    // page's own bolt lists stay hidden.
    bool hasDesignedBoltControls() const { return m_designedBolts; }

protected:
    void setUpOwnControls() override;
    void fillOwnControls() override;
    void readOwnControls(MacroTabData& tab) override;
    std::vector<int> ownControls() const override;
    bool ownCommand(int id, int code) override;
    bool designedClick(int id, int type) override;
    bool listsPatterns() const override;
    std::vector<int> controlsAboveGrid() const override;
    bool linkOwnItem(MacroTabData& tab, const Mx_DesignerControl& control) override;
    void showOwnControls() override;
    void refillOwnItem(const MacroTabData& tab, const Mx_DesignerControl& control) override;
    void readOwnItem(MacroTabData& tab, const Mx_DesignerControl& control) override;

private:
    bool showsBoltLists() const;
    void openBoltAdvanced();

    CComboBox m_composition;
    CComboBox m_diameter;
    bool m_designedBolts = false;
};
