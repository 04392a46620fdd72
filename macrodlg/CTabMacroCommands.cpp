#include "macrodlg/CTabMacroCommands.h"

#include <string>

#include "macrodlg/CDlgEditMacro.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/UiTexts.h"

namespace {

constexpr COLORREF kPictureBackground = RGB(255, 0, 255);

constexpr const wchar_t* kPictures[CTabMacroCommands::kCommandCount] = {
    L"Parallel.bmp",
    L"Perpendicular.bmp",
    L"Coincident.bmp",
    L"Symmetric.bmp",
    L"Tangent.bmp",
    L"Concentric.bmp",
    L"EqualRadius.bmp",
    L"Distance.bmp",
    L"Angle.bmp",
    L"Radius.bmp",
    L"",
    L"AddModule.bmp",
    L"BoltPattern.bmp",
    L"CoordSys.bmp",
};

// The tooltips' UI texts; 0 for none.
constexpr int kTooltips[CTabMacroCommands::kCommandCount] = {903, 904, 905, 906, 907, 908, 909,
                                                             910, 911, 912, 0,   913, 914, 915};

}  // namespace

const wchar_t* CTabMacroCommands::pictureOf(int code) {
    return code >= 0 && code < kCommandCount ? kPictures[code] : L"";
}

BOOL CTabMacroCommands::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(1038, dialString(873).c_str());
    const std::wstring icons = gSettings.productDir().str() + L"\\icons\\";
    for (int code = 0; code < kCommandCount; ++code) {
        CButtonST& button = buttons_[code];
        if (!button.SubclassDlgItem(kFirstButton + code, this))
            continue;
        if (*kPictures[code] != L'\0')
            button.SetBitmapFile(icons + kPictures[code], kPictureBackground);
        if (kTooltips[code] != 0)
            button.SetTooltipText(dialString(kTooltips[code]).c_str());
    }
    return TRUE;
}

BOOL CTabMacroCommands::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && id >= kFirstButton && id < kFirstButton + kCommandCount) {
        editor_.runMacroCommand(id - kFirstButton);
        return TRUE;
    }
    return CEditMacroPage::OnCommand(wParam, lParam);
}
