#pragma once
// CMacroTabProf: the page of a profile tab (template 219). The group list (1212) chooses the profile
// group the page's own controls edit, the profile list (1213) the whole group or one edited object's
// profile; section (1221, chosen from the library with 1222), offset (1219), rotation (1316) and the
// base plane (1215, picked with 1223) are written into the group's merged properties and applied at
// once. 1114 opens the profile-advanced dialog, 1210 the segmented-profile dialog; the grid (1196)
// lists the tab's cells. The page answers the profile-advanced dialog's callbacks.
#include "macrodlg/CMacroTabPage.h"
#include "platform/mfc/CComboBox.h"

class CMacroTabProf : public CMacroTabPage {
public:
    enum : int {
        IDC_GROUP_BOX = 1211,
        IDC_GROUPS = 1212,
        IDC_PROFILES = 1213,
        IDC_BASE_PLANE_LABEL = 1214,
        IDC_BASE_PLANE = 1215,
        IDC_ROTATION_LABEL = 1216,
        IDC_OFFSET_LABEL = 1218,
        IDC_OFFSET = 1219,
        IDC_SECTION_LABEL = 1220,
        IDC_SECTION = 1221,
        IDC_CHOOSE_SECTION = 1222,
        IDC_PICK = 1223,
        IDC_ROTATION = 1316,
        IDC_ADVANCED = 1114,
        IDC_SEGMENTED = 1210,
        IDC_GRID = 1196,
    };
    // The entries of the base-plane list.
    enum BasePlane : int { kPickedPlane = 0, kMemberPlane = 1, kCoordSys = 2 };

    CMacroTabProf(int tabIndex, CDlgMacro* owner);

    bool isProfilePage() const override { return true; }
    void openProfAdvanced(const Mx_String& group) override;
    bool answerProfAdvanced(int type, const Mx_String& group, MacroProfData& prof) override;
    // The group the page's own controls show.
    Mx_String selectedGroup() const;

protected:
    void setUpOwnControls() override;
    void fillOwnControls() override;
    void readOwnControls(MacroTabData& tab) override;
    std::vector<int> ownControls() const override;
    bool ownCommand(int id, int code) override;
    bool designedClick(int id, int type) override;
    std::vector<int> controlsAboveGrid() const override;

private:
    void chooseSection(const Mx_String& group);
    void pickBasePlane();
    void openSegmented();

    CComboBox m_groups, m_profiles, m_basePlane, m_offset, m_section, m_rotation;
    Mx_String m_group;      // the group shown before a refill
    int m_profileLine = 0;  // the line of the profile list shown before a refill
};
