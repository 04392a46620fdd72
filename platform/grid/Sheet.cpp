#include "platform/grid/Sheet.h"

#include <algorithm>
#include <charconv>  // to_chars
#include <cmath>

#include "platform/grid/FormulaWriter.h"
#include "platform/grid/SheetData.h"

namespace grid {
namespace {

constexpr double kDefaultColWidth = 9.0;     // characters
constexpr double kDefaultRowHeight = 12.0;   // points
constexpr double kPixelsPerCharacter = 8.0;
constexpr double kPixelsPerPoint = 4.0 / 3.0;

// Leading-number conversion: the longest start of the text that reads as a number ("12abc" -> 12,
// " -1.5e3x" -> -1500); nothing when the text does not start with one.
std::optional<double> leadingNumber(std::wstring_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
    std::size_t start = i;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') ++i, ++digits;
    if (i < text.size() && text[i] == L'.') {
        ++i;
        while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        std::size_t k = i + 1;
        if (k < text.size() && (text[k] == L'+' || text[k] == L'-')) ++k;
        if (k < text.size() && text[k] >= L'0' && text[k] <= L'9') {
            while (k < text.size() && text[k] >= L'0' && text[k] <= L'9') ++k;
            i = k;
        }
    }
    std::wstring_view number = text.substr(start, i - start);
    if (number.back() == L'.') number.remove_suffix(1);
    return parseNumber(number);
}

// A number cell's text: rounded half away from zero to the cell's decimals and written with exactly
// that many ("12.5000000" for 7, "13" for 0 and 12.5).
std::wstring numberCellText(double v, std::int32_t decimals) {
    decimals = std::clamp(decimals, 0, 15);
    double scale = std::pow(10.0, decimals);
    double scaled = v * scale;
    if (std::fabs(scaled) < 1e15) {
        // Two units in the last place away from zero make 1.005 * 100 (= 100.49999999999999) round
        // the way the written number says.
        double nudged = std::nextafter(std::nextafter(scaled, scaled < 0 ? -INFINITY : INFINITY),
                                       scaled < 0 ? -INFINITY : INFINITY);
        // The rounded value is the integer n / 10^decimals, |n| <= 10^15. Written with `decimals`
        // digits it reads as n's own digits with the point put in: the double nearest to it lies
        // within |n| * 2^-53 units of 10^-decimals of it, far less than the half unit that would
        // change a digit. So the digits are n's, without formatting a double.
        const auto n = static_cast<std::int64_t>(std::round(nudged));
        std::uint64_t magnitude = n < 0 ? static_cast<std::uint64_t>(-n) : static_cast<std::uint64_t>(n);
        wchar_t digits[24];
        int count = 0;
        do {
            digits[count++] = static_cast<wchar_t>(L'0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude > 0);
        while (count <= decimals) digits[count++] = L'0';  // at least one digit before the point
        std::wstring s;
        s.reserve(static_cast<std::size_t>(count) + 2);
        if (n < 0) s += L'-';
        for (int i = count - 1; i >= 0; --i) {
            s += digits[i];
            if (i == decimals && decimals > 0) s += L'.';
        }
        return s;
    }
    // Fixed notation with a precision writes what printf's "%.*f" writes.
    char buffer[400];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
    std::wstring s(buffer, written.ec == std::errc() ? written.ptr : buffer);
    if (s.size() > 1 && s[0] == L'-' && s.find_first_not_of(L"-0.") == std::wstring::npos) s.erase(0, 1);
    return s;
}

// displayText into out, reusing its storage: reading every cell of a big sheet allocates nothing.
void assignDisplayText(const Value& v, std::wstring& out) {
    switch (v.kind()) {
        case Value::Kind::Number: {
            char buffer[kNumberTextMax];
            const std::size_t n = formatNumberAscii(v.asNumber(), buffer);
            out.assign(buffer, buffer + n);
            return;
        }
        case Value::Kind::Text: out.assign(v.asText()); return;
        default: out.clear(); return;
    }
}

// True when text is exactly what formatNumber writes for the number it reads as, decided from the
// text alone: a plain decimal (no sign but "-", no exponent, no leading or trailing zeros) with at
// most 15 significant digits between 0.0001 and 10^15. Such a decimal reads as a double that
// formats back to the same digits (15 digits always survive the trip), so no formatting is needed.
// False means "not sure": the caller formats and compares.
bool isCanonicalNumberText(std::wstring_view text) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == L'-') ++i;
    const std::size_t start = i;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') ++i;
    const std::size_t whole = i - start;
    if (whole == 0 || whole > 15) return false;
    const bool zero = text[start] == L'0';
    if (zero && whole > 1) return false;  // leading zero
    if (i == text.size()) return !(zero && start > 0);  // "-0" formats as "0"
    if (text[i] != L'.') return false;
    ++i;
    const std::size_t fraction = i;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') ++i;
    if (i != text.size() || i == fraction || text[i - 1] == L'0') return false;
    std::size_t significant = whole + (i - fraction);
    if (zero) {
        std::size_t leading = 0;
        while (text[fraction + leading] == L'0') ++leading;
        if (leading > 3) return false;  // below 0.0001 formatNumber writes an exponent
        significant = i - fraction - leading;
    }
    return significant <= 15;
}

// A datum as the sheet stores it: numbers (numeric text without surrounding blanks) as numbers, with
// their text kept when formatNumber would write it differently; anything else as text.
void datumOf(std::wstring_view text, Value& value, std::optional<std::wstring>& dataText) {
    dataText.reset();
    if (text.empty()) {
        value = Value();
        return;
    }
    bool blankEdge = text.front() == L' ' || text.front() == L'\t' || text.back() == L' ' || text.back() == L'\t';
    if (!blankEdge) {
        if (auto n = parseNumber(text)) {
            value = Value::number(*n);
            if (isCanonicalNumberText(text)) return;
            char shown[kNumberTextMax];
            const std::size_t length = formatNumberAscii(*n, shown);
            if (!std::equal(text.begin(), text.end(), shown, shown + length)) dataText = std::wstring(text);
            return;
        }
    }
    value = Value::text(std::wstring(text));
}

std::int32_t clampAll(std::int32_t v, std::int32_t max) { return v == kHeader ? max : v; }

bool isUsed(const Cell& cell) { return cell.formula || !cell.value.isEmpty(); }

// Empties every cell the store holds in `range` (internal indexes), with its side-table entry, as
// a sheet that shrinks drops what lies beyond its new end.
void dropCells(SheetData& d, const CellRange& range) {
    std::vector<std::uint64_t> held;
    d.cells.forEachByRow(range, [&](std::int32_t c, std::int32_t r, Cell&) { held.push_back(Dependencies::key(c, r)); });
    for (std::uint64_t k : held) {
        const std::int32_t c = Dependencies::colOf(k), r = Dependencies::rowOf(k);
        d.setContent(c, r, Value(), nullptr, std::nullopt);
        d.extras.erase(k);
        d.cells.erase(c, r);
    }
}

// A single cell as a range: kHeader names the header here, not "all".
CellRange singleCell(std::int32_t col, std::int32_t row) {
    if (col == kHeader) col = 0;
    if (row == kHeader) row = 0;
    return {col, row, col, row};
}

}  // namespace

Sheet::Sheet() : data_(std::make_unique<SheetData>()) {}
Sheet::~Sheet() = default;
Sheet::Sheet(Sheet&&) noexcept = default;
Sheet& Sheet::operator=(Sheet&&) noexcept = default;

// ---- Size -------------------------------------------------------------------------------------------

std::int32_t Sheet::maxRows() const { return data_->rows; }
std::int32_t Sheet::maxCols() const { return data_->cols; }

bool Sheet::setMaxRows(std::int32_t rows) {
    SheetData& d = *data_;
    if (rows < 0 || rows > kRowLimit) return false;
    if (rows < d.rows) {
        dropCells(d, {0, rows + 1, d.cells.columnCount() - 1, INT32_MAX});
        d.cells.dropRowsFrom(rows + 1);
        d.spans.removeIf([&](const CellRange& s) { return s.row2 > rows; });
    }
    d.rows = rows;
    d.formulasChanged();
    d.markAllFormulasDirty();
    return true;
}

bool Sheet::setMaxCols(std::int32_t cols) {
    SheetData& d = *data_;
    if (cols < 0 || cols > kColLimit) return false;
    if (cols < d.cols) {
        dropCells(d, {cols + 1, 0, d.cells.columnCount() - 1, INT32_MAX});
        d.cells.dropColumnsFrom(cols + 1);
        d.spans.removeIf([&](const CellRange& s) { return s.col2 > cols; });
    }
    d.cols = cols;
    d.formulasChanged();
    d.markAllFormulasDirty();
    return true;
}

bool Sheet::isInside(std::int32_t col, std::int32_t row) const { return data_->toInternal(col, row); }

// Both look at the cells the sheet holds, never at its declared size: callers use them to bound
// scans of sheets declared far larger than what they hold.
std::int32_t Sheet::lastUsedCol() const {
    CellStore& cells = data_->cells;
    for (std::int32_t c = cells.columnCount() - 1; c > 0; --c) {
        bool used = false;
        cells.forEachInColumn(c, [&](std::int32_t, std::int32_t, Cell& cell) { used = used || isUsed(cell); });
        if (used) return c;
    }
    return 0;
}

std::int32_t Sheet::lastUsedRow() const {
    std::int32_t last = 0;
    data_->cells.forEach([&](std::int32_t, std::int32_t r, Cell& cell) {
        if (isUsed(cell) && r > last) last = r;
    });
    return last;
}

bool Sheet::nextUsedCell(const CellRange& area, std::int32_t& col, std::int32_t& row) const {
    const CellRange inside{std::max(area.col1, 1), std::max(area.row1, 1), std::min(area.col2, data_->cols),
                           std::min(area.row2, data_->rows)};
    if (inside.col1 > inside.col2 || inside.row1 > inside.row2) return false;
    return data_->cells.next(inside, col, row, isUsed);
}

// ---- Data and formulas ------------------------------------------------------------------------------

bool Sheet::setData(std::int32_t col, std::int32_t row, std::wstring_view text) {
    SheetData& d = *data_;
    if (!d.toInternal(col, row)) return false;
    const Cell* cell = d.cells.find(col, row);
    if (cell && d.types[cell->type].isNumeric()) {
        auto n = leadingNumber(text);
        d.setContent(col, row, n ? Value::number(*n) : Value(), nullptr, std::nullopt);
        return true;
    }
    Value value;
    std::optional<std::wstring> dataText;
    datumOf(text, value, dataText);
    d.setContent(col, row, std::move(value), nullptr, std::move(dataText));
    return true;
}

bool Sheet::setValue(std::int32_t col, std::int32_t row, std::wstring_view text) { return setData(col, row, text); }

bool Sheet::setNumber(std::int32_t col, std::int32_t row, double value) {
    SheetData& d = *data_;
    if (!d.toInternal(col, row) || !std::isfinite(value)) return false;
    d.setContent(col, row, Value::number(value), nullptr, std::nullopt);
    return true;
}

FormulaStatus Sheet::setFormula(std::int32_t col, std::int32_t row, std::wstring_view text) {
    SheetData& d = *data_;
    if (!d.toInternal(col, row)) return {false, 0, L"cell outside the sheet"};
    if (col == 0 || row == 0) return {false, 0, L"a header cell cannot hold a formula"};
    std::wstring_view trimmed = text;
    while (!trimmed.empty() && (trimmed.front() == L' ' || trimmed.front() == L'\t')) trimmed.remove_prefix(1);
    if (trimmed.empty() || trimmed == L"=") {
        d.setContent(col, row, Value(), nullptr, std::nullopt);
        return {};
    }
    if (d.storedFormulas() >= d.collectAt && !d.evaluator.running()) d.collectFormulas();
    FormulaStatus status;
    const Formula* f = d.formulaFor(text, col, row, status);
    if (!f) return status;
    d.setContent(col, row, Value(), f, std::nullopt);
    return status;
}

bool Sheet::clearData(std::int32_t col, std::int32_t row) {
    SheetData& d = *data_;
    if (!d.toInternal(col, row)) return false;
    d.setContent(col, row, Value(), nullptr, std::nullopt);
    return true;
}

bool Sheet::clearDataRange(const CellRange& range) {
    SheetData& d = *data_;
    std::int32_t c1 = clampAll(range.col1, 1), r1 = clampAll(range.row1, 1);
    std::int32_t c2 = clampAll(range.col2, d.cols), r2 = clampAll(range.row2, d.rows);
    if (c1 > c2 || r1 > r2 || c1 < 0 || r1 < 0 || c2 > d.cols || r2 > d.rows) return false;
    // Only the cells the range holds: clearing every cell of a large sheet costs what it holds.
    std::vector<std::uint64_t> held;
    d.cells.forEachByRow({c1, r1, c2, r2}, [&](std::int32_t c, std::int32_t r, Cell&) { held.push_back(Dependencies::key(c, r)); });
    for (std::uint64_t k : held) d.setContent(Dependencies::colOf(k), Dependencies::rowOf(k), Value(), nullptr, std::nullopt);
    return true;
}

bool Sheet::getText(std::int32_t col, std::int32_t row, TextKind kind, std::wstring& out) const {
    SheetData& d = *data_;
    out.clear();
    if (!d.toInternal(col, row)) return false;
    Cell* cell = d.cells.find(col, row);
    if (!cell) return true;
    if (cell->formula && cell->state == CellState::Dirty && d.autoCalc()) {
        d.bringUpToDate(col, row);
        cell = d.cells.find(col, row);
    }
    const CellExtra* extra = d.extra(col, row);
    switch (kind) {
        case TextKind::Tag:
            if (extra) out = extra->tag;
            return true;
        case TextKind::Formula:
            if (cell->formula) out = FormulaWriter::text(*cell->formula, col, row, d.style);
            return true;
        case TextKind::Data:
            if (!cell->formula && extra && extra->dataText) out = *extra->dataText;
            else assignDisplayText(cell->value, out);
            return true;
        case TextKind::Value: {
            const CellType& type = d.types[cell->type];
            const Value& v = cell->value;
            if (type.isNumeric() && v.isNumber())
                out = numberCellText(v.asNumber(), type.code == CellTypeCode::Integer ? 0 : type.decimals);
            else if (!cell->formula && extra && extra->dataText)
                out = *extra->dataText;
            else
                assignDisplayText(v, out);
            return true;
        }
    }
    return true;
}

std::optional<double> Sheet::generalNumber(std::int32_t col, std::int32_t row) const {
    SheetData& d = *data_;
    if (!d.toInternal(col, row)) return std::nullopt;
    Cell* cell = d.cells.find(col, row);
    if (!cell) return std::nullopt;
    if (cell->formula && cell->state == CellState::Dirty && d.autoCalc()) {
        d.bringUpToDate(col, row);
        cell = d.cells.find(col, row);
    }
    // As getText reads TextKind::Value.
    const Value& v = cell->value;
    if (!v.isNumber() || v.isLogical() || d.types[cell->type].isNumeric()) return std::nullopt;
    if (!cell->formula) {
        const CellExtra* extra = d.extra(col, row);
        if (extra && extra->dataText) return std::nullopt;
    }
    return v.asNumber();
}

std::wstring Sheet::text(std::int32_t col, std::int32_t row, TextKind kind) const {
    std::wstring out;
    getText(col, row, kind, out);
    return out;
}

bool Sheet::hasFormula(std::int32_t col, std::int32_t row) const {
    if (!data_->toInternal(col, row)) return false;
    const Cell* cell = data_->cells.find(col, row);
    return cell && cell->formula;
}

Value Sheet::value(std::int32_t col, std::int32_t row) const {
    SheetData& d = *data_;
    if (!d.toInternal(col, row)) return Value::error(ErrorCode::Ref);
    const Cell* cell = d.cells.find(col, row);
    if (!cell) return {};
    if (cell->formula && cell->state == CellState::Dirty && d.autoCalc()) {
        d.bringUpToDate(col, row);
        cell = d.cells.find(col, row);
    }
    return cell->value;
}

const std::wstring* Sheet::textValue(std::int32_t col, std::int32_t row) const {
    const auto* shared = sharedTextValue(col, row);
    return shared ? shared->get() : nullptr;
}

const std::shared_ptr<const std::wstring>* Sheet::sharedTextValue(std::int32_t col, std::int32_t row) const {
    SheetData& d = *data_;
    if (!d.toInternal(col, row)) return nullptr;
    const Cell* cell = d.cells.find(col, row);
    if (!cell) return nullptr;
    if (cell->formula && cell->state == CellState::Dirty && d.autoCalc()) {
        d.bringUpToDate(col, row);
        cell = d.cells.find(col, row);
    }
    return cell->value.isText() && cell->value.sharedText() ? &cell->value.sharedText() : nullptr;
}

std::optional<ErrorCode> Sheet::error(std::int32_t col, std::int32_t row) const {
    Value v = value(col, row);
    if (v.isError()) return v.asError();
    return std::nullopt;
}

// ---- Cell attributes ------------------------------------------------------------------------------

bool Sheet::setTag(std::int32_t col, std::int32_t row, std::wstring_view tag) {
    SheetData& d = *data_;
    if (!d.toInternal(col, row)) return false;
    if (tag.empty() && !d.extra(col, row)) return true;
    d.extraAt(col, row).tag.assign(tag);
    d.dropExtraIfEmpty(col, row);
    return true;
}

std::wstring Sheet::tag(std::int32_t col, std::int32_t row) const { return text(col, row, TextKind::Tag); }

namespace {
// Calls apply(col, row) for each cell of a range whose kHeader parts mean "all"; false when the
// range leaves the sheet.
template <class Apply>
bool forRange(const SheetData& d, const CellRange& range, Apply&& apply) {
    std::int32_t c1 = range.col1 == kHeader ? 1 : range.col1, r1 = range.row1 == kHeader ? 1 : range.row1;
    std::int32_t c2 = clampAll(range.col2, d.cols), r2 = clampAll(range.row2, d.rows);
    if (c1 > c2) std::swap(c1, c2);
    if (r1 > r2) std::swap(r1, r2);
    if (c1 < 0 || r1 < 0 || c2 > d.cols || r2 > d.rows) return false;
    for (std::int32_t c = c1; c <= c2; ++c)
        for (std::int32_t r = r1; r <= r2; ++r) apply(c, r);
    return true;
}
}  // namespace

bool Sheet::setCellType(std::int32_t col, std::int32_t row, const CellType& type) {
    return setCellTypeRange(singleCell(col, row), type);
}

bool Sheet::setCellTypeRange(const CellRange& range, const CellType& type) {
    SheetData& d = *data_;
    std::uint16_t index = d.internType(type);
    return forRange(d, range, [&](std::int32_t c, std::int32_t r) {
        Cell* cell = d.cells.find(c, r);
        if (!cell && index == 0) return;
        if (!cell) cell = &d.cells.at(c, r);
        cell->type = index;
        // A number cell holds numbers: text already there is read the way a typed value would be.
        if (type.isNumeric() && !cell->formula && cell->value.isText()) {
            std::wstring old = cell->value.asText();
            setData(c, r, old);
        }
    });
}

const CellType& Sheet::cellType(std::int32_t col, std::int32_t row) const {
    static const CellType outside;
    const SheetData& d = *data_;
    if (!d.toInternal(col, row)) return outside;
    const Cell* cell = d.cells.find(col, row);
    return cell ? d.types[cell->type] : d.types[0];
}

bool Sheet::setLock(std::int32_t col, std::int32_t row, bool locked) { return setLockRange(singleCell(col, row), locked); }

bool Sheet::setLockRange(const CellRange& range, bool locked) {
    SheetData& d = *data_;
    return forRange(d, range, [&](std::int32_t c, std::int32_t r) {
        Cell* cell = d.cells.find(c, r);
        if (!cell && !locked) return;
        if (!cell) cell = &d.cells.at(c, r);
        cell->set(CellBit::Locked, locked);
    });
}

bool Sheet::isLocked(std::int32_t col, std::int32_t row) const {
    const SheetData& d = *data_;
    if (!d.toInternal(col, row)) return false;
    const Cell* cell = d.cells.find(col, row);
    return cell && cell->has(CellBit::Locked);
}

bool Sheet::setColors(std::int32_t col, std::int32_t row, const CellColors& colors) {
    return setColorsRange(singleCell(col, row), colors);
}

bool Sheet::setColorsRange(const CellRange& range, const CellColors& colors) {
    SheetData& d = *data_;
    return forRange(d, range, [&](std::int32_t c, std::int32_t r) {
        if (colors == CellColors{}) {
            if (CellExtra* e = d.extra(c, r)) {
                e->colors.reset();
                d.dropExtraIfEmpty(c, r);
            }
            return;
        }
        d.extraAt(c, r).colors = colors;
    });
}

CellColors Sheet::colors(std::int32_t col, std::int32_t row) const {
    const SheetData& d = *data_;
    if (!d.toInternal(col, row)) return {};
    const CellExtra* e = d.extra(col, row);
    return e && e->colors ? *e->colors : CellColors{};
}

bool Sheet::setFont(std::int32_t col, std::int32_t row, const CellFont& font) { return setFontRange(singleCell(col, row), font); }

bool Sheet::setFontRange(const CellRange& range, const CellFont& font) {
    SheetData& d = *data_;
    std::uint16_t index = d.internFont(font);
    return forRange(d, range, [&](std::int32_t c, std::int32_t r) {
        if (index == 0) {
            if (CellExtra* e = d.extra(c, r)) {
                e->font = 0;
                d.dropExtraIfEmpty(c, r);
            }
            return;
        }
        d.extraAt(c, r).font = index;
    });
}

const CellFont& Sheet::font(std::int32_t col, std::int32_t row) const {
    const SheetData& d = *data_;
    if (!d.toInternal(col, row)) return d.fonts[0];
    const CellExtra* e = d.extra(col, row);
    return d.fonts[e ? e->font : 0];
}

void Sheet::setDefaultFont(const CellFont& font) { data_->fonts[0] = font; }
const CellFont& Sheet::defaultFont() const { return data_->fonts[0]; }

bool Sheet::setBorder(std::int32_t col, std::int32_t row, const CellBorder& border) {
    return setBorderRange(singleCell(col, row), border);
}

bool Sheet::setBorderRange(const CellRange& range, const CellBorder& border) {
    SheetData& d = *data_;
    return forRange(d, range, [&](std::int32_t c, std::int32_t r) {
        if (border == CellBorder{}) {
            if (CellExtra* e = d.extra(c, r)) {
                e->border.reset();
                d.dropExtraIfEmpty(c, r);
            }
            return;
        }
        d.extraAt(c, r).border = border;
    });
}

CellBorder Sheet::border(std::int32_t col, std::int32_t row) const {
    const SheetData& d = *data_;
    if (!d.toInternal(col, row)) return {};
    const CellExtra* e = d.extra(col, row);
    return e && e->border ? *e->border : CellBorder{};
}

bool Sheet::setTextTip(std::int32_t col, std::int32_t row, std::wstring_view tip) {
    SheetData& d = *data_;
    if (!d.toInternal(col, row)) return false;
    if (tip.empty() && !d.extra(col, row)) return true;
    d.extraAt(col, row).tip.assign(tip);
    d.dropExtraIfEmpty(col, row);
    return true;
}

std::wstring Sheet::textTip(std::int32_t col, std::int32_t row) const {
    const SheetData& d = *data_;
    if (!d.toInternal(col, row)) return {};
    const CellExtra* e = d.extra(col, row);
    return e ? e->tip : std::wstring();
}

// ---- Spans ------------------------------------------------------------------------------------------

bool Sheet::addSpan(std::int32_t col, std::int32_t row, std::int32_t cols, std::int32_t rows) {
    SheetData& d = *data_;
    if (!d.toInternal(col, row) || cols < 1 || rows < 1) return false;
    CellRange span{col, row, col + cols - 1, row + rows - 1};
    if (span.col2 > d.cols || span.row2 > d.rows) return false;
    if (span.isSingleCell()) return true;
    return d.spans.add(span);
}

bool Sheet::removeSpan(std::int32_t col, std::int32_t row) {
    SheetData& d = *data_;
    if (!d.toInternal(col, row)) return false;
    return d.spans.remove(col, row);
}

std::optional<CellRange> Sheet::spanAt(std::int32_t col, std::int32_t row) const {
    const SheetData& d = *data_;
    if (!d.toInternal(col, row)) return std::nullopt;
    return d.spans.find(col, row);
}

std::vector<CellRange> Sheet::spans() const { return data_->spans.all(); }

// ---- Column widths and row heights ------------------------------------------------------------------

bool Sheet::setColWidth(std::int32_t col, double width) {
    SheetData& d = *data_;
    if (col == kHeader) col = 0;
    if (col < 0 || col > d.cols || !(width >= 0.0) || width > 10000.0) return false;
    d.colWidths[col] = width;
    return true;
}

double Sheet::colWidth(std::int32_t col) const {
    if (col == kHeader) col = 0;
    auto it = data_->colWidths.find(col);
    return it == data_->colWidths.end() ? kDefaultColWidth : it->second;
}

bool Sheet::setColWidthInPixels(std::int32_t col, std::int32_t pixels) {
    return pixels >= 0 && setColWidth(col, pixels / kPixelsPerCharacter);
}

std::int32_t Sheet::colWidthInPixels(std::int32_t col) const {
    return static_cast<std::int32_t>(std::lround(colWidth(col) * kPixelsPerCharacter));
}

bool Sheet::setRowHeight(std::int32_t row, double height) {
    SheetData& d = *data_;
    if (row == kHeader) row = 0;
    if (row < 0 || row > d.rows || !(height >= 0.0) || height > 10000.0) return false;
    d.rowHeights[row] = height;
    return true;
}

double Sheet::rowHeight(std::int32_t row) const {
    if (row == kHeader) row = 0;
    auto it = data_->rowHeights.find(row);
    return it == data_->rowHeights.end() ? kDefaultRowHeight : it->second;
}

bool Sheet::setRowHeightInPixels(std::int32_t row, std::int32_t pixels) {
    return pixels >= 0 && setRowHeight(row, pixels / kPixelsPerPoint);
}

std::int32_t Sheet::rowHeightInPixels(std::int32_t row) const {
    return static_cast<std::int32_t>(std::lround(rowHeight(row) * kPixelsPerPoint));
}

bool Sheet::hasCustomColWidth(std::int32_t col) const {
    if (col == kHeader) col = 0;
    return data_->colWidths.count(col) > 0;
}

bool Sheet::hasCustomRowHeight(std::int32_t row) const {
    if (row == kHeader) row = 0;
    return data_->rowHeights.count(row) > 0;
}

namespace {
std::vector<std::int32_t> sortedKeys(const std::unordered_map<std::int32_t, double>& sizes) {
    std::vector<std::int32_t> keys;
    keys.reserve(sizes.size());
    for (const auto& entry : sizes) keys.push_back(entry.first);
    std::sort(keys.begin(), keys.end());
    return keys;
}
}  // namespace

std::vector<std::int32_t> Sheet::customColWidths() const { return sortedKeys(data_->colWidths); }
std::vector<std::int32_t> Sheet::customRowHeights() const { return sortedKeys(data_->rowHeights); }

// ---- Switches, reference style, look ----------------------------------------------------------------

namespace {
bool defaultSwitch(std::int32_t index) { return index == kSwitchAutoCalc || index == kSwitchRedraw; }
}  // namespace

void Sheet::setBool(std::int32_t index, bool on) {
    SheetData& d = *data_;
    bool wasAuto = d.autoCalc();
    if (on == defaultSwitch(index)) d.switches.erase(index);
    else d.switches[index] = on;
    if (index == kSwitchAutoCalc) d.autoCalcOn = on;
    // Values kept while calculation was off are stale now; they compute again when read.
    if (index == kSwitchAutoCalc && on && !wasAuto) d.markAllFormulasDirty();
}

bool Sheet::getBool(std::int32_t index) const {
    auto it = data_->switches.find(index);
    return it == data_->switches.end() ? defaultSwitch(index) : it->second;
}

std::vector<std::pair<std::int32_t, bool>> Sheet::changedSwitches() const {
    std::vector<std::pair<std::int32_t, bool>> out(data_->switches.begin(), data_->switches.end());
    std::sort(out.begin(), out.end());
    return out;
}

bool Sheet::setRefStyle(RefStyle style) {
    if (style != RefStyle::Legacy && style != RefStyle::A1 && style != RefStyle::R1C1) return false;
    data_->style = style;
    return true;
}

RefStyle Sheet::refStyle() const { return data_->style; }
const SheetLook& Sheet::look() const { return data_->look; }
void Sheet::setLook(const SheetLook& look) { data_->look = look; }

// ---- Calculation --------------------------------------------------------------------------------------

void Sheet::recalc() { data_->recalcAll(); }

void Sheet::deferCalculation(bool on) { data_->deferred = on; }

bool Sheet::recalcCell(std::int32_t col, std::int32_t row) {
    SheetData& d = *data_;
    if (!d.toInternal(col, row)) return false;
    Cell* cell = d.cells.find(col, row);
    if (!cell || !cell->formula) return true;
    if (cell->state == CellState::Clean) {
        cell->state = CellState::Dirty;
        cell->set(CellBit::Cycle, false);
    }
    d.bringUpToDate(col, row);
    d.contentChanged(col, row);
    return true;
}

bool Sheet::addCustomFunction(std::wstring_view name, std::int32_t minArgs, std::int32_t maxArgs, CustomCallback callback,
                              CustomFunctionFlags flags) {
    SheetData& d = *data_;
    if (name.empty() || !callback || minArgs < 0 || (maxArgs >= 0 && maxArgs < minArgs) || maxArgs < -1) return false;
    std::wstring upper;
    for (wchar_t c : name) {
        bool ok = (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') || c == L'_' || c == L'.';
        if (!ok) return false;
        upper += (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c;
    }
    std::int32_t slot = d.slotFor(upper);
    FunctionSlot& s = d.slots[static_cast<std::size_t>(slot)];
    CustomFunction fn{upper, minArgs, maxArgs, std::move(callback), flags};
    if (s.custom >= 0) {
        d.customs[static_cast<std::size_t>(s.custom)] = std::move(fn);
        return true;
    }
    d.customs.push_back(std::move(fn));
    s.custom = static_cast<std::int32_t>(d.customs.size() - 1);
    // Parsed texts were checked against the built-in's argument counts; formulas that named the
    // function before it existed computed #NAME? and must compute again.
    d.textCache.clear();
    d.formulasChanged();
    d.markAllFormulasDirty();
    return true;
}

bool Sheet::hasCustomFunction(std::wstring_view name) const {
    std::wstring upper(name);
    for (auto& c : upper) c = (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c;
    return data_->isCustom(upper);
}

// ---- Diagnostics and iteration ------------------------------------------------------------------------

std::uint64_t Sheet::parseCount() const { return data_->parses; }
std::size_t Sheet::storedFormulaCount() const { return data_->storedFormulas(); }
std::uint64_t Sheet::evaluationCount() const { return data_->evaluations; }

void Sheet::visitCells(CellOrder order, void (*visit)(void*, std::int32_t, std::int32_t), void* context) const {
    CellStore& cells = data_->cells;
    if (order == CellOrder::ByColumn) {
        cells.forEach([&](std::int32_t c, std::int32_t r, Cell&) { visit(context, c, r); });
        return;
    }
    cells.forEachByRow({0, 0, INT32_MAX, INT32_MAX}, [&](std::int32_t c, std::int32_t r, Cell&) { visit(context, c, r); });
}

}  // namespace grid
