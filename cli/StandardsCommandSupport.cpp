#include "cli/StandardsCommandSupport.h"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/Commands.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/ObjectExportFiles.h"
#include "platform/mxbase/StringFunctions.h"
#include "standards/VlVarCells.h"

namespace connsheet {
namespace {

const char* sectionName(const VlVarCell& cell) {
    if (cell.isInput()) return "input";
    if (cell.isOutput()) return "output";
    return "local";
}

const char* typeName(const VlVarCell& cell) {
    switch (cell.valueType) {
        case kVlInteger: return "int";
        case kVlDouble: return "double";
        default: return "string";
    }
}

bool hasExtension(const std::string& name) {
    const auto dot = name.find_last_of('.');
    const auto slash = name.find_last_of("/\\");
    return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

}  // namespace

bool resolveStandardsSheet(const std::string& sheet, Mx_String& path) {
    path = Mx_String(sheet);
    if (sheet.empty()) return false;
    if (ObjectExportFileExists(path)) return true;
    const Mx_String below = gSettings.libDir() + L"Connection Standards\\" + Mx_String(sheet);
    path = below;
    if (ObjectExportFileExists(path)) return true;
    if (hasExtension(sheet)) return false;
    path = below + L".vls";
    return ObjectExportFileExists(path);
}

bool splitAssignment(const std::string& text, std::string& name, std::string& value) {
    const auto equals = text.find('=');
    if (equals == std::string::npos || equals == 0) return false;
    name = text.substr(0, equals);
    value = text.substr(equals + 1);
    return true;
}

void setGeneralVariable(std::vector<std::pair<Mx_String, Mx_String>>& variables, const std::string& name,
                        const std::string& value) {
    const Mx_String key(name);
    for (auto& [existing, existingValue] : variables) {
        if (existing.equal(key, false)) {
            existingValue = Mx_String(value);
            return;
        }
    }
    variables.emplace_back(key, Mx_String(value));
}

std::string cellAddress(int col, int row) {
    if (col < 1 || row < 1) return {};
    return getAlfabet(col).toUtf8() + std::to_string(row);
}

void printStandardsOutcome(const StandardsOutcome& outcome, bool json, CommandContext& context) {
    const int count = outcome.variables ? outcome.variables->length() : 0;
    if (json) {
        // Ordered, so the members read in the order they are documented.
        nlohmann::ordered_json document;
        document["ok"] = outcome.ok;
        document["sheet"] = outcome.sheet.toUtf8();
        document["variables"] = nlohmann::ordered_json::array();
        for (int i = 0; i < count; ++i) {
            const VlVarCell& cell = (*outcome.variables)[i];
            document["variables"].push_back(nlohmann::ordered_json{{"section", sectionName(cell)},
                                             {"type", typeName(cell)},
                                             {"name", cell.name.toUtf8()},
                                             {"value", cell.value.toUtf8()},
                                             {"cell", cellAddress(cell.col, cell.row)}});
        }
        document["warnings"] = nlohmann::ordered_json::array();
        for (const RecordedMessageBox& box : outcome.warnings)
            document["warnings"].push_back(nlohmann::ordered_json{{"caption", box.caption}, {"text", box.text}});
        // Our texts are valid UTF-8; replace rather than throw should a sheet hold something odd.
        context.out << document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
        return;
    }

    for (const RecordedMessageBox& box : outcome.warnings)
        context.err << "warning: " << box.caption << ": " << box.text << '\n';
    if (count == 0) return;
    std::vector<std::array<std::string, 4>> rows;
    rows.push_back({"section", "type", "name", "value"});
    for (int i = 0; i < count; ++i) {
        const VlVarCell& cell = (*outcome.variables)[i];
        rows.push_back({sectionName(cell), typeName(cell), cell.name.toUtf8(), cell.value.toUtf8()});
    }
    std::array<std::size_t, 3> widths{};
    for (const auto& row : rows)
        for (std::size_t c = 0; c < widths.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < widths.size(); ++c) context.out << row[c] << std::string(widths[c] - row[c].size() + 2, ' ');
        context.out << row[3] << '\n';
    }
}

}  // namespace connsheet
