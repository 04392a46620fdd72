#pragma once
// The second filter page of the macro settings (template 213): the path distance between the members
// and the sections (their shapes and height) the macro is offered for. Zero for both ends of a range
// means no limit.
#include "macrodlg/CMacroSettingsPage.h"
#include "platform/mfc/CheckComboBox.h"

class CTabMacroFilter2 : public CMacroSettingsPage {
public:
    enum : UINT { IDD = 213 };
    enum : int {
        IDC_PICTURE_DISTANCE = 1411,
        IDC_DISTANCE_MIN = 1413,
        IDC_DISTANCE_MAX = 1415,
        IDC_PICTURE_SIZE = 1416,
        IDC_SECTION_KINDS = 1418,
        IDC_SIZE_MIN = 1420,
        IDC_SIZE_MAX = 1422,
    };
    explicit CTabMacroFilter2(MacroSettings& settings) : CMacroSettingsPage(IDD, settings) {}
    void store() override;

protected:
    BOOL OnInitDialog() override;

private:
    CCheckComboBox kinds_;
};
