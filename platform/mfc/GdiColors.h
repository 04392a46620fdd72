#pragma once
// System colours. GetSysColor answers the colours of a stock Windows 10 desktop, fixed, so pictures
// drawn in tests do not depend on a theme. Grid and OLE colour properties may hold a "system colour"
// instead of an RGB value: 0x80000000 plus a COLOR_ index (0x8000000B is COLOR_INACTIVEBORDER's
// colour); resolveColor turns either form into RGB.
#include "platform/mfc/Win32Types.h"

constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_ACTIVEBORDER = 10;
constexpr int COLOR_INACTIVEBORDER = 11;
constexpr int COLOR_APPWORKSPACE = 12;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
constexpr int COLOR_HOTLIGHT = 26;
constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
constexpr int COLOR_MENUHILIGHT = 29;
constexpr int COLOR_MENUBAR = 30;
constexpr int COLOR_3DFACE = COLOR_BTNFACE;
constexpr int COLOR_3DSHADOW = COLOR_BTNSHADOW;
constexpr int COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT;

// 0 for an index Windows does not know, as Windows does.
DWORD GetSysColor(int index);
// A brush of the system colour, shared and kept for the life of the process; callers do not delete
// it (if one does, the next call makes a new one).
HBRUSH GetSysColorBrush(int index);

namespace ui {

constexpr COLORREF systemColorFlag = 0x80000000;

// RGB for an RGB value (the unused top byte cleared) or for a system-colour value (0x800000nn).
COLORREF resolveColor(COLORREF color);

}  // namespace ui
