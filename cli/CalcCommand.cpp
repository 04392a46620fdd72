#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#include <algorithm>
#include <charconv>  // to_chars
#include <cmath>     // isfinite
#include <filesystem>
#include <istream>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>

#include "cli/Commands.h"
#include "cli/HeapReserve.h"
#include "cli/TableText.h"
#include "platform/arx/Utf8.h"
#include "platform/grid/DelimitedText.h"
#include "platform/grid/GridFile.h"
#include "platform/grid/Sheet.h"

namespace connsheet {
namespace {

// Room for the longest name: seven letters and ten digits.
constexpr std::size_t kCellNameMax = 24;

// "AB12" written into `out`; returns its length. No allocation: a large sheet names a million cells.
std::size_t writeCellName(std::int32_t col, std::int32_t row, char* out) {
    char letters[8];
    char* first = letters + sizeof letters;
    for (std::int32_t c = col; c > 0; c = (c - 1) / 26)
        *--first = static_cast<char>('A' + (c - 1) % 26);
    char* end = std::copy(first, letters + sizeof letters, out);
    return static_cast<std::size_t>(std::to_chars(end, out + kCellNameMax, row).ptr - out);
}

std::string cellName(std::int32_t col, std::int32_t row) {
    char name[kCellNameMax];
    return std::string(name, writeCellName(col, row, name));
}

// One cell as a JSON object on a line of its own, streamed into one buffer with no document built per
// cell: a sheet of 200,000 formulas prints in a fraction of the time. The structure and whatever is
// known to need no escaping (names, number texts, plain printable ASCII) go in as they stand; any
// other text is escaped by RapidJSON's writer. A failing formula shows an empty value text, as the
// grid does, but its error is what the caller needs to see, so "value" carries the error text.
// Members are in the order they always had: cell, text, type, value.
class CellJsonWriter {
public:
    // Lines: one object per line (JSON Lines). Array: the objects as the elements of an array whose
    // brackets the caller writes, one per line, separated by commas.
    enum class Framing { lines, array };

    CellJsonWriter(std::ostream& out, Framing framing) : out_(out), framing_(framing) {}
    ~CellJsonWriter() { flush(); }
    CellJsonWriter(const CellJsonWriter&) = delete;
    CellJsonWriter& operator=(const CellJsonWriter&) = delete;

    // A number shown as its general text: both its texts from one conversion.
    void writeNumber(std::int32_t col, std::int32_t row, const grid::NumberTexts& number) {
        begin(col, row);
        string(number.general, number.generalLength);
        put(",\"type\":\"number\",\"value\":");
        rawNumber(number.shortest, number.shortestLength);
        end();
    }

    void write(std::int32_t col, std::int32_t row, const grid::Value& v, std::wstring_view text) {
        begin(col, row);
        string(text);
        switch (v.kind()) {
            case grid::Value::Kind::Empty:
                put(",\"type\":\"empty\",\"value\":null");
                break;
            case grid::Value::Kind::Number:
                if (v.isLogical()) {
                    put(v.asNumber() != 0 ? ",\"type\":\"bool\",\"value\":true"
                                          : ",\"type\":\"bool\",\"value\":false");
                } else {
                    put(",\"type\":\"number\",\"value\":");
                    number(v.asNumber());
                }
                break;
            case grid::Value::Kind::Text:
                put(",\"type\":\"text\",\"value\":");
                string(v.asText());
                break;
            case grid::Value::Kind::Error:
                put(",\"type\":\"error\",\"value\":");
                string(grid::errorText(v.asError()));
                break;
        }
        end();
    }

    void flush() {
        out_.write(buffer_.GetString(), static_cast<std::streamsize>(buffer_.GetSize()));
        buffer_.Clear();
    }

private:
    static constexpr std::size_t kFlushAt = 1 << 16;

    void put(const char* text, std::size_t length) { std::copy(text, text + length, buffer_.Push(length)); }
    void put(std::string_view text) { put(text.data(), text.size()); }

