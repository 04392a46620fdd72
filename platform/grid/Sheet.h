#pragma once
// The grid engine's sheet: cells with data, formulas and computed values, their types and looks,
// sizes, spans, switches, and the calculation. Headless: the grid window and the file readers are
// built on this class; nothing here knows about windows.
//
// Addressing. Cells are (column, row) from 1. The header row and the header column are addressed
// with kHeader (-32767) or 0, so the corner cell is (kHeader, kHeader) = (0, 0). In the *Range
// setters a column or row of kHeader means "all" (1 to the maximum). A new sheet has 0 rows and
// 0 columns: writes outside 1..maxCols x 1..maxRows (or the headers) fail and change nothing,
// reads there give empty texts, and formula references there compute #REF!.
//
// Calculation. Setting a formula computes that cell at once. With automatic calculation (switch 7,
// on in a new sheet) every read gives an up-to-date value: a change marks its dependents, and they
// compute when read. With it off, dependents keep their old values until recalc() or recalcCell().
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>  // remove_reference_t
#include <utility>      // pair
#include <vector>

#include "platform/grid/CellLook.h"
#include "platform/grid/CellRange.h"
#include "platform/grid/CellType.h"
#include "platform/grid/CustomFunction.h"
#include "platform/grid/Value.h"

namespace grid {

constexpr std::int32_t kHeader = -32767;
// The largest sheet: beyond these SSSetMaxRows / SSSetMaxCols fail.
constexpr std::int32_t kRowLimit = 2'000'000;
constexpr std::int32_t kColLimit = 16'384;

// The numbered boolean switches of SSSetBool that the engine itself acts on; any other number is
// stored and read back.
constexpr std::int32_t kSwitchAutoCalc = 7;
constexpr std::int32_t kSwitchRedraw = 8;
constexpr std::int32_t kSwitchChanged = 30;

enum class RefStyle : std::int32_t {
    Legacy = 0,  // A1 and B2:C5 absolute, "#" the formula cell's own row or column
    A1 = 1,      // D4 relative, $D$4 absolute parts
    R1C1 = 2,    // R1C1 absolute, R[-1]C[2] relative
};

// Which text of a cell to read.
enum class TextKind : std::int32_t {
    Value = 0,    // what the cell shows (SSGetValue)
    Data = 1,     // the raw datum (SSGetData)
    Formula = 2,  // the formula text in the current reference style, without "="
    Tag = 3,      // the cell tag
};

// What became of a formula: ok, or a message such as "unexpected ')' at column 14" (column from 1).
struct FormulaStatus {
    bool ok = true;
    std::int32_t column = 0;
    std::wstring message;
    explicit operator bool() const { return ok; }
};

// Order of forEachCell.
enum class CellOrder { ByRow, ByColumn };

// Sheet-wide look, kept for the grid window and the files; the engine does not interpret it.
struct SheetLook {
    std::uint32_t lockBack = 0xE6E6E6, lockFore = kSystemWindowTextColor;
    std::uint32_t grayBack = 0x8000000F, grayFore = 0x8000000B;
    std::uint32_t selectionBack = 0x6A240A, selectionFore = 0xFFFFFF;
    std::uint32_t gridColor = 0xC0C0C0;
    std::int32_t gridType = 0;
    std::int32_t backColorStyle = 0;
    std::int32_t appearance = 0;
    std::int32_t unitType = 0;
    std::int32_t textTipMode = 0, textTipDelay = 0;
    std::uint32_t textTipBack = 0x80000018, textTipFore = 0x80000017;
    std::int32_t cellNoteIndicator = 0;
    std::int32_t autoSizeVisibleCols = 0, autoSizeVisibleRows = 0;
    std::int32_t editEnterAction = 0;
    std::int32_t operationMode = 0;
    std::int32_t cursorType = 0, cursorValue = 0;
    bool operator==(const SheetLook&) const = default;
};

class SheetData;     // the engine's state; see Sheet.cpp
class SheetContent;  // what saveContent keeps; see SheetData.h

class Sheet {
public:
    Sheet();
    ~Sheet();
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;
    Sheet(Sheet&&) noexcept;
    Sheet& operator=(Sheet&&) noexcept;

    // ---- Size -------------------------------------------------------------------------------------
    std::int32_t maxRows() const;
    std::int32_t maxCols() const;
    // Shrinking drops the cells beyond the new end (formulas reading them then compute #REF!).
    bool setMaxRows(std::int32_t rows);
    bool setMaxCols(std::int32_t cols);
    // True for the header row/column and for 1..max; kHeader and 0 both name the header.
    bool isInside(std::int32_t col, std::int32_t row) const;
    // The last column and row holding any datum or formula (0 when none).
    std::int32_t lastUsedCol() const;
    std::int32_t lastUsedRow() const;
    // The first cell at or after (col, row) in row order (rows top to bottom, each left to right)
    // inside `area` that holds a datum or formula; false when there is none. A scan that goes from
    // one such cell to the next visits what a scan of every cell would find, in the same order, and
    // what was written on the way, at the cost of what the sheet holds, not of its declared size.
    bool nextUsedCell(const CellRange& area, std::int32_t& col, std::int32_t& row) const;

