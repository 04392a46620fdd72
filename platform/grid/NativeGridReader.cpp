#include "platform/grid/NativeGridReader.h"

#include <algorithm>
#include <charconv>  // from_chars
#include <cmath>
#include <limits>
#include <memory>  // shared_ptr
#include <optional>
#include <string>

#include "platform/arx/Utf8.h"
#include "platform/grid/FormulaParser.h"
#include "platform/grid/GridFileAddress.h"
#include "platform/grid/GridFileFormulas.h"
#include "platform/grid/NativeGridFormat.h"

namespace grid {
namespace {

using namespace gridfile;

// ---- Lines of "keyword [subject] key=value ..." --------------------------------------------------------

struct Field {
    std::string_view key;
    std::string_view value;  // raw, quotes included
};

struct Line {
    std::string_view keyword;
    std::string_view subject;
    std::vector<Field> fields;
};

// Splits one line; a problem is described in `problem`.
bool splitLine(std::string_view text, Line& line, std::string& problem) {
    line.fields.clear();
    line.subject = {};
    std::size_t i = 0, n = text.size();
    auto skipBlanks = [&] {
        while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
    };
    auto word = [&] {
        std::size_t start = i;
        while (i < n && text[i] != ' ' && text[i] != '\t' && text[i] != '=') ++i;
        return text.substr(start, i - start);
    };
    line.keyword = word();
    skipBlanks();
    if (i < n) {
        std::size_t save = i;
        std::string_view first = word();
        if (i < n && text[i] == '=') i = save;  // no subject: the first token is already a field
        else line.subject = first;
    }
    for (;;) {
        skipBlanks();
        if (i >= n) return true;
        std::string_view key = word();
        if (key.empty() || i >= n || text[i] != '=') {
            problem = "expected name=value at column " + std::to_string(i + 1);
            return false;
        }
        ++i;
        std::size_t start = i;
        if (i < n && text[i] == '"') {
            ++i;
            while (i < n && text[i] != '"') i += (text[i] == '\\' && i + 1 < n) ? 2 : 1;
            if (i >= n) {
                problem = "unterminated text in \"" + std::string(key) + "\"";
                return false;
            }
            ++i;
            if (i < n && text[i] != ' ' && text[i] != '\t') {
                problem = "unexpected character after the text of \"" + std::string(key) + "\"";
                return false;
            }
        } else {
            while (i < n && text[i] != ' ' && text[i] != '\t') ++i;
        }
        for (const Field& f : line.fields)
            if (f.key == key) {
                problem = "\"" + std::string(key) + "\" given twice";
                return false;
            }
        line.fields.push_back({key, text.substr(start, i - start)});
    }
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool decodeText(std::string_view raw, std::wstring& out) {
    if (raw.size() < 2 || raw.front() != '"' || raw.back() != '"') return false;
    raw = raw.substr(1, raw.size() - 2);
    // Most texts are plain ASCII without escapes: they are their own characters.
    if (std::all_of(raw.begin(), raw.end(), [](char c) { return c != '\\' && static_cast<unsigned char>(c) < 0x80; })) {
        // (resize and copy: assigning a range of chars would build a temporary string first)
        out.resize(raw.size());
        std::transform(raw.begin(), raw.end(), out.begin(), [](char c) { return static_cast<wchar_t>(c); });
        return true;
    }
    std::string bytes;
    bytes.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        char c = raw[i];
        if (c != '\\') {
            bytes += c;
            continue;
        }
        if (++i >= raw.size()) return false;
        switch (raw[i]) {
            case '"': bytes += '"'; break;
            case '\\': bytes += '\\'; break;
            case 'n': bytes += '\n'; break;
            case 'r': bytes += '\r'; break;
            case 't': bytes += '\t'; break;
            case 'x': {
                if (i + 2 >= raw.size()) return false;
                int hi = hexDigit(raw[i + 1]), lo = hexDigit(raw[i + 2]);
                if (hi < 0 || lo < 0) return false;
                bytes += static_cast<char>(hi * 16 + lo);
                i += 2;
                break;
            }
            default: return false;
        }
    }
    if (!utf8::isValid(bytes)) return false;
    out = utf8::decode(bytes);
    return true;
}

bool decodeInteger(std::string_view raw, std::int64_t& out) {
    int base = 10;
    bool negative = false;
    if (raw.starts_with("0x") || raw.starts_with("0X")) {
        base = 16;
        raw.remove_prefix(2);
    } else if (raw.starts_with('-')) {
        negative = true;
        raw.remove_prefix(1);
    }
    if (raw.empty() || raw[0] == '-' || raw[0] == '+') return false;
    std::uint64_t magnitude = 0;
    auto [end, ec] = std::from_chars(raw.data(), raw.data() + raw.size(), magnitude, base);
    if (ec != std::errc() || end != raw.data() + raw.size()) return false;
    if (magnitude > static_cast<std::uint64_t>(INT64_MAX)) return false;
    out = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
}

bool decodeNumber(std::string_view raw, double& out) {
    if (raw.empty() || raw[0] == '+') return false;
    auto [end, ec] = std::from_chars(raw.data(), raw.data() + raw.size(), out);
    return ec == std::errc() && end == raw.data() + raw.size() && std::isfinite(out);
}

// ---- The native loader --------------------------------------------------------------------------------
//
// Runs twice over the text: first checking every line without touching the target (sizes and spans go
// to a probe sheet, formulas through the parser), then, only when all is well, applying the lines to
// the emptied target. Loading into a fresh sheet and swapping it in would be simpler, but it would drop
// the custom functions the host registered on the target, and formulas bind those when they are set.
// A new target (no rows, no columns) has nothing to lose but its settings and header cells: it is
// loaded in one pass and put back as it was should a line fail.
class NativeLoader {
public:
    NativeLoader(std::string_view bytes, Sheet& target) : bytes_(bytes), target_(target), parser_(gridfile::formulaChecker(target)) {}

