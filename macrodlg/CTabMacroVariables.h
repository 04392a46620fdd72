#pragma once
// The variables page of the macro settings (template 214): the macro's general variables with their
// values; the values can be changed, the names not.
#include "macrodlg/CMacroSettingsPage.h"

class CTabMacroVariables : public CMacroSettingsPage {
public:
    enum : UINT { IDD = 214 };
    enum : int { IDC_VARIABLES = 1196 };
    explicit CTabMacroVariables(MacroSettings& settings) : CMacroSettingsPage(IDD, settings) {}
    void store() override;

protected:
    BOOL OnInitDialog() override;

private:
    Mx_Spread grid_;
};
