#include <filesystem>
#include <istream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "cli/Commands.h"
#include "cli/TableText.h"
#include "platform/grid/DelimitedText.h"
#include "platform/arx/Utf8.h"
#include "platform/grid/GridFile.h"
#include "platform/grid/Sheet.h"

namespace connsheet {
namespace {

std::string cellName(std::int32_t col, std::int32_t row) {
    std::string letters;
    for (std::int32_t c = col; c > 0; c = (c - 1) / 26) letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    return letters + std::to_string(row);
}

// One cell as a JSON object. A failing formula shows an empty value text, as the grid does, but its
// error is what the caller needs to see, so "value" carries the error text.
nlohmann::json cellJson(const std::string& name, const grid::Value& v, const std::wstring& text) {
    nlohmann::json j;
    j["cell"] = name;
    switch (v.kind()) {
        case grid::Value::Kind::Empty:
            j["type"] = "empty";
            j["value"] = nullptr;
            break;
        case grid::Value::Kind::Number:
            if (v.isLogical()) {
                j["type"] = "bool";
                j["value"] = v.asNumber() != 0;
            } else {
                j["type"] = "number";
                j["value"] = v.asNumber();
            }
            break;
        case grid::Value::Kind::Text:
            j["type"] = "text";
            j["value"] = utf8::encode(v.asText());
            break;
        case grid::Value::Kind::Error:
            j["type"] = "error";
            j["value"] = utf8::encode(grid::errorText(v.asError()));
            break;
    }
    j["text"] = utf8::encode(text);
    return j;
}

// How calc prints: "A1<TAB>value" lines, one JSON object with a "cells" array, JSON Lines (one
// object per cell) or CSV.
enum class CalcFormat { text, json, jsonl, csv };

int calc(const std::string& file, CalcFormat format, CommandContext& context) {
    grid::Sheet sheet;
    grid::GridFileResult loaded;
    if (isStandardStream(file)) {
        // Piped in: no extension to go by, so the bytes tell the format.
        std::string bytes(std::istreambuf_iterator<char>(context.in), std::istreambuf_iterator<char>{});
        loaded = grid::GridFile::loadText(sheet, bytes, grid::GridFile::detect(std::filesystem::path(), bytes),
                                          "standard input");
    } else {
        loaded = grid::GridFile::load(sheet, utf8::decode(file));
    }
    if (!loaded) {
        context.err << "connsheet calc: " << loaded.diagnostic << '\n';
        return 1;
    }
    sheet.recalc();
    if (format == CalcFormat::json)
        context.out << "{\"ok\": true, \"file\": "
                    << nlohmann::json(isStandardStream(file) ? std::string("-") : file)
                           .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)
                    << ", \"cells\": [";
    if (format == CalcFormat::csv) context.out << "cell,type,value,text\n";
    bool first = true;
    std::wstring text;
    sheet.forEachCell(grid::CellOrder::ByRow, [&](std::int32_t col, std::int32_t row) {
        if (col < 1 || row < 1) return;  // header texts are labels, not results
        if (!sheet.hasFormula(col, row)) {
            sheet.getText(col, row, grid::TextKind::Data, text);
            if (text.empty()) return;  // only looks or a type: nothing to show
        }
        grid::Value v = sheet.value(col, row);
        sheet.getText(col, row, grid::TextKind::Value, text);
        std::string name = cellName(col, row);
        if (format == CalcFormat::json || format == CalcFormat::jsonl) {
            // The json library would throw on invalid UTF-8; our texts are always valid.
            if (format == CalcFormat::json) context.out << (first ? "\n" : ",\n");
            context.out << cellJson(name, v, text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
            if (format == CalcFormat::jsonl) context.out << '\n';
        } else if (format == CalcFormat::csv) {
            const nlohmann::json cell = cellJson(name, v, text);
            std::string line = name;
            for (const std::string& field : {cell["type"].get<std::string>(),
                                            cell["value"].is_string() ? cell["value"].get<std::string>()
                                            : cell["value"].is_null() ? std::string()
                                                                      : cell["value"].dump(),
                                            cell["text"].get<std::string>()}) {
                line += ',';
                grid::appendDelimitedField(line, field, grid::Delimiter::Comma);
            }
            context.out << line << '\n';
        } else {
            // The value text of a failing formula is empty; the error says more.
            context.out << name << '\t'
                        << escapeForTable(v.isError() ? utf8::encode(grid::errorText(v.asError())) : utf8::encode(text))
                        << '\n';
        }
        first = false;
    });
    if (format == CalcFormat::json) context.out << (first ? "]}\n" : "\n]}\n");
    return 0;
}

}  // namespace

void addCalcCommand(CLI::App& app, CommandContext& context) {
    auto* command = app.add_subcommand("calc", "Load a grid file (native, CSV or TSV), recalculate, print every cell's value");
    auto file = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    auto jsonl = std::make_shared<bool>(false);
    auto csv = std::make_shared<bool>(false);
    command->add_option("FILE", *file, "Grid file (\"-\": standard input)")->required();
    auto* jsonFlag = command->add_flag("--json", *json, "One JSON object: ok, file, cells [{cell, type, value, text}]");
    auto* jsonlFlag = command->add_flag("--jsonl", *jsonl, "JSON Lines: one object per cell")->excludes(jsonFlag);
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