    GridFileResult run() {
        std::shared_ptr<const SheetContent> blank;
        if (target_.maxRows() == 0 && target_.maxCols() == 0)
            blank = target_.saveContent();
        if (!blank && !pass(false))
            return result_;
        const RefStyle blankStyle = target_.refStyle();
        // Switches the file does not mention keep the values the caller gave the sheet before the
        // load (the standards engine turns automatic calculation off, then loads).
        auto switches = target_.changedSwitches();
        target_.reset();
        for (auto [index, on] : switches) target_.setBool(index, on);
        gridfile::DeferredCalculation calculation(target_);
        const bool loaded = pass(true);
        if (!loaded && blank) {
            target_.reset();
            target_.restoreContent(*blank);
            target_.setRefStyle(blankStyle);
            for (auto [index, on] : switches)
                target_.setBool(index, on);
            return result_;
        }
        if (!loaded) {
            // NOTE: only a custom function called with an argument count it refuses gets here.
            result_.diagnostic += " (the sheet was loaded in part)";
            calculation.finish();
            return result_;
        }
        target_.setRefStyle(refStyle_);
        for (auto [index, on] : deferredSwitches_)
            if (index != kSwitchChanged) target_.setBool(index, on);
        if (formulas_ > 0) calculation.finish();
        target_.setBool(kSwitchChanged, false);
        return result_;
    }

    // After a successful run: the reference style and the switches the file set.
    RefStyle refStyle() const { return refStyle_; }
    const std::vector<std::pair<std::int32_t, bool>>& fileSwitches() const { return deferredSwitches_; }

private:
    bool fail(std::string problem) {
        result_.ok = false;
        result_.line = lineNumber_;
        result_.diagnostic = "line " + std::to_string(lineNumber_) + ": " + std::move(problem);
        return false;
    }

    bool pass(bool apply) {
        apply_ = apply;
        sheet_ = apply ? &target_ : &probe_;
        lineNumber_ = 0;
        sawSheet_ = false;
        formulas_ = 0;
        std::size_t pos = 0;
        bool first = true;
        while (pos < bytes_.size() || first) {
            std::size_t end = bytes_.find('\n', pos);
            if (end == std::string_view::npos) end = bytes_.size();
            std::string_view text = bytes_.substr(pos, end - pos);
            if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
            pos = end + 1;
            ++lineNumber_;
            if (first) {
                first = false;
                if (!header(text)) return false;
                continue;
            }
            if (text.empty() || text[0] == '#') continue;
            if (!line(text)) return false;
        }
        return true;
    }