    // ---- Data and formulas -------------------------------------------------------------------------
    // The datum as given (SSSetData). A text that reads as a number is a number to formulas; its
    // text is kept as written. An empty text empties the cell (its type and look stay).
    bool setData(std::int32_t col, std::int32_t row, std::wstring_view text);
    // A value as the user would enter it (SSSetValue): in a numeric cell the text is read by
    // leading-number conversion ("12abc" -> 12, "abc" -> empty); elsewhere it is data.
    bool setValue(std::int32_t col, std::int32_t row, std::wstring_view text);
    bool setNumber(std::int32_t col, std::int32_t row, double value);  // SSSetFloat
    // A formula with or without a leading "=". On a parse error the cell is unchanged.
    FormulaStatus setFormula(std::int32_t col, std::int32_t row, std::wstring_view text);
    // Empties the cell's datum and formula (type, look, tag stay).
    bool clearData(std::int32_t col, std::int32_t row);
    bool clearDataRange(const CellRange& range);

    // Texts by kind; false when the cell is outside the sheet (an empty cell gives "" and true).
    bool getText(std::int32_t col, std::int32_t row, TextKind kind, std::wstring& out) const;
    std::wstring text(std::int32_t col, std::int32_t row, TextKind kind) const;
    std::wstring valueText(std::int32_t col, std::int32_t row) const { return text(col, row, TextKind::Value); }
    std::wstring dataText(std::int32_t col, std::int32_t row) const { return text(col, row, TextKind::Data); }
    std::wstring formulaText(std::int32_t col, std::int32_t row) const { return text(col, row, TextKind::Formula); }
    bool hasFormula(std::int32_t col, std::int32_t row) const;
    // The computed value (a datum for a plain cell); #REF! outside the sheet.
    Value value(std::int32_t col, std::int32_t row) const;
    // The cell's text when its value is a text (its value text, read without a copy; valid until the
    // sheet changes); null for any other value.
    const std::wstring* textValue(std::int32_t col, std::int32_t row) const;
    // The same text as the sheet shares it: a sheet given a kept content shares its texts with that
    // content, so callers may remember what they made of a text by its identity.
    const std::shared_ptr<const std::wstring>* sharedTextValue(std::int32_t col, std::int32_t row) const;
    // The cell's number when its value text is the number's general text (formatNumber): a number,
    // not a logical value, that no numeric cell type rounds and no kept typed text ("1.50") stands
    // for. A caller that needs the number's shortest text as well converts it once
    // (formatNumberTexts). Nothing for any other cell.
    std::optional<double> generalNumber(std::int32_t col, std::int32_t row) const;
    // The error the cell's formula computes, which its value text does not show.
    std::optional<ErrorCode> error(std::int32_t col, std::int32_t row) const;

    // ---- Cell attributes ---------------------------------------------------------------------------
    bool setTag(std::int32_t col, std::int32_t row, std::wstring_view tag);
    std::wstring tag(std::int32_t col, std::int32_t row) const;
    bool setCellType(std::int32_t col, std::int32_t row, const CellType& type);
    bool setCellTypeRange(const CellRange& range, const CellType& type);
    // The type and font records are the sheet's own: valid until the next type or font is set.
    const CellType& cellType(std::int32_t col, std::int32_t row) const;  // the default edit type outside
    bool setLock(std::int32_t col, std::int32_t row, bool locked);
    bool setLockRange(const CellRange& range, bool locked);
    bool isLocked(std::int32_t col, std::int32_t row) const;
    bool setColors(std::int32_t col, std::int32_t row, const CellColors& colors);
    bool setColorsRange(const CellRange& range, const CellColors& colors);
    CellColors colors(std::int32_t col, std::int32_t row) const;
    bool setFont(std::int32_t col, std::int32_t row, const CellFont& font);
    bool setFontRange(const CellRange& range, const CellFont& font);
    const CellFont& font(std::int32_t col, std::int32_t row) const;  // the default font when none was set
    void setDefaultFont(const CellFont& font);
    const CellFont& defaultFont() const;
    bool setBorder(std::int32_t col, std::int32_t row, const CellBorder& border);
    bool setBorderRange(const CellRange& range, const CellBorder& border);
    CellBorder border(std::int32_t col, std::int32_t row) const;
    bool setTextTip(std::int32_t col, std::int32_t row, std::wstring_view tip);
    std::wstring textTip(std::int32_t col, std::int32_t row) const;

    // ---- Spans -------------------------------------------------------------------------------------
    // Fails when the span would leave the sheet or overlap another span.
    bool addSpan(std::int32_t col, std::int32_t row, std::int32_t cols, std::int32_t rows);
    bool removeSpan(std::int32_t col, std::int32_t row);  // the span anchored at (col, row)
    // The span containing the cell, if any.
    std::optional<CellRange> spanAt(std::int32_t col, std::int32_t row) const;
    std::vector<CellRange> spans() const;

