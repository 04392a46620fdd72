#include "platform/mfc/GdiColors.h"

#include <array>

#include "platform/mfc/GdiObjects.h"

namespace {

constexpr std::array<COLORREF, 31> systemColors = {
    RGB(200, 200, 200),  // COLOR_SCROLLBAR
    RGB(0, 0, 0),        // COLOR_BACKGROUND
    RGB(153, 180, 209),  // COLOR_ACTIVECAPTION
    RGB(191, 205, 219),  // COLOR_INACTIVECAPTION
    RGB(240, 240, 240),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(100, 100, 100),  // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(0, 0, 0),        // COLOR_CAPTIONTEXT
    RGB(180, 180, 180),  // COLOR_ACTIVEBORDER
    RGB(244, 247, 252),  // COLOR_INACTIVEBORDER
    RGB(171, 171, 171),  // COLOR_APPWORKSPACE
    RGB(0, 120, 215),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(240, 240, 240),  // COLOR_BTNFACE
    RGB(160, 160, 160),  // COLOR_BTNSHADOW
    RGB(109, 109, 109),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(0, 0, 0),        // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(105, 105, 105),  // COLOR_3DDKSHADOW
    RGB(227, 227, 227),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(0, 0, 0),        // 25: unused by Windows
    RGB(0, 102, 204),    // COLOR_HOTLIGHT
    RGB(185, 209, 234),  // COLOR_GRADIENTACTIVECAPTION
    RGB(215, 228, 242),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(0, 120, 215),    // COLOR_MENUHILIGHT
    RGB(240, 240, 240),  // COLOR_MENUBAR
};

}  // namespace

DWORD GetSysColor(int index)
{
    if (index < 0 || index >= int(systemColors.size()) || index == 25)
        return 0;
    return systemColors[std::size_t(index)];
}

HBRUSH GetSysColorBrush(int index)
{
    // One brush per index for the life of the process, like Windows' own system brushes.
    static std::array<HBRUSH, systemColors.size()> brushes{};
    if (index < 0 || index >= int(systemColors.size()))
        return nullptr;
    HBRUSH& brush = brushes[std::size_t(index)];
    COLORREF unused = 0;
    if (!brush || !ui::gdi::brushColor(brush, unused))
        brush = ui::gdi::addBrush(GetSysColor(index));
    return brush;
}

namespace ui {

COLORREF resolveColor(COLORREF color)
{
    if (color & systemColorFlag)
        return GetSysColor(int(color & 0xFF));
    return color & 0xFFFFFF;
}

}  // namespace ui
