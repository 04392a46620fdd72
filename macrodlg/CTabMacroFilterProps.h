#pragma once
// The filter properties page of the macro settings (template 8718): free properties, a name and a
// value each, that the macro selection filters on. Rows without a name are dropped when stored.
#include "macrodlg/CMacroSettingsPage.h"

class CTabMacroFilterProps : public CMacroSettingsPage {
public:
    enum : UINT { IDD = 8718 };
    enum : int { IDC_PROPERTIES = 1196, IDC_ADD = 1088, IDC_REMOVE = 1089 };
    explicit CTabMacroFilterProps(MacroSettings& settings) : CMacroSettingsPage(IDD, settings) {}
    void store() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    Mx_Spread grid_;
};
