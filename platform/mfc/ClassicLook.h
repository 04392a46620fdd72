#pragma once
// The pieces the classic Windows look is drawn from — 3-D edges, button faces, check boxes, radio
// buttons, arrows, embossed grey text — as the system's DrawEdge, DrawFrameControl and DrawState draw
// them, in the system colours. Every standard control, the window frames and the grid paint with these.
#include <string>

#include "platform/mfc/AfxTypes.h"

class CDC;
class CString;

namespace ui::classic {

enum class Edge {
    Raised,       // EDGE_RAISED: a button or a raised panel (2 pixels)
    Sunken,       // EDGE_SUNKEN: an edit field or list (2 pixels)
    Etched,       // EDGE_ETCHED: group boxes and etched statics (2 pixels)
    Bump,         // EDGE_BUMP
    RaisedThin,   // BDR_RAISEDINNER alone (1 pixel): headers, status panes
    SunkenThin,   // BDR_SUNKENOUTER alone (1 pixel): static edges
    WindowFrame,  // the 3-pixel frame of a dialog or sizing window (outer 2 raised, then the face)
};

// Draws the edge along the rectangle's border and returns what lies inside it.
RECT drawEdge(CDC& dc, const RECT& rect, Edge edge);

// A push button's face: raised (or pressed flat), with the extra black ring of the default button.
// Returns the content rectangle (where the caption goes); a pressed button's content is moved by one
// pixel down and right, as the system moves it.
RECT drawPushButton(CDC& dc, const RECT& rect, bool pressed, bool isDefault);

// A 13 x 13 check box (state 0 unchecked, 1 checked, 2 indeterminate) at the rectangle's top-left.
void drawCheckBox(CDC& dc, const RECT& box, int state, bool enabled, bool pushed = false);
// A 12 x 12 radio button at the rectangle's top-left.
void drawRadioButton(CDC& dc, const RECT& box, bool checked, bool enabled, bool pushed = false);

enum class Direction { Up, Down, Left, Right };
// A small solid triangle centred in the rectangle (the glyph of scroll and drop-down buttons).
void drawArrow(CDC& dc, const RECT& rect, Direction direction, COLORREF color);
// A scroll-bar style button with an arrow: the drop-down button of a combo box.
void drawArrowButton(CDC& dc, const RECT& rect, Direction direction, bool pressed, bool enabled);
// The "x" of a caption's close box.
void drawCloseGlyph(CDC& dc, const RECT& rect, COLORREF color);

// Text as a control draws its caption: in the button-text colour when enabled, embossed grey (a white
// copy one pixel down and right under a shadow-coloured one) when disabled. Leaves the context's text
// colour and background mode as it found them.
void drawControlText(CDC& dc, const CString& text, RECT rect, UINT format, bool enabled,
                     COLORREF color = 0x80000000 | 18 /* COLOR_BTNTEXT */);

}  // namespace ui::classic
