#pragma once
// The first filter page of the macro settings (template 8142): the angle between the members' axes
// (in line, at right angles) and the rotations of the section the macro is offered for.
#include "macrodlg/CMacroSettingsPage.h"
#include "platform/mfc/CheckComboBox.h"

class CTabMacroFilter : public CMacroSettingsPage {
public:
    enum : UINT { IDD = 8142 };
    enum : int {
        IDC_PICTURE_180 = 1401,
        IDC_ANGLE_180 = 1402,
        IDC_PICTURE_90 = 1403,
        IDC_ANGLE_90 = 1404,
        IDC_PICTURE_SECTION = 1405,
        IDC_SECTION_ANGLES = 1407,
    };
    explicit CTabMacroFilter(MacroSettings& settings) : CMacroSettingsPage(IDD, settings) {}
    void store() override;

protected:
    BOOL OnInitDialog() override;

private:
    CCheckComboBox angles_;
};