    // ---- Column widths and row heights ----------------------------------------------------------------
    // Widths in characters of the default font, heights in points; pixels convert at 8 per
    // character (plus none) and 4/3 per point. Column or row kHeader/0 is the header.
    bool setColWidth(std::int32_t col, double width);
    double colWidth(std::int32_t col) const;
    bool setColWidthInPixels(std::int32_t col, std::int32_t pixels);
    std::int32_t colWidthInPixels(std::int32_t col) const;
    bool setRowHeight(std::int32_t row, double height);
    double rowHeight(std::int32_t row) const;
    bool setRowHeightInPixels(std::int32_t row, std::int32_t pixels);
    std::int32_t rowHeightInPixels(std::int32_t row) const;
    bool hasCustomColWidth(std::int32_t col) const;
    bool hasCustomRowHeight(std::int32_t row) const;
    // The columns and rows with a size of their own, ascending, the header as 0; for files, which
    // must not walk every row of a sheet declared with two million of them.
    std::vector<std::int32_t> customColWidths() const;
    std::vector<std::int32_t> customRowHeights() const;

    // ---- Switches, reference style, look --------------------------------------------------------------
    void setBool(std::int32_t index, bool on);
    bool getBool(std::int32_t index) const;
    // Every switch that differs from a new sheet's, ascending, for files.
    std::vector<std::pair<std::int32_t, bool>> changedSwitches() const;
    bool setRefStyle(RefStyle style);
    RefStyle refStyle() const;
    const SheetLook& look() const;
    void setLook(const SheetLook& look);

    // ---- Calculation -------------------------------------------------------------------------------
    // Computes every formula again (custom and volatile functions run again too).
    void recalc();
    // For a reader filling the sheet from a file: until deferCalculation(false), a formula set is not
    // computed at once (it may read cells the file gives later) and nothing is marked for
    // recalculation; the reader calls recalc() once everything is in.
    void deferCalculation(bool on);
    // Computes one cell again, after whatever it reads that is out of date.
    bool recalcCell(std::int32_t col, std::int32_t row);
    // Registers a function under its name (any case); re-registering a name replaces it. It shadows
    // a built-in of the same name in formulas set afterwards. False for an empty name or bad counts.
    bool addCustomFunction(std::wstring_view name, std::int32_t minArgs, std::int32_t maxArgs,
                           CustomCallback callback, CustomFunctionFlags flags = CustomFunctionFlags::None);
    bool hasCustomFunction(std::wstring_view name) const;

    // ---- Structure -----------------------------------------------------------------------------------
    // Rows/columns move with everything in them; references follow, references into deleted cells
    // become #REF!. The sheet's size does not change (cells pushed past the end are dropped).
    bool insertRows(std::int32_t row, std::int32_t count = 1);
    bool deleteRows(std::int32_t row, std::int32_t count = 1);
    bool insertCols(std::int32_t col, std::int32_t count = 1);
    bool deleteCols(std::int32_t col, std::int32_t count = 1);
    // Copies a block (data, formulas with their relative references re-anchored, type, look) so its
    // top-left lands at (col, row). Overlapping source and target are handled.
    bool copyRange(const CellRange& source, std::int32_t col, std::int32_t row);
    // Exchanges a block with the same-sized block at (col, row); the blocks must not overlap.
    bool swapRange(const CellRange& source, std::int32_t col, std::int32_t row);
    // Empties every cell, span, width and height; keeps the sheet's size, switches, reference
    // style and custom functions.
    void clear();
    // Back to a new sheet: 0 rows, 0 columns, default switches; custom functions stay registered.
    void reset();

    // ---- Kept content ------------------------------------------------------------------------------
    // A copy of what a file gives a sheet: size, cells with their types and looks, spans, widths and
    // heights, the default font and the sheet's look. Null when the sheet holds a formula (compiled
    // formulas belong to the sheet that made them).
    std::shared_ptr<const SheetContent> saveContent() const;
    // Empties the sheet and gives it a kept content. Switches, reference style and custom functions
    // stay as they are.
    void restoreContent(const SheetContent& content);

    // ---- Iteration, for files ---------------------------------------------------------------------------
    // Calls visit(col, row) for every cell that has a datum, formula, tag, type, lock or look other
    // than the default, headers included (as column/row 0), in row or column order.
    template <class Visit>
    void forEachCell(CellOrder order, Visit&& visit) const {
        visitCells(order, [](void* context, std::int32_t col, std::int32_t row) {
            (*static_cast<std::remove_reference_t<Visit>*>(context))(col, row);
        }, const_cast<void*>(static_cast<const void*>(&visit)));
    }

    // ---- Diagnostics -------------------------------------------------------------------------------
    // How many formula texts were parsed (not found in the cache) since the sheet was made.
    std::uint64_t parseCount() const;
    // Compiled formulas the sheet keeps (in cells or cached), for tests of its memory.
    std::size_t storedFormulaCount() const;
    // How many formula evaluations ran since the sheet was made.
    std::uint64_t evaluationCount() const;

private:
    void visitCells(CellOrder order, void (*visit)(void*, std::int32_t, std::int32_t), void* context) const;

    std::unique_ptr<SheetData> data_;
};

}  // namespace grid
