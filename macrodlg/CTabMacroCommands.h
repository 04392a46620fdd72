#pragma once
// The macro editor's commands page (template 216): a picture button per macro command. Buttons 1024 to
// 1034 add constraints (codes 0 to 10), 1035 a module, 1036 a bolt pattern, 1037 a coordinate system.
// The pictures are read from the installation's "icons\"; the command of button 1034 has none.
#include "macrodlg/CEditMacroPage.h"
#include "platform/mfc/ButtonST.h"

class CTabMacroCommands : public CEditMacroPage {
public:
    enum : UINT { IDD = 216 };
    static constexpr int kFirstButton = 1024;
    static constexpr int kCommandCount = 14;

    explicit CTabMacroCommands(CDlgEditMacro& editor) : CEditMacroPage(IDD, editor) {}

    void reload() override {}
    // The picture file of a command, empty for none.
    static const wchar_t* pictureOf(int code);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    CButtonST buttons_[kCommandCount];
};
