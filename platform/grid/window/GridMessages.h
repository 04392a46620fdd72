#pragma once
// What the grid window tells its parent. Two channels, as the system's dialogs expect:
//
// - Private messages SSM_*, sent (not posted) to the parent with wParam = the grid's control id and
//   lParam = a pointer to an SS_NOTIFYINFO that is valid during the call only. The parent's answer is
//   ignored. They are sent for what a user does; programmatic calls (SS* functions) send nothing,
//   except that ending an edit the user typed into notifies however the edit is ended.
// - WM_COMMAND notifications with the control id and the code SSN_* in the high word, and the grid's
//   handle as lParam, for button and check box cells.
//
// Before every notification the grid records the cell it is about, which SSGetCellSendingMsg
// answers while (and after) the parent handles it. The table with the order of the messages for
// each user action is in docs/grid.md, "Grid window".
#include "platform/grid/window/SSTypes.h"

// A left click on a cell (sent when the button is released over the cell it went down on).
constexpr UINT SSM_CLICK = 0x502;
// A double click on a cell (before the cell enters edit mode).
constexpr UINT SSM_DBLCLK = 0x503;
// The user changed a cell's data: an edit committed with a different text, a check box toggled, a
// combo item chosen, a paste or a clear.
constexpr UINT SSM_DATACHANGE = 0x508;
// The active cell moved (sent after the move; Col/Row the cell left, NewCol/NewRow the new one).
constexpr UINT SSM_LEAVECELL = 0x509;
// The user selected a block (Shift with arrows or click, or a mouse drag); Col..Row2 the block.
constexpr UINT SSM_BLOCKSELECTED = 0x50A;
// A cell entered edit mode by the user's action.
constexpr UINT SSM_EDITMODEON = 0x50C;
// A right click on a cell (after the cell became active when it was outside the selection).
constexpr UINT SSM_RIGHTCLICK = 0x50D;
// A combo cell's list dropped down / an item was chosen (the data is already stored; Index the
// item) / the list closed.
constexpr UINT SSM_COMBODROPDOWN = 0x516;
constexpr UINT SSM_COMBOSELCHANGE = 0x517;
constexpr UINT SSM_COMBOCLOSEUP = 0x518;
// A cell left edit mode (committed or cancelled; Changed tells whether the data changed). Sent after
// SSM_DATACHANGE of the same edit.
constexpr UINT SSM_EDITMODEOFF = 0x521;

// WM_COMMAND codes for button and check box cells: the left button went down on the cell, and the
// click completed (a check box has toggled by then).
constexpr WORD SSN_BUTTONDOWN = 59;
constexpr WORD SSN_BUTTONUP = 60;

struct SS_NOTIFYINFO {
    SS_COORD Col = 0;
    SS_COORD Row = 0;
    SS_COORD NewCol = 0;  // SSM_LEAVECELL
    SS_COORD NewRow = 0;
    SS_COORD Col2 = 0;    // SSM_BLOCKSELECTED: the opposite corner
    SS_COORD Row2 = 0;
    int Index = -1;       // SSM_COMBOSELCHANGE: the chosen item
    BOOL Changed = FALSE; // SSM_EDITMODEOFF: the edit changed the data
};
using LPSS_NOTIFYINFO = SS_NOTIFYINFO*;
