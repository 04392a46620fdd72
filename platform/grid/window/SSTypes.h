#pragma once
// The types of the grid's C function family (SSFunctions.h): coordinates, the cell type record and
// the custom function records, in the Win32 vocabulary the callers are written in.
#include <cstdint>

#include "platform/grid/CellType.h"
#include "platform/grid/CustomFunction.h"
#include "platform/mfc/Win32Types.h"

// The window class of grid windows.
constexpr const wchar_t* SS_CLASSNAME = L"fpUSpread70";

// Cells are (column, row) from 1; SS_HEADER names the header row or column, and "all" in ranges.
using SS_COORD = std::int32_t;
using LPSS_COORD = SS_COORD*;
constexpr SS_COORD SS_HEADER = -32767;
constexpr SS_COORD SS_ALLCOLS = SS_HEADER;
constexpr SS_COORD SS_ALLROWS = SS_HEADER;

// Type codes, the first field of SS_CELLTYPE (the numbers of grid::CellTypeCode).
constexpr std::int32_t SS_TYPE_DATE = 0;
constexpr std::int32_t SS_TYPE_EDIT = 1;
constexpr std::int32_t SS_TYPE_TIME = 6;
constexpr std::int32_t SS_TYPE_BUTTON = 7;
constexpr std::int32_t SS_TYPE_PICTURE = 8;
constexpr std::int32_t SS_TYPE_COMBOBOX = 9;
constexpr std::int32_t SS_TYPE_INTEGER = 10;
constexpr std::int32_t SS_TYPE_OWNERDRAW = 11;
constexpr std::int32_t SS_TYPE_CHECKBOX = 12;
constexpr std::int32_t SS_TYPE_STATICTEXT = 13;
constexpr std::int32_t SS_TYPE_FLOAT = 14;
constexpr std::int32_t SS_TYPE_CURRENCY = 15;
constexpr std::int32_t SS_TYPE_PERCENT = 16;

// A cell type as SSSetType* fill it and SSSetCellType / SSGetCellType pass it. Callers that only
// need the kind read Type; the rest of the description is the engine's record.
struct SS_CELLTYPE {
    std::int32_t Type = SS_TYPE_EDIT;  // first field: the type code
    grid::CellType detail;             // style bits, limits, items, caption, pictures
};
using LPSS_CELLTYPE = SS_CELLTYPE*;

// Custom function records (SSAddCustomFunctionExt): a status byte, a type byte and the payload. A
// string payload is a text handle made by its producer and taken by its reader.
using SS_VALUE = grid::CustomRecord;
using LPSS_VALUE = SS_VALUE*;
using SS_TEXTHANDLE = grid::TextHandle;
constexpr BYTE SS_VALUE_STATUS_OK = static_cast<BYTE>(grid::RecordStatus::Valid);
constexpr BYTE SS_VALUE_STATUS_EMPTY = static_cast<BYTE>(grid::RecordStatus::Empty);
constexpr BYTE SS_VALUE_STATUS_ERROR = static_cast<BYTE>(grid::RecordStatus::Invalid);
constexpr BYTE SS_VALUE_TYPE_LONG = static_cast<BYTE>(grid::RecordType::Long);
constexpr BYTE SS_VALUE_TYPE_DOUBLE = static_cast<BYTE>(grid::RecordType::Double);
constexpr BYTE SS_VALUE_TYPE_STR = static_cast<BYTE>(grid::RecordType::String);
constexpr BYTE SS_VALUE_TYPE_CELL = static_cast<BYTE>(grid::RecordType::Cell);
constexpr BYTE SS_VALUE_TYPE_RANGE = static_cast<BYTE>(grid::RecordType::Range);
// The callback: fills *result from values[0..count); FALSE makes the calling cell #VALUE!.
using SS_CALCFUNC = BOOL (*)(LPSS_VALUE result, LPSS_VALUE values, short count);
// SSAddCustomFunctionExt flags.
constexpr long SS_CUSTFUNC_WANTCELLREF = 1;  // cell-reference arguments arrive as cell / range records

// SSGetCellSpan results.
constexpr int SS_SPAN_NO = 0;
constexpr int SS_SPAN_ANCHOR = 1;  // the cell is the span's top-left cell
constexpr int SS_SPAN_YES = 2;     // the cell lies inside a span, not at its anchor

// SSSetEditEnterAction: where the active cell goes after Return.
constexpr WORD SS_ENTERACTION_NONE = 0;
constexpr WORD SS_ENTERACTION_UP = 1;
constexpr WORD SS_ENTERACTION_DOWN = 2;
constexpr WORD SS_ENTERACTION_LEFT = 3;
constexpr WORD SS_ENTERACTION_RIGHT = 4;
constexpr WORD SS_ENTERACTION_NEXT = 5;      // right, then the first column of the next row
constexpr WORD SS_ENTERACTION_PREVIOUS = 6;  // left, then the last column of the row above
constexpr WORD SS_ENTERACTION_SAME = 7;      // stays, leaving edit mode
constexpr WORD SS_ENTERACTION_NEXTROW = 8;   // the first column of the next row

// SSSetActionKey actions; key 0 switches an action off.
constexpr WORD SS_KBA_CLEAR = 0;    // empties the selected unlocked cells (default Delete)
constexpr WORD SS_KBA_CURRENT = 1;  // edits the active cell (default F2)
constexpr WORD SS_KBA_POPUP = 2;    // drops the active combo cell's list (default F4)

// SSSetOperationMode.
constexpr WORD SS_OPMODE_NORMAL = 0;
constexpr WORD SS_OPMODE_READONLY = 1;  // no editing, no check box or combo changes
constexpr WORD SS_OPMODE_ROWMODE = 2;
constexpr WORD SS_OPMODE_SINGLESEL = 3;
constexpr WORD SS_OPMODE_MULTISEL = 4;
constexpr WORD SS_OPMODE_EXTSEL = 5;

// SSSetBool switches the grid window acts on (the engine's own: 7 automatic calculation, 8 redraw,
// 30 changed flag). Every other number is stored and read back.
constexpr short SSB_COLHEADERS = 3;      // the header row is shown
constexpr short SSB_ROWHEADERS = 4;      // the header column is shown
constexpr short SSB_AUTOCALC = 7;
constexpr short SSB_REDRAW = 8;
constexpr short SSB_PROCESSRETURN = 10;  // Return outside edit mode moves by the Enter action
constexpr short SSB_PROCESSTAB = 11;     // Tab moves between cells instead of leaving the grid
constexpr short SSB_EDITMODEPERMANENT = 13;  // the active cell is always in edit mode when editable
constexpr short SSB_CHANGEMADE = 30;

// SSGetScrollBarSize: the fixed thickness of a scroll bar, in pixels.
constexpr int SS_SCROLLBAR_SIZE = 17;
