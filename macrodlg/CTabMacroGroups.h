#pragma once
// The groups page of the macro settings (template 215): the macro's modules with the group each
// belongs to. A module without a group is addressed by its own name, which the page shows in its place.
#include "macrodlg/CMacroSettingsPage.h"

class CTabMacroGroups : public CMacroSettingsPage {
public:
    enum : UINT { IDD = 215 };
    enum : int { IDC_GROUPS = 1196 };
    explicit CTabMacroGroups(MacroSettings& settings) : CMacroSettingsPage(IDD, settings) {}

protected:
    BOOL OnInitDialog() override;

private:
    Mx_Spread grid_;
};