    // `{"cell":"B7","text":` after the separator the framing asks for.
    void begin(std::int32_t col, std::int32_t row) {
        if (framing_ == Framing::array) {
            if (written_ > 0)
                buffer_.Put(',');
            buffer_.Put('\n');
        }
        ++written_;
        char name[kCellNameMax];
        put("{\"cell\":\"");
        put(name, writeCellName(col, row, name));
        put("\",\"text\":");
    }

    void end() {
        buffer_.Put('}');
        if (framing_ == Framing::lines)
            buffer_.Put('\n');
        if (buffer_.GetSize() >= kFlushAt)
            flush();
    }

    // A UTF-8 text as a JSON string: printable ASCII without quote or backslash as it stands,
    // anything else through RapidJSON's escaping (a writer of one value, which allocates nothing).
    void string(const char* text, std::size_t length) {
        if (std::all_of(text, text + length,
                        [](char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; })) {
            buffer_.Put('"');
            put(text, length);
            buffer_.Put('"');
            return;
        }
        rapidjson::Writer<rapidjson::StringBuffer> escaping(buffer_);
        escaping.String(text, static_cast<rapidjson::SizeType>(length));
    }

    // A text as UTF-8 through a reused buffer: plain ASCII (nearly every cell) is copied as it is.
    // utf8::encode gives valid UTF-8, so the writer need not check it.
    void string(std::wstring_view text) {
        if (std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; })) {
            utf8_.resize(text.size());
            std::transform(text.begin(), text.end(), utf8_.begin(),
                           [](wchar_t c) { return static_cast<char>(c); });
        } else {
            utf8_ = utf8::encode(text);
        }
        string(utf8_.data(), utf8_.size());
    }

    // A shortest round-trip text, with ".0" on a whole number so it still reads as a floating-point
    // value.
    void rawNumber(const char* text, std::size_t length) {
        put(text, length);
        if (std::none_of(text, text + length, [](char c) { return c == '.' || c == 'e' || c == 'n'; }))
            put(".0");
    }

    // The shortest text that reads back as the same double (std::to_chars); JSON has no infinity nor
    // NaN: null.
    void number(double value) {
        if (!std::isfinite(value)) {
            put("null");
            return;
        }
        char digits[40];
        rawNumber(digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr -
                                                   digits));
    }

    std::ostream& out_;
    rapidjson::StringBuffer buffer_;
    Framing framing_;
    std::size_t written_ = 0;
    std::string utf8_;
};

// How calc prints: "A1<TAB>value" lines, one JSON object with a "cells" array, JSON Lines (one
// object per cell) or CSV.
enum class CalcFormat { text, json, jsonl, csv };