    bool header(std::string_view text) {
        if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
        std::string expected = std::string(kMagic) + " " + std::to_string(kVersion);
        if (!text.starts_with(kMagic) || text.size() <= kMagic.size() || text[kMagic.size()] != ' ')
            return fail("not a grid file (the first line must be \"" + expected + "\")");
        std::int64_t version = 0;
        if (!decodeInteger(text.substr(kMagic.size() + 1), version) || version < 1)
            return fail("bad version in \"" + std::string(text) + "\"");
        if (version > kVersion)
            return fail("grid file version " + std::to_string(version) + " is newer than this program reads (" +
                        std::to_string(kVersion) + ")");
        return true;
    }

    bool line(std::string_view text) {
        std::string problem;
        if (!splitLine(text, line_, problem)) return fail(problem);
        std::string_view k = line_.keyword;
        if (k == "sheet") return sheetLine();
        if (!sawSheet_) return fail("\"" + std::string(k) + "\" before the sheet line");
        if (k == "cell") return cellLine();
        if (k == "switches") return switchesLine();
        if (k == "look") return lookLine();
        if (k == "default-font") return defaultFontLine();
        if (k == "col" || k == "row") return sizeLine(k == "col");
        if (k == "span") return spanLine();
        return fail("unknown line \"" + std::string(k) + "\"");
    }

    bool noSubject() {
        if (!line_.subject.empty())
            return fail("unexpected \"" + std::string(line_.subject) + "\" after \"" + std::string(line_.keyword) + "\"");
        return true;
    }

    bool unknownKey(const Field& f) { return fail("unknown property \"" + std::string(f.key) + "\""); }

    bool integer(const Field& f, std::int64_t& out, std::int64_t lo, std::int64_t hi) {
        if (!decodeInteger(f.value, out) || out < lo || out > hi)
            return fail("\"" + std::string(f.key) + "\" needs a whole number from " + std::to_string(lo) + " to " +
                        std::to_string(hi) + ", not " + std::string(f.value));
        return true;
    }
    template <class T>
    bool integerAs(const Field& f, T& out) {
        std::int64_t v = 0;
        if (!integer(f, v, std::numeric_limits<T>::min(), std::numeric_limits<T>::max())) return false;
        out = static_cast<T>(v);
        return true;
    }
    bool color(const Field& f, std::uint32_t& out) { return integerAs(f, out); }
    bool flag(const Field& f, bool& out) {
        if (f.value != "0" && f.value != "1") return fail("\"" + std::string(f.key) + "\" needs 0 or 1, not " + std::string(f.value));
        out = f.value == "1";
        return true;
    }
    bool number(const Field& f, double& out) {
        if (!decodeNumber(f.value, out)) return fail("\"" + std::string(f.key) + "\" needs a number, not " + std::string(f.value));
        return true;
    }
    bool text(const Field& f, std::wstring& out) {
        if (!decodeText(f.value, out))
            return fail("\"" + std::string(f.key) + "\" needs a text in double quotes with valid escapes and UTF-8");
        return true;
    }

    bool sheetLine() {
        if (sawSheet_) return fail("a second sheet line");
        if (!noSubject()) return false;
        sawSheet_ = true;
        std::int64_t cols = 0, rows = 0, style = 0;
        for (const Field& f : line_.fields) {
            if (f.key == "cols") {
                if (!integer(f, cols, 0, kColLimit)) return false;
            } else if (f.key == "rows") {
                if (!integer(f, rows, 0, kRowLimit)) return false;
            } else if (f.key == "ref-style") {
                if (!integer(f, style, 0, 2)) return false;
            } else {
                return unknownKey(f);
            }
        }
        if (!sheet_->setMaxCols(static_cast<std::int32_t>(cols)) || !sheet_->setMaxRows(static_cast<std::int32_t>(rows)))
            return fail("the sheet cannot have " + std::to_string(cols) + " columns and " + std::to_string(rows) + " rows");
        refStyle_ = static_cast<RefStyle>(style);
        // Formulas are stored in A1 style; the file's own style is set once they are all in.
        if (apply_) target_.setRefStyle(RefStyle::A1);
        return true;
    }

