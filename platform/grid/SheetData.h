#pragma once
// The state behind a Sheet. Internal to platform/grid: the evaluator and the sheet's operations
// share it; nothing outside the engine includes this header.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/grid/Builtins.h"
#include "platform/grid/CellStore.h"
#include "platform/grid/CustomFunction.h"
#include "platform/grid/Dependencies.h"
#include "platform/grid/Evaluator.h"
#include "platform/grid/Formula.h"
#include "platform/grid/FormulaCompiler.h"
#include "platform/grid/FormulaParser.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/SpanIndex.h"

namespace grid {

// What a cell has that most cells do not.
struct CellExtra {
    std::wstring tag;
    std::wstring tip;
    std::optional<std::wstring> dataText;  // a number's text as written, when it differs from formatNumber
    std::optional<CellColors> colors;
    std::uint16_t font = 0;  // index into fonts; 0 = the sheet's default font
    std::optional<CellBorder> border;
    bool empty() const { return tag.empty() && tip.empty() && !dataText && !colors && font == 0 && !border; }
};

// A function name as formulas call it: a built-in, a host-registered function, or nothing yet.
struct FunctionSlot {
    std::wstring name;
    const BuiltinInfo* builtin = nullptr;
    std::int32_t custom = -1;  // index into customs
};

class SheetData final : public FormulaCompiler::Functions {
public:
    SheetData();

    // ---- addressing ---------------------------------------------------------------------------------
    // External coordinates (kHeader or 0 = header) to internal ones (0 = header); false outside.
    bool toInternal(std::int32_t& col, std::int32_t& row) const {
        if (col == kHeader) col = 0;
        if (row == kHeader) row = 0;
        return col >= 0 && row >= 0 && col <= cols && row <= rows;
    }
    bool insideData(std::int32_t col, std::int32_t row) const { return col >= 1 && row >= 1 && col <= cols && row <= rows; }

    // ---- formulas -----------------------------------------------------------------------------------
    // The shared compiled form of text placed at (col, row), or the parse error.
    const Formula* formulaFor(std::wstring_view text, std::int32_t col, std::int32_t row, FormulaStatus& status);
    const Formula* intern(const Formula& tree);

    std::int32_t slotFor(const std::wstring& upperName) override;
    bool isCustom(const std::wstring& upperName) const override;
    bool hasEffects(std::int32_t slot) const override;

    // ---- calculation --------------------------------------------------------------------------------
    bool autoCalc() const { return autoCalcOn; }
    // Brings the cell (internal coordinates) up to date, computing what it reads first.
    void bringUpToDate(std::int32_t col, std::int32_t row);
    // After a cell's content changed: marks the formulas that read it, directly or not, dirty.
    void contentChanged(std::int32_t col, std::int32_t row);
    void markAllFormulasDirty();
    void computeAllDirty();
    // Computes every formula again, in the order found last time when no formula changed since.
    void recalcAll();
    // Formulas were added, removed or moved: the remembered evaluation order is void.
    void formulasChanged() {
        orderValid = false;
        ++formulaGeneration;
    }

    // ---- cells --------------------------------------------------------------------------------------
    CellExtra* extra(std::int32_t col, std::int32_t row);
    const CellExtra* extra(std::int32_t col, std::int32_t row) const;
    CellExtra& extraAt(std::int32_t col, std::int32_t row);  // creates it
    void dropExtraIfEmpty(std::int32_t col, std::int32_t row);
    // Replaces the cell's datum/formula (value empty and formula null empties it).
    void setContent(std::int32_t col, std::int32_t row, Value value, const Formula* formula,
                    std::optional<std::wstring> dataText);
    std::uint16_t internType(const CellType& type);
    std::uint16_t internFont(const CellFont& font);
    // Whether the cell was given an edit or static-text type (not the default cell): a cell for text.
    bool isTextCell(std::int32_t col, std::int32_t row) const;

    std::int32_t rows = 0, cols = 0;
    CellStore cells;
    std::unordered_map<std::uint64_t, CellExtra> extras;
    std::vector<CellType> types;  // [0] the default edit cell
    std::vector<CellFont> fonts;  // [0] the default font
    SpanIndex spans;
    std::unordered_map<std::int32_t, double> colWidths, rowHeights;
    std::unordered_map<std::int32_t, bool> switches;
    RefStyle style = RefStyle::Legacy;
    SheetLook look;

    FormulaParser parser;
    struct CachedText {
        const Formula* formula = nullptr;  // the shared form, as placed at (col, row)
        std::int32_t col = 0, row = 0;
    };
    std::unordered_map<std::wstring, CachedText> textCache;
    std::wstring textKey;  // scratch
    std::unordered_map<std::string, std::unique_ptr<Formula>> interned;
    std::string internKey;  // scratch
    std::vector<std::unique_ptr<Formula>> absolute;  // formulas without relative parts, one per text
    // Formulas no cell holds any more are freed now and then, so that a long-lived sheet that is
    // given many different texts (a pooled grid running sheet after sheet) does not grow without
    // end. Only where every formula in use sits in a cell: never while a formula runs.
    void collectFormulas();
    std::size_t storedFormulas() const { return interned.size() + absolute.size(); }
    std::size_t collectAt = 4096;
    Formula scratch;

    std::vector<FunctionSlot> slots;
    std::unordered_map<std::wstring, std::int32_t> slotByName;
    std::vector<CustomFunction> customs;

    Dependencies dependencies;
    Evaluator evaluator;
    std::vector<std::uint64_t> work;  // scratch for marking and evaluation
    // While a calculation runs: for each formula blocked on a cell not computed yet, that cell.
    std::unordered_map<std::uint64_t, std::uint64_t> waits;
    // Records that `waiting` is blocked on `blocked`, and either schedules what must compute first
    // or, when the wait closes a cycle, gives every cell on it the circular error. False when there
    // is nothing to do either way.
    bool waitFor(std::uint64_t waiting, std::uint64_t blocked);
    std::size_t formulaCount = 0;
    bool autoCalcOn = true;
    bool deferred = false;  // a file is loading: formulas compute in the recalculation after it

    // The order in which the last full calculation computed the formulas (precedents first).
    struct Ordered {
        Cell* cell;
        std::int32_t col, row;
    };
    std::vector<Ordered> order;
    bool orderValid = false;
    bool recording = false;
    bool orderDependsOnValues = false;  // the walk met a cycle of possible reads (see bringUpToDate)
    std::uint64_t formulaGeneration = 0;

    std::uint64_t parses = 0;
    std::uint64_t evaluations = 0;
    std::uint64_t randomState = 0x9E3779B97F4A7C15ull;
};

// A sheet's content without formulas, as Sheet::saveContent keeps it.
class SheetContent {
public:
    std::int32_t rows = 0, cols = 0;
    CellStore cells;
    std::unordered_map<std::uint64_t, CellExtra> extras;
    std::vector<CellType> types;
    std::vector<CellFont> fonts;
    SpanIndex spans;
    std::unordered_map<std::int32_t, double> colWidths, rowHeights;
    SheetLook look;
};

}  // namespace grid