// The shortest text that reads back as the same double.
std::string shortestText(double value) {
    char digits[40];
    return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// ",number,25": the type and the value the JSON forms give a cell, as CSV fields.
void appendCsvCell(std::string& line, const grid::Value& v) {
    std::string type, value;
    switch (v.kind()) {
        case grid::Value::Kind::Empty:
            type = "empty";
            break;
        case grid::Value::Kind::Number:
            type = v.isLogical() ? "bool" : "number";
            value = v.isLogical() ? (v.asNumber() != 0 ? "true" : "false") : shortestText(v.asNumber());
            break;
        case grid::Value::Kind::Text:
            type = "text";
            value = utf8::encode(v.asText());
            break;
        case grid::Value::Kind::Error:
            type = "error";
            value = utf8::encode(grid::errorText(v.asError()));
            break;
    }
    line += ',';
    grid::appendDelimitedField(line, type, grid::Delimiter::Comma);
    line += ',';
    grid::appendDelimitedField(line, value, grid::Delimiter::Comma);
}

int calc(const std::string& file, CalcFormat format, CommandContext& context) {
    grid::Sheet sheet;
    grid::GridFileResult loaded;
    if (isStandardStream(file)) {
        // Piped in: no extension to go by, so the bytes tell the format.
        std::string bytes(std::istreambuf_iterator<char>(context.in), std::istreambuf_iterator<char>{});
        reserveHugePageHeap(heapForGridFile(bytes.size()));
        loaded = grid::GridFile::loadText(
            sheet, bytes, grid::GridFile::detect(std::filesystem::path(), bytes), "standard input");
    } else {
        std::error_code sizeError;
        if (const std::uintmax_t size = std::filesystem::file_size(file, sizeError); !sizeError)
            reserveHugePageHeap(heapForGridFile(static_cast<std::size_t>(size)));
        loaded = grid::GridFile::load(sheet, utf8::decode(file));
    }
    if (!loaded) {
        context.err << "connsheet calc: " << loaded.diagnostic << '\n';
        return 1;
    }
    // Loading recalculated the sheet already (GridFile::load): no second pass over every formula.
    std::wstring text;
    if (format == CalcFormat::json) {
        const std::string name = isStandardStream(file) ? std::string("-") : file;
        rapidjson::StringBuffer quoted;
        rapidjson::Writer<rapidjson::StringBuffer> writer(quoted);
        writer.String(name.data(), static_cast<rapidjson::SizeType>(name.size()));
        context.out << "{\"ok\": true, \"file\": " << quoted.GetString() << ", \"cells\": [";
    }
    if (format == CalcFormat::csv)
        context.out << "cell,type,value,text\n";
    bool any = false;
    CellJsonWriter jsonWriter(context.out, format == CalcFormat::json ? CellJsonWriter::Framing::array
                                                                      : CellJsonWriter::Framing::lines);
    sheet.forEachCell(grid::CellOrder::ByRow, [&](std::int32_t col, std::int32_t row) {
        if (col < 1 || row < 1)
            return;  // header texts are labels, not results
        if (format == CalcFormat::json || format == CalcFormat::jsonl) {
            if (const std::optional<double> number = sheet.generalNumber(col, row);
                number && std::isfinite(*number)) {
                grid::NumberTexts texts;
                grid::formatNumberTexts(*number, texts);
                any = true;
                jsonWriter.writeNumber(col, row, texts);
                return;
            }
        }
        grid::Value v = sheet.value(col, row);
        // A cell without a formula whose data text would be empty holds only looks or a type: nothing
        // to show. Numbers always have a text, so the value tells without formatting one.
        if (!v.isNumber() && !(v.isText() && !v.asText().empty()) && !sheet.hasFormula(col, row))
            return;
        sheet.getText(col, row, grid::TextKind::Value, text);
        any = true;
        if (format == CalcFormat::json || format == CalcFormat::jsonl) {
            jsonWriter.write(col, row, v, text);
        } else if (format == CalcFormat::csv) {
            std::string line = cellName(col, row);
            appendCsvCell(line, v);
            line += ',';
            grid::appendDelimitedField(line, utf8::encode(text), grid::Delimiter::Comma);
            context.out << line << '\n';
        } else {
            // The value text of a failing formula is empty; the error says more.
            context.out << cellName(col, row) << '\t'
                        << escapeForTable(v.isError() ? utf8::encode(grid::errorText(v.asError()))
                                                      : utf8::encode(text))
                        << '\n';
        }
    });
    jsonWriter.flush();
    if (format == CalcFormat::json)
        context.out << (any ? "\n]}\n" : "]}\n");
    return 0;
}

}  // namespace

void addCalcCommand(CLI::App& app, CommandContext& context) {
    auto* command = app.add_subcommand(
        "calc", "Load a grid file (native, CSV or TSV), recalculate, print every cell's value");
    auto file = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    auto jsonl = std::make_shared<bool>(false);
    auto csv = std::make_shared<bool>(false);
    command->add_option("FILE", *file, "Grid file (\"-\": standard input)")->required();
    auto* jsonFlag =
        command->add_flag("--json", *json, "One JSON object: ok, file, cells [{cell, text, type, value}]");
    auto* jsonlFlag =
        command->add_flag("--jsonl", *jsonl, "JSON Lines: one object per cell")->excludes(jsonFlag);
    command->add_flag("--csv", *csv, "CSV: cell, type, value, text")->excludes(jsonFlag)->excludes(jsonlFlag);
    command->callback([&context, file, json, jsonl, csv] {
        const CalcFormat format = *json    ? CalcFormat::json
                                  : *jsonl ? CalcFormat::jsonl
                                  : *csv   ? CalcFormat::csv
                                           : CalcFormat::text;
        context.exitStatus = calc(*file, format, context);
    });
}

}  // namespace connsheet