    bool switchesLine() {
        if (!noSubject()) return false;
        for (const Field& f : line_.fields) {
            std::int64_t index = 0;
            if (!decodeInteger(f.key, index) || index < INT32_MIN || index > INT32_MAX)
                return fail("switch \"" + std::string(f.key) + "\" is not a number");
            bool on = false;
            if (!flag(f, on)) return false;
            if (apply_) deferredSwitches_.emplace_back(static_cast<std::int32_t>(index), on);
        }
        return true;
    }

    bool lookLine() {
        if (!noSubject()) return false;
        SheetLook l;
        struct ColorKey {
            std::string_view key;
            std::uint32_t SheetLook::*member;
        };
        static const ColorKey colors[] = {
            {"lock-back", &SheetLook::lockBack}, {"lock-fore", &SheetLook::lockFore},
            {"gray-back", &SheetLook::grayBack}, {"gray-fore", &SheetLook::grayFore},
            {"selection-back", &SheetLook::selectionBack}, {"selection-fore", &SheetLook::selectionFore},
            {"grid-color", &SheetLook::gridColor}, {"text-tip-back", &SheetLook::textTipBack},
            {"text-tip-fore", &SheetLook::textTipFore},
        };
        struct IntKey {
            std::string_view key;
            std::int32_t SheetLook::*member;
        };
        static const IntKey ints[] = {
            {"grid-type", &SheetLook::gridType}, {"back-color-style", &SheetLook::backColorStyle},
            {"appearance", &SheetLook::appearance}, {"unit-type", &SheetLook::unitType},
            {"text-tip-mode", &SheetLook::textTipMode}, {"text-tip-delay", &SheetLook::textTipDelay},
            {"cell-note-indicator", &SheetLook::cellNoteIndicator},
            {"auto-size-cols", &SheetLook::autoSizeVisibleCols}, {"auto-size-rows", &SheetLook::autoSizeVisibleRows},
            {"edit-enter-action", &SheetLook::editEnterAction}, {"operation-mode", &SheetLook::operationMode},
            {"cursor-type", &SheetLook::cursorType}, {"cursor-value", &SheetLook::cursorValue},
        };
        for (const Field& f : line_.fields) {
            bool known = false;
            for (const auto& c : colors)
                if (c.key == f.key) {
                    if (!color(f, l.*c.member)) return false;
                    known = true;
                }
            for (const auto& i : ints)
                if (i.key == f.key) {
                    if (!integerAs(f, l.*i.member)) return false;
                    known = true;
                }
            if (!known) return unknownKey(f);
        }
        if (apply_) target_.setLook(l);
        return true;
    }

    // Font fields with the given prefix; false with a diagnostic on a bad value. `known` tells whether
    // the field was a font field at all.
    bool fontField(const Field& f, std::string_view prefix, CellFont& font, bool& known) {
        known = false;
        if (!f.key.starts_with(prefix)) return true;
        std::string_view k = f.key.substr(prefix.size());
        known = true;
        if (k == "face") return text(f, font.face);
        if (k == "height") return integerAs(f, font.height);
        if (k == "weight") return integerAs(f, font.weight);
        if (k == "italic") return flag(f, font.italic);
        if (k == "underline") return flag(f, font.underline);
        if (k == "strike") return flag(f, font.strikeOut);
        known = false;
        return true;
    }

    bool defaultFontLine() {
        if (!noSubject()) return false;
        CellFont font;
        for (const Field& f : line_.fields) {
            bool known = false;
            if (!fontField(f, "", font, known)) return false;
            if (!known) return unknownKey(f);
        }
        sheet_->setDefaultFont(font);
        return true;
    }

