#pragma once
// A page of the macro settings dialog: a child dialog over the dialog's copy of the settings. It shows
// them when created and puts what the user changed back into them when asked (store), which the dialog
// does on OK.
#include "platform/mfc/CDialog.h"
#include "platform/mxbase/MacroSettings.h"
#include "spread/Mx_Spread.h"

class CMacroSettingsPage : public CDialog {
public:
    bool createPage(CWnd* parent);
    virtual void store() {}

protected:
    CMacroSettingsPage(UINT templateId, MacroSettings& settings)
        : CDialog(templateId, nullptr), settings_(settings), templateId_(templateId) {}

    void OnOK() override {}
    void OnCancel() override {}

    // The picture of a filter kind from the installation's "icons\" folder into a picture control.
    void showPicture(int id, const wchar_t* file);
    // A number typed into an edit control; `fallback` when the text is none.
    double numberOf(int id, double fallback);
    void setNumber(int id, double value);
    // A two-column list grid in place of the placeholder `id`, filled with the columns; a locked
    // column cannot be typed into.
    void showList(Mx_Spread& grid, int id, const wchar_t* header1, const wchar_t* header2,
                  const Mx_StringArray& column1, const Mx_StringArray& column2, bool lockFirst,
                  bool lockSecond);

    MacroSettings& settings_;

private:
    UINT templateId_;
};
