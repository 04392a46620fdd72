#include <filesystem>
#include <istream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "cli/Commands.h"
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

int calc(const std::string& file, bool json, CommandContext& context) {
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
        if (json) {
            // The json library would throw on invalid UTF-8; our texts are always valid.
            context.out << cellJson(name, v, text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
        } else {
            // The value text of a failing formula is empty; the error says more.
            context.out << name << '\t' << (v.isError() ? utf8::encode(grid::errorText(v.asError())) : utf8::encode(text))
                        << '\n';
        }
    });
    return 0;
}

}  // namespace

void addCalcCommand(CLI::App& app, CommandContext& context) {
    auto* command = app.add_subcommand("calc", "Load a grid file (native, CSV or TSV), recalculate, print every cell's value");
    auto file = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    command->add_option("FILE", *file, "Grid file (\"-\": standard input)")->required();
    command->add_flag("--json", *json, "One JSON object per cell: cell, type, value, text");
    command->callback([&context, file, json] { context.exitStatus = calc(*file, *json, context); });
}

}  // namespace connsheet