    bool sizeLine(bool isCol) {
        auto index = isCol ? parseColumn(line_.subject) : parseRow(line_.subject);
        if (!index) return fail("\"" + std::string(line_.subject) + "\" is not a " + (isCol ? "column" : "row"));
        for (const Field& f : line_.fields) {
            double size = 0;
            if (f.key != (isCol ? "width" : "height")) return unknownKey(f);
            if (!number(f, size)) return false;
            if (size < 0) return fail("a size cannot be negative");
            if (!(isCol ? *index <= sheet_->maxCols() || isHeader(*index) : *index <= sheet_->maxRows() || isHeader(*index)))
                return fail(std::string(isCol ? "column " : "row ") + std::string(line_.subject) + " is outside the sheet");
            // The probe refuses exactly what the target would (sizes beyond the sheet's limits).
            if (!(isCol ? sheet_->setColWidth(*index, size) : sheet_->setRowHeight(*index, size)))
                return fail("the sheet cannot make " + std::string(isCol ? "column " : "row ") +
                            std::string(line_.subject) + " that size");
        }
        return true;
    }

    bool spanLine() {
        std::int32_t col = 0, row = 0;
        if (!parseAddress(line_.subject, col, row)) return fail("\"" + std::string(line_.subject) + "\" is not a cell");
        std::int64_t cols = 1, rows = 1;
        for (const Field& f : line_.fields) {
            if (f.key == "cols") {
                if (!integer(f, cols, 1, kColLimit)) return false;
            } else if (f.key == "rows") {
                if (!integer(f, rows, 1, kRowLimit)) return false;
            } else {
                return unknownKey(f);
            }
        }
        if (!sheet_->addSpan(col, row, static_cast<std::int32_t>(cols), static_cast<std::int32_t>(rows)))
            return fail("the span at " + std::string(line_.subject) + " leaves the sheet or overlaps another span");
        return true;
    }

    bool cellLine() {
        std::int32_t col = 0, row = 0;
        if (!parseAddress(line_.subject, col, row)) return fail("\"" + std::string(line_.subject) + "\" is not a cell");
        if (!sheet_->isInside(col, row)) return fail("cell " + std::string(line_.subject) + " is outside the sheet");

        std::optional<CellType> type;
        std::optional<CellColors> colors;
        std::optional<CellFont> font;
        std::optional<CellBorder> border;
        std::optional<bool> lock;
        bool hasData = false, hasNumber = false, hasFormula = false, hasTag = false, hasTip = false;
        double numberValue = 0;
        std::wstring tag, tip;
        int contents = 0;

        for (const Field& f : line_.fields) {
            std::string_view k = f.key;
            if (k == "data") {
                if (!text(f, data_)) return false;
                hasData = true, ++contents;
            } else if (k == "number") {
                if (!number(f, numberValue)) return false;
                hasNumber = true, ++contents;
            } else if (k == "formula") {
                if (!text(f, data_)) return false;
                hasFormula = true, ++contents;
            } else if (k == "tag") {
                if (!text(f, tag)) return false;
                hasTag = true;
            } else if (k == "tip") {
                if (!text(f, tip)) return false;
                hasTip = true;
            } else if (k == "lock") {
                bool on = false;
                if (!flag(f, on)) return false;
                lock = on;
            } else if (k == "back" || k == "fore") {
                if (!colors) colors.emplace();
                if (!color(f, k == "back" ? colors->back : colors->fore)) return false;
            } else if (k.starts_with("border-")) {
                if (!border) border.emplace();
                if (k == "border-sides") {
                    if (!integerAs(f, border->sides)) return false;
                } else if (k == "border-style") {
                    if (!integerAs(f, border->style)) return false;
                } else if (k == "border-color") {
                    if (!color(f, border->color)) return false;
                } else {
                    return unknownKey(f);
                }
            } else if (k.starts_with("font-")) {
                if (!font) font = sheet_->defaultFont();
                bool known = false;
                if (!fontField(f, "font-", *font, known)) return false;
                if (!known) return unknownKey(f);
            } else if (k == "type" || k.starts_with("type-")) {
                if (!type) type.emplace();
                if (!typeField(f, *type)) return false;
            } else {
                return unknownKey(f);
            }
        }
        if (contents > 1) return fail("a cell holds only one of data, number and formula");
        if (type && !validTypeCode(type->code)) return fail("unknown cell type " + std::to_string(static_cast<int>(type->code)));

        if (hasFormula && (col == kHeader || row == kHeader))
            return fail("header cell " + std::string(line_.subject) + " cannot hold a formula");
        if (hasFormula) {
            ++formulas_;
            if (!apply_) {
                checked_.clear();
                FormulaStatus status = parser_.parse(data_, RefStyle::A1, checked_);
                if (!status) return fail("formula of " + std::string(line_.subject) + ": " + utf8::encode(status.message));
            }
        }
        // The first pass tries the cell's attributes on a one-cell probe, so whatever the sheet would
        // refuse (a type record it cannot take, say) is found before the target is touched.
        if (!apply_) {
            if (!cellProbe_.maxCols()) {
                cellProbe_.setMaxCols(1);
                cellProbe_.setMaxRows(1);
            }
            cellProbe_.setDefaultFont(sheet_->defaultFont());
            col = 1;
            row = 1;
        }
        Sheet& s = apply_ ? target_ : cellProbe_;
        bool ok = true;
        // The type goes first: it decides how the datum reads.
        if (type) ok &= s.setCellType(col, row, *type);
        if (hasData) ok &= s.setData(col, row, data_);
        if (hasNumber) ok &= s.setNumber(col, row, numberValue);
        if (hasFormula && apply_) {
            FormulaStatus status = s.setFormula(col, row, data_);
            if (!status) return fail("formula of " + std::string(line_.subject) + ": " + utf8::encode(status.message));
        }
        if (hasTag) ok &= s.setTag(col, row, tag);
        if (hasTip) ok &= s.setTextTip(col, row, tip);
        if (lock) ok &= s.setLock(col, row, *lock);
        if (colors) ok &= s.setColors(col, row, *colors);
        if (font) ok &= s.setFont(col, row, *font);
        if (border) ok &= s.setBorder(col, row, *border);
        if (!ok) return fail("the sheet refused cell " + std::string(line_.subject));
        return true;
    }

