#include "platform/mfc/ClassicLook.h"

#include <algorithm>

#include "platform/mfc/CString.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/GdiColors.h"

namespace ui::classic {
namespace {

COLORREF sys(int index) {
    return GetSysColor(index);
}

RECT inset(const RECT& rect, int by) {
    return {rect.left + by, rect.top + by, rect.right - by, rect.bottom - by};
}

void frame(CDC& dc, RECT rect, COLORREF topLeft, COLORREF bottomRight) {
    dc.Draw3dRect(&rect, topLeft, bottomRight);
}

}  // namespace

RECT drawEdge(CDC& dc, const RECT& rect, Edge edge) {
    switch (edge) {
        case Edge::Raised:
            frame(dc, rect, sys(COLOR_3DLIGHT), sys(COLOR_3DDKSHADOW));
            frame(dc, inset(rect, 1), sys(COLOR_BTNHIGHLIGHT), sys(COLOR_BTNSHADOW));
            return inset(rect, 2);
        case Edge::Sunken:
            frame(dc, rect, sys(COLOR_BTNSHADOW), sys(COLOR_BTNHIGHLIGHT));
            frame(dc, inset(rect, 1), sys(COLOR_3DDKSHADOW), sys(COLOR_3DLIGHT));
            return inset(rect, 2);
        case Edge::Etched:
            frame(dc, rect, sys(COLOR_BTNSHADOW), sys(COLOR_BTNHIGHLIGHT));
            frame(dc, inset(rect, 1), sys(COLOR_BTNHIGHLIGHT), sys(COLOR_BTNSHADOW));
            return inset(rect, 2);
        case Edge::Bump:
            frame(dc, rect, sys(COLOR_BTNHIGHLIGHT), sys(COLOR_BTNSHADOW));
            frame(dc, inset(rect, 1), sys(COLOR_BTNSHADOW), sys(COLOR_BTNHIGHLIGHT));
            return inset(rect, 2);
        case Edge::RaisedThin:
            frame(dc, rect, sys(COLOR_BTNHIGHLIGHT), sys(COLOR_BTNSHADOW));
            return inset(rect, 1);
        case Edge::SunkenThin:
            frame(dc, rect, sys(COLOR_BTNSHADOW), sys(COLOR_BTNHIGHLIGHT));
            return inset(rect, 1);
        case Edge::WindowFrame:
            frame(dc, rect, sys(COLOR_3DLIGHT), sys(COLOR_3DDKSHADOW));
            frame(dc, inset(rect, 1), sys(COLOR_BTNHIGHLIGHT), sys(COLOR_BTNSHADOW));
            frame(dc, inset(rect, 2), sys(COLOR_BTNFACE), sys(COLOR_BTNFACE));
            return inset(rect, 3);
    }
    return rect;
}

RECT drawPushButton(CDC& dc, const RECT& rect, bool pressed, bool isDefault) {
    RECT face = rect;
    if (isDefault) {
        frame(dc, face, sys(COLOR_WINDOWFRAME), sys(COLOR_WINDOWFRAME));
        face = inset(face, 1);
    }
    if (pressed) {
        frame(dc, face, sys(COLOR_BTNSHADOW), sys(COLOR_BTNSHADOW));
        face = inset(face, 1);
        dc.FillSolidRect(&face, sys(COLOR_BTNFACE));
        return {face.left + 2, face.top + 2, face.right, face.bottom};
    }
    frame(dc, face, sys(COLOR_BTNHIGHLIGHT), sys(COLOR_3DDKSHADOW));
    frame(dc, inset(face, 1), sys(COLOR_3DLIGHT), sys(COLOR_BTNSHADOW));
    face = inset(face, 2);
    dc.FillSolidRect(&face, sys(COLOR_BTNFACE));
    return face;
}

void drawCheckBox(CDC& dc, const RECT& box, int state, bool enabled, bool pushed) {
    const RECT frame{box.left, box.top, box.left + 13, box.top + 13};
    const RECT inside = drawEdge(dc, frame, Edge::Sunken);
    const bool grey = !enabled || pushed || state == 2;
    dc.FillSolidRect(&inside, sys(grey ? COLOR_BTNFACE : COLOR_WINDOW));
    if (state == 0)
        return;
    // The tick: seven columns, three pixels tall, falling then rising.
    const COLORREF ink = sys(enabled && state != 2 ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW);
    static const int drop[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int column = 0; column < 7; ++column)
        dc.FillSolidRect(inside.left + 1 + column, inside.top + 2 + drop[column], 1, 3, ink);
}

void drawRadioButton(CDC& dc, const RECT& box, bool checked, bool enabled, bool pushed) {
    // The classic 12 x 12 circle, drawn as the system's bitmaps are: rows of runs per colour.
    static const char* const shape[12] = {
        "....ssss....", "..ssddddss..", ".sdd....ddh.", ".sd......lh.", "sd........lh", "sd........lh",
        "sd........lh", "sd........lh", ".sd......lh.", ".sll....llh.", "..hhllllhh..", "....hhhh....",
    };
    const COLORREF inside = sys(enabled && !pushed ? COLOR_WINDOW : COLOR_BTNFACE);
    for (int row = 0; row < 12; ++row) {
        for (int column = 0; column < 12; ++column) {
            const char c = shape[row][column];
            const int x = box.left + column, y = box.top + row;
            switch (c) {
                case 's':
                    dc.SetPixel(x, y, sys(COLOR_BTNSHADOW));
                    break;
                case 'd':
                    dc.SetPixel(x, y, sys(COLOR_3DDKSHADOW));
                    break;
                case 'h':
                    dc.SetPixel(x, y, sys(COLOR_BTNHIGHLIGHT));
                    break;
                case 'l':
                    dc.SetPixel(x, y, sys(COLOR_3DLIGHT));
                    break;
                default: {
                    const double dx = column - 5.5, dy = row - 5.5;
                    if (dx * dx + dy * dy < 4.6 * 4.6)
                        dc.SetPixel(x, y, inside);
                    break;
                }
            }
        }
    }
    if (checked) {
        const COLORREF dot = sys(enabled ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW);
        dc.FillSolidRect(box.left + 5, box.top + 4, 2, 4, dot);
        dc.FillSolidRect(box.left + 4, box.top + 5, 4, 2, dot);
    }
}

void drawArrow(CDC& dc, const RECT& rect, Direction direction, COLORREF color) {
    const int size = 4;  // rows of the triangle: 7, 5, 3, 1 pixels
    const int cx = (rect.left + rect.right) / 2, cy = (rect.top + rect.bottom) / 2;
    for (int i = 0; i < size; ++i) {
        const int half = size - 1 - i;
        switch (direction) {
            case Direction::Down:
                dc.FillSolidRect(cx - half - 1, cy - 2 + i, 2 * half + 1, 1, color);
                break;
            case Direction::Up:
                dc.FillSolidRect(cx - half - 1, cy + 1 - i, 2 * half + 1, 1, color);
                break;
            case Direction::Right:
                dc.FillSolidRect(cx - 2 + i, cy - half - 1, 1, 2 * half + 1, color);
                break;
            case Direction::Left:
                dc.FillSolidRect(cx + 1 - i, cy - half - 1, 1, 2 * half + 1, color);
                break;
        }
    }
}

void drawArrowButton(CDC& dc, const RECT& rect, Direction direction, bool pressed, bool enabled) {
    RECT face = rect;
    if (pressed) {
        frame(dc, face, sys(COLOR_BTNSHADOW), sys(COLOR_BTNSHADOW));
        face = inset(face, 1);
        dc.FillSolidRect(&face, sys(COLOR_BTNFACE));
        face = {face.left + 1, face.top + 1, face.right + 1, face.bottom + 1};
    } else {
        frame(dc, face, sys(COLOR_3DLIGHT), sys(COLOR_3DDKSHADOW));
        frame(dc, inset(face, 1), sys(COLOR_BTNHIGHLIGHT), sys(COLOR_BTNSHADOW));
        face = inset(face, 2);
        dc.FillSolidRect(&face, sys(COLOR_BTNFACE));
    }
    if (!enabled) {
        drawArrow(dc, {face.left + 1, face.top + 1, face.right + 1, face.bottom + 1}, direction,
                  sys(COLOR_BTNHIGHLIGHT));
        drawArrow(dc, face, direction, sys(COLOR_BTNSHADOW));
        return;
    }
    drawArrow(dc, face, direction, sys(COLOR_BTNTEXT));
}

void drawCloseGlyph(CDC& dc, const RECT& rect, COLORREF color) {
    // Two strokes two pixels thick, corner to corner of a square 8 pixels wide.
    const int size = std::min(8, int(std::min(rect.right - rect.left, rect.bottom - rect.top)) - 4);
    if (size <= 1)
        return;
    const int left = (rect.left + rect.right - size) / 2, top = (rect.top + rect.bottom - size) / 2;
    for (int i = 0; i < size; ++i) {
        dc.FillSolidRect(left + i, top + i, 2, 1, color);
        dc.FillSolidRect(left + size - 2 - i, top + i, 2, 1, color);
    }
}

void drawControlText(CDC& dc, const CString& text, RECT rect, UINT format, bool enabled, COLORREF color) {
    const int mode = dc.SetBkMode(TRANSPARENT);
    const COLORREF previous = dc.GetTextColor();
    if (enabled) {
        dc.SetTextColor(color);
        dc.DrawText(text, &rect, format);
    } else {
        RECT shifted{rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1};
        dc.SetTextColor(sys(COLOR_BTNHIGHLIGHT));
        dc.DrawText(text, &shifted, format);
        dc.SetTextColor(sys(COLOR_BTNSHADOW));
        dc.DrawText(text, &rect, format);
    }
    dc.SetTextColor(previous);
    dc.SetBkMode(mode);
}

}  // namespace ui::classic
