#include "platform/grid/NativeGridWriter.h"

#include <algorithm>
#include <charconv>  // to_chars
#include <cmath>     // signbit
#include <string_view>

#include "platform/arx/Utf8.h"
#include "platform/grid/GridFileAddress.h"
#include "platform/grid/NativeGridFormat.h"
#include "platform/grid/Sheet.h"

namespace grid {
namespace {

using namespace gridfile;

class LineWriter {
public:
    explicit LineWriter(std::string& out) : out_(out) {}

    void begin(std::string_view keyword) { out_ += keyword; }
    void subject(std::string_view s) {
        out_ += ' ';
        out_ += s;
    }
    void end() { out_ += '\n'; }

    void text(std::string_view key, std::wstring_view value) {
        this->key(key);
        out_ += '"';
        std::size_t plain = 0;  // printable ASCII needing no escape, copied as one run
        while (plain < value.size() && value[plain] >= 0x20 && value[plain] < 0x7F && value[plain] != L'"' &&
               value[plain] != L'\\')
            ++plain;
        const std::size_t at = out_.size();
        out_.resize(at + plain);
        for (std::size_t i = 0; i < plain; ++i) out_[at + i] = static_cast<char>(value[i]);
        value.remove_prefix(plain);
        for (char c : utf8::encode(value)) {
            auto u = static_cast<unsigned char>(c);
            switch (c) {
                case '"': out_ += "\\\""; break;
                case '\\': out_ += "\\\\"; break;
                case '\n': out_ += "\\n"; break;
                case '\r': out_ += "\\r"; break;
                case '\t': out_ += "\\t"; break;
                default:
                    if (u < 0x20 || u == 0x7F) {
                        static const char hex[] = "0123456789ABCDEF";
                        out_ += "\\x";
                        out_ += hex[u >> 4];
                        out_ += hex[u & 15];
                    } else {
                        out_ += c;
                    }
            }
        }
        out_ += '"';
    }
    void integer(std::string_view key, std::int64_t value) {
        this->key(key);
        out_ += std::to_string(value);
    }
    void flag(std::string_view key, bool value) {
        this->key(key);
        out_ += value ? '1' : '0';
    }
    // Colours read best in hex: 0x00BBGGRR, or 0x8000000n for a system colour.
    void color(std::string_view key, std::uint32_t value) {
        this->key(key);
        char buffer[16];
        auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
        std::string digits(buffer, end);
        for (char& c : digits) c = static_cast<char>(c >= 'a' ? c - 'a' + 'A' : c);
        out_ += "0x";
        out_.append(8 - digits.size(), '0');
        out_ += digits;
    }
    // The shortest text that reads back as exactly the same double.
    void number(std::string_view key, double value) {
        this->key(key);
        char buffer[32];
        auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
        out_.append(buffer, end);
    }

private:
    void key(std::string_view key) {
        out_ += ' ';
        out_ += key;
        out_ += '=';
    }
    std::string& out_;
};

bool defaultLock() {
    static const bool locked = [] {
        Sheet probe;
        probe.setMaxCols(1);
        probe.setMaxRows(1);
        return probe.isLocked(1, 1);
    }();
    return locked;
}

// Every field of a record that differs from its default, in a fixed order.
void writeType(LineWriter& w, const CellType& t) {
    const CellType d;
    w.integer("type", static_cast<std::int32_t>(t.code));
    if (t.style != d.style) w.integer("type-style", t.style);
    if (t.maxLength != d.maxLength) w.integer("type-max-length", t.maxLength);
    if (t.decimals != d.decimals) w.integer("type-decimals", t.decimals);
    if (t.minimum != d.minimum || std::signbit(t.minimum)) w.number("type-min", t.minimum);
    if (t.maximum != d.maximum || std::signbit(t.maximum)) w.number("type-max", t.maximum);
    if (t.separator != d.separator) w.flag("type-separator", t.separator);
    if (t.items != d.items) w.text("type-items", t.items);
    if (t.picture != d.picture) w.text("type-picture", t.picture);
    if (t.picture2 != d.picture2) w.text("type-picture2", t.picture2);
    if (t.pictureHandle != d.pictureHandle) w.integer("type-handle", t.pictureHandle);
}

void writeFont(LineWriter& w, const CellFont& f, const CellFont& base, std::string_view prefix) {
    std::string p(prefix);
    if (f.face != base.face) w.text(p + "face", f.face);
    if (f.height != base.height) w.integer(p + "height", f.height);
    if (f.weight != base.weight) w.integer(p + "weight", f.weight);
    if (f.italic != base.italic) w.flag(p + "italic", f.italic);
    if (f.underline != base.underline) w.flag(p + "underline", f.underline);
    if (f.strikeOut != base.strikeOut) w.flag(p + "strike", f.strikeOut);
}

void writeLook(LineWriter& w, const SheetLook& l) {
    const SheetLook d;
    auto color = [&](std::string_view key, std::uint32_t v, std::uint32_t dv) {
        if (v != dv) w.color(key, v);
    };
    auto integer = [&](std::string_view key, std::int32_t v, std::int32_t dv) {
        if (v != dv) w.integer(key, v);
    };
    color("lock-back", l.lockBack, d.lockBack);
    color("lock-fore", l.lockFore, d.lockFore);
    color("gray-back", l.grayBack, d.grayBack);
    color("gray-fore", l.grayFore, d.grayFore);
    color("selection-back", l.selectionBack, d.selectionBack);
    color("selection-fore", l.selectionFore, d.selectionFore);
    color("grid-color", l.gridColor, d.gridColor);
    integer("grid-type", l.gridType, d.gridType);
    integer("back-color-style", l.backColorStyle, d.backColorStyle);
    integer("appearance", l.appearance, d.appearance);
    integer("unit-type", l.unitType, d.unitType);
    integer("text-tip-mode", l.textTipMode, d.textTipMode);
    integer("text-tip-delay", l.textTipDelay, d.textTipDelay);
    color("text-tip-back", l.textTipBack, d.textTipBack);
    color("text-tip-fore", l.textTipFore, d.textTipFore);
    integer("cell-note-indicator", l.cellNoteIndicator, d.cellNoteIndicator);
    integer("auto-size-cols", l.autoSizeVisibleCols, d.autoSizeVisibleCols);
    integer("auto-size-rows", l.autoSizeVisibleRows, d.autoSizeVisibleRows);
    integer("edit-enter-action", l.editEnterAction, d.editEnterAction);
    integer("operation-mode", l.operationMode, d.operationMode);
    integer("cursor-type", l.cursorType, d.cursorType);
    integer("cursor-value", l.cursorValue, d.cursorValue);
}

void writeCell(LineWriter& w, std::string& out, Sheet& sheet, std::int32_t col, std::int32_t row,
               std::wstring& scratch) {
    w.begin("cell");
    out += ' ';
    appendColumn(out, col);
    appendRow(out, row);

    static const CellType plain;
    const CellType& type = sheet.cellType(col, row);
    if (!(type == plain)) writeType(w, type);

    if (sheet.hasFormula(col, row)) {
        sheet.getText(col, row, TextKind::Formula, scratch);
        w.text("formula", scratch);
    } else if (sheet.getText(col, row, TextKind::Data, scratch) && !scratch.empty()) {
        // A datum set as a number keeps its exact value, which its text may round.
        Value v = sheet.value(col, row);
        auto parsed = parseNumber(scratch);
        if (v.isNumber() && parsed && *parsed != v.asNumber()) w.number("number", v.asNumber());
        else w.text("data", scratch);
    }
    if (sheet.getText(col, row, TextKind::Tag, scratch) && !scratch.empty()) w.text("tag", scratch);
    std::wstring tip = sheet.textTip(col, row);
    if (!tip.empty()) w.text("tip", tip);
    bool locked = sheet.isLocked(col, row);
    if (locked != defaultLock()) w.flag("lock", locked);
    CellColors colors = sheet.colors(col, row), defaultColors;
    if (colors.back != defaultColors.back) w.color("back", colors.back);
    if (colors.fore != defaultColors.fore) w.color("fore", colors.fore);
    const CellFont& font = sheet.font(col, row);
    if (!(font == sheet.defaultFont())) writeFont(w, font, sheet.defaultFont(), "font-");
    CellBorder border = sheet.border(col, row), defaultBorder;
    if (border.sides != defaultBorder.sides) w.integer("border-sides", border.sides);
    if (border.style != defaultBorder.style) w.integer("border-style", border.style);
    if (border.color != defaultBorder.color) w.color("border-color", border.color);
    w.end();
}

// Formula text is written in A1 style, which shows every combination of relative and absolute
// references (the legacy style cannot show relative ones); the scope puts the sheet's style back.
class RefStyleScope {
public:
    RefStyleScope(Sheet& sheet, RefStyle style) : sheet_(sheet), saved_(sheet.refStyle()) { sheet.setRefStyle(style); }
    ~RefStyleScope() { sheet_.setRefStyle(saved_); }
    RefStyleScope(const RefStyleScope&) = delete;
    RefStyleScope& operator=(const RefStyleScope&) = delete;
    RefStyle saved() const { return saved_; }

private:
    Sheet& sheet_;
    RefStyle saved_;
};

}  // namespace

std::string writeNativeGrid(Sheet& sheet) {
    RefStyleScope scope(sheet, RefStyle::A1);
    std::string out;
    LineWriter w(out);
    out += kMagic;
    out += ' ';
    out += std::to_string(kVersion);
    out += '\n';

    w.begin("sheet");
    w.integer("cols", sheet.maxCols());
    w.integer("rows", sheet.maxRows());
    w.integer("ref-style", static_cast<std::int32_t>(scope.saved()));
    w.end();

    // The changed flag says whether the sheet differs from its file, so it is never part of one.
    auto switches = sheet.changedSwitches();
    std::erase_if(switches, [](const auto& s) { return s.first == kSwitchChanged; });
    if (!switches.empty()) {
        w.begin("switches");
        for (auto [index, on] : switches) w.flag(std::to_string(index), on);
        w.end();
    }
    if (!(sheet.look() == SheetLook())) {
        w.begin("look");
        writeLook(w, sheet.look());
        w.end();
    }
    if (!(sheet.defaultFont() == CellFont())) {
        w.begin("default-font");
        writeFont(w, sheet.defaultFont(), CellFont(), "");
        w.end();
    }
    std::string name;
    for (std::int32_t c : sheet.customColWidths()) {
        if (c < 0 || c > sheet.maxCols()) continue;
        std::int32_t col = c == 0 ? kHeader : c;
        name.clear();
        appendColumn(name, col);
        w.begin("col");
        w.subject(name);
        w.number("width", sheet.colWidth(col));
        w.end();
    }
    for (std::int32_t r : sheet.customRowHeights()) {
        if (r < 0 || r > sheet.maxRows()) continue;
        std::int32_t row = r == 0 ? kHeader : r;
        name.clear();
        appendRow(name, row);
        w.begin("row");
        w.subject(name);
        w.number("height", sheet.rowHeight(row));
        w.end();
    }
    auto spans = sheet.spans();
    std::sort(spans.begin(), spans.end(), [](const CellRange& a, const CellRange& b) {
        return a.row1 != b.row1 ? a.row1 < b.row1 : a.col1 < b.col1;
    });
    for (const CellRange& s : spans) {
        w.begin("span");
        w.subject(addressText(s.col1, s.row1));
        w.integer("cols", s.columns());
        w.integer("rows", s.rows());
        w.end();
    }
    std::wstring scratch;
    sheet.forEachCell(CellOrder::ByRow, [&](std::int32_t col, std::int32_t row) { writeCell(w, out, sheet, col, row, scratch); });
    return out;
}

}  // namespace grid