    static bool validTypeCode(CellTypeCode code) {
        switch (code) {
            case CellTypeCode::Date: case CellTypeCode::Edit: case CellTypeCode::Time: case CellTypeCode::Button:
            case CellTypeCode::Picture: case CellTypeCode::ComboBox: case CellTypeCode::Integer:
            case CellTypeCode::Owner: case CellTypeCode::CheckBox: case CellTypeCode::StaticText:
            case CellTypeCode::Number: case CellTypeCode::Currency: case CellTypeCode::Percent: return true;
        }
        return false;
    }

    bool typeField(const Field& f, CellType& t) {
        std::string_view k = f.key;
        if (k == "type") {
            std::int32_t code = 0;
            if (!integerAs(f, code)) return false;
            t.code = static_cast<CellTypeCode>(code);
            return true;
        }
        if (k == "type-style") return integerAs(f, t.style);
        if (k == "type-max-length") return integerAs(f, t.maxLength);
        if (k == "type-decimals") return integerAs(f, t.decimals);
        if (k == "type-min") return number(f, t.minimum);
        if (k == "type-max") return number(f, t.maximum);
        if (k == "type-separator") return flag(f, t.separator);
        if (k == "type-items") return text(f, t.items);
        if (k == "type-picture") return text(f, t.picture);
        if (k == "type-picture2") return text(f, t.picture2);
        if (k == "type-handle") return integerAs(f, t.pictureHandle);
        return unknownKey(f);
    }

    std::string_view bytes_;
    Sheet& target_;
    Sheet probe_;      // sizes and spans of the first pass
    Sheet cellProbe_;  // one cell that tries each cell's attributes in the first pass
    Sheet* sheet_ = nullptr;
    FormulaParser parser_;
    Formula checked_;  // every formula of the first pass, one after the other
    GridFileResult result_;
    Line line_;
    std::wstring data_;
    std::int32_t lineNumber_ = 0;
    bool apply_ = false;
    bool sawSheet_ = false;
    std::int64_t formulas_ = 0;
    RefStyle refStyle_ = RefStyle::Legacy;
    std::vector<std::pair<std::int32_t, bool>> deferredSwitches_;
};

}  // namespace

NativeGridRead readNativeGrid(Sheet& target, std::string_view bytes) {
    NativeLoader loader(bytes, target);
    NativeGridRead read;
    read.result = loader.run();
    read.refStyle = loader.refStyle();
    read.switches = loader.fileSwitches();
    return read;
}

}  // namespace grid
