#pragma once
// Internal: what the standard controls share when they paint themselves on WM_PAINT — the window's
// font selected into the paint context, their pictures (bitmap and icon handles), and the state that
// decides how they look.
#include <string>
#include <vector>

#include "platform/mfc/CSize.h"
#include "platform/mfc/Font.h"
#include "platform/mfc/Win32Types.h"

class CDC;

namespace ui {

class Window;

// Selects the window's font (or the default dialog font) into a context for as long as it lives.
class ControlFont {
public:
    ControlFont(CDC& dc, const Window& window);
    ~ControlFont();
    ControlFont(const ControlFont&) = delete;
    ControlFont& operator=(const ControlFont&) = delete;

private:
    CDC& m_dc;
    CFont m_font;
    CFont* m_previous = nullptr;
};

// Whether the window has the keyboard focus.
bool hasFocus(const Window& window);

// A bitmap handle drawn opaque, and an icon handle drawn with its transparent colour showing the
// background; the size of either (0 x 0 for a dead handle).
CSize pictureSize(HANDLE picture);
void drawBitmap(CDC& dc, HBITMAP bitmap, int x, int y);
void drawPicture(CDC& dc, HANDLE picture, bool icon, int x, int y);

// The single-line text of a password field: one bullet per character.
std::wstring maskedText(const std::wstring& text, wchar_t bullet);

// One line of field text (an edit's line, a combo box's field) in `area`, aligned by `format`'s
// DT_LEFT / DT_CENTER / DT_RIGHT, the characters [selectionStart, selectionEnd) on the highlight
// colour when `showSelection`. A line wider than the area scrolls so the caret (character `caret`)
// stays visible, as the field scrolls while one types.
struct FieldLine {
    std::wstring text;
    int selectionStart = 0;
    int selectionEnd = 0;
    int caret = 0;
    bool showSelection = false;
    bool enabled = true;
};
void drawFieldLine(CDC& dc, const FieldLine& line, const RECT& area, UINT format);

// The height of one line of the window's font: the item height of list boxes and dropped lists.
int lineHeightOf(const Window& window);

// The items of a list (a list box, a dropped combo list) from `top` down, one `itemHeight` row each,
// on the window colour; selected rows on the highlight colour, the `focus` row with a focus rectangle
// (-1: none). Disabled lists draw their texts grey.
struct ListLook {
    int top = 0;
    int itemHeight = 13;
    int focus = -1;
    bool enabled = true;
};
void drawListItems(CDC& dc, const std::vector<std::wstring>& texts, const std::vector<bool>& selected,
                   const RECT& area, const ListLook& look);

// Sends WM_DRAWITEM for one item of an owner-drawn control (ODT_BUTTON, ODT_COMBOBOX, ...) to its
// parent, whose handler draws on `dc`; a disabled control adds ODS_DISABLED to the state.
void askParentToDraw(const Window& control, CDC& dc, UINT type, int item, const RECT& rect, UINT state,
                     DWORD_PTR data = 0);

// The window class of the list a drop-down combo box opens: a pop-up owned by the combo box's dialog,
// drawn over it, that shows the combo box's items (its userData is the combo box's handle).
constexpr const wchar_t* kDroppedListClass = L"ComboLBox";

}  // namespace ui
