#include "platform/grid/DelimitedGridFile.h"

#include <algorithm>

#include "platform/arx/Utf8.h"
#include "platform/grid/FormulaParser.h"
#include "platform/grid/GridFileAddress.h"
#include "platform/grid/GridFileFormulas.h"
#include "platform/grid/Sheet.h"

namespace grid {
namespace {

using gridfile::addressText;

// A field's UTF-8 into text, reusing its storage: plain ASCII (nearly every field) needs no decoder.
// (Assigning from a range of chars would build a temporary string first, an allocation per field.)
void decodeField(std::string_view bytes, std::wstring& text) {
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        text.resize(bytes.size());
        std::transform(bytes.begin(), bytes.end(), text.begin(), [](char c) { return static_cast<wchar_t>(c); });
    } else {
        text = utf8::decode(bytes);
    }
}

}  // namespace

GridFileResult readDelimitedGrid(Sheet& target, std::string_view bytes, Delimiter delimiter) {
    GridFileResult result;
    auto fail = [&](std::int32_t line, std::string problem) {
        result.ok = false;
        result.line = line;
        result.diagnostic = "line " + std::to_string(line) + ": " + std::move(problem);
        return result;
    };

    // A target with no rows and no columns (a new sheet) has nothing to lose but its settings and
    // its header cells: it is loaded in one pass and put back as it was should a formula fail, so a
    // grid of formulas is parsed once. Any other target is touched only once every formula has been
    // checked.
    std::shared_ptr<const SheetContent> blank;
    if (target.maxRows() == 0 && target.maxCols() == 0) blank = target.saveContent();
    const RefStyle blankStyle = target.refStyle();
    auto switches = target.changedSwitches();

    // First pass: the shape of the sheet, and every formula checked, before the target is touched.
    FormulaParser parser = gridfile::formulaChecker(target);
    std::int32_t rows = 0, cols = 0;
    std::int64_t formulas = 0;
    std::wstring text;
    {
        // One formula's storage serves every check: a grid of formulas allocates nothing per cell here.
        Formula parsed;
        DelimitedReader reader(bytes, delimiter);
        DelimitedReader::Field f;
        DelimitedReader::Status status;
        while ((status = reader.next(f)) == DelimitedReader::Status::Field) {
            if (f.column > kColLimit) return fail(f.line, "more than " + std::to_string(kColLimit) + " columns");
            if (f.row > kRowLimit) return fail(f.line, "more than " + std::to_string(kRowLimit) + " rows");
            rows = std::max(rows, f.row);
            cols = std::max(cols, f.column);
            if (!f.text.starts_with('=')) continue;
            ++formulas;
            if (blank) continue;
            decodeField(f.text, text);
            parsed.clear();
            FormulaStatus st = parser.parse(text, RefStyle::A1, parsed);
            if (!st)
                return fail(f.line, "cell " + addressText(f.column, f.row) + ": " + utf8::encode(st.message));
        }
        if (status == DelimitedReader::Status::Error) return fail(reader.line(), reader.error().substr(reader.error().find(": ") + 2));
    }

    target.reset();
    for (auto [index, on] : switches) target.setBool(index, on);
    target.setMaxCols(cols);
    target.setMaxRows(rows);
    // What spreadsheet programs write: A1 references with "$" for the absolute parts.
    target.setRefStyle(RefStyle::A1);

    gridfile::DeferredCalculation calculation(target);
    DelimitedReader reader(bytes, delimiter);
    DelimitedReader::Field f;
    while (reader.next(f) == DelimitedReader::Status::Field) {
        if (f.text.empty()) continue;
        decodeField(f.text, text);
        if (text[0] == L'=') {
            FormulaStatus st = target.setFormula(f.column, f.row, text);
            if (!st) {
                if (blank) {
                    target.reset();
                    target.restoreContent(*blank);
                    target.setRefStyle(blankStyle);
                    for (auto [index, on] : switches) target.setBool(index, on);
                    return fail(f.line, "cell " + addressText(f.column, f.row) + ": " + utf8::encode(st.message));
                }
                result = fail(f.line, "cell " + addressText(f.column, f.row) + ": " + utf8::encode(st.message));
                result.diagnostic += " (the sheet was loaded in part)";
                calculation.finish();
                return result;
            }
        } else {
            target.setData(f.column, f.row, text);
        }
    }
    if (formulas > 0) calculation.finish();
    target.setBool(kSwitchChanged, false);
    return result;
}

std::string writeDelimitedGrid(Sheet& sheet, Delimiter d) {
    const char delimiter = static_cast<char>(d);
    std::string out;
    std::wstring text;
    std::int32_t lastRow = sheet.lastUsedRow(), lastCol = sheet.lastUsedCol();
    for (std::int32_t row = 1; row <= lastRow; ++row) {
        for (std::int32_t col = 1; col <= lastCol; ++col) {
            if (col > 1) out += delimiter;
            if (sheet.hasFormula(col, row)) {
                sheet.getText(col, row, TextKind::Formula, text);
                text.insert(0, 1, L'=');
            } else {
                sheet.getText(col, row, TextKind::Data, text);
            }
            appendDelimitedField(out, utf8::encode(text), d);
        }
        out += '\n';
    }
    return out;
}

}  // namespace grid
