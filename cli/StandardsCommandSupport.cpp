#include "cli/StandardsCommandSupport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <istream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/Commands.h"
#include "cli/TableText.h"
#include "platform/arx/AcTransaction.h"
#include "platform/grid/DelimitedText.h"
#include "platform/mxbase/GeneralVariableFilter.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/Mx_Macro.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/NumberFunctions.h"
#include "platform/mxbase/ObjectExportFiles.h"
#include "platform/mxbase/StringFunctions.h"
#include "platform/mxbase/VlAutoStandardsData.h"
#include "standards/DisplayPath.h"
#include "standards/VlDlgStandardsData.h"
#include "standards/VlVarCells.h"

namespace connsheet {
namespace {

const char* sectionName(const VlVarCell& cell) {
    if (cell.isInput())
        return "input";
    if (cell.isOutput())
        return "output";
    return "local";
}

const char* typeName(const VlVarCell& cell) {
    switch (cell.valueType) {
        case kVlInteger:
            return "int";
        case kVlDouble:
            return "double";
        default:
            return "string";
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
    if (sheet.empty())
        return false;
    if (ObjectExportFileExists(path))
        return true;
    const Mx_String below = gSettings.libDir() + L"Connection Standards\\" + Mx_String(sheet);
    path = below;
    if (ObjectExportFileExists(path))
        return true;
    if (hasExtension(sheet))
        return false;
    path = below + L".vls";
    return ObjectExportFileExists(path);
}

void reportNoSuchSheet(std::ostream& err, const std::string& sheet, const Mx_String& tried) {
    err << "connsheet: " << sheet << ": no such sheet (tried " << displayPath(tried).toUtf8() << ")\n";
}

bool splitAssignment(const std::string& text, std::string& name, std::string& value) {
    const auto equals = text.find('=');
    if (equals == std::string::npos || equals == 0)
        return false;
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
    if (col < 1 || row < 1)
        return {};
    return getAlfabet(col).toUtf8() + std::to_string(row);
}

bool StandardsOutcome::succeeded() const {
    return completed &&
           std::none_of(findings.begin(), findings.end(), [](const VlRunFinding& f) { return f.isError(); });
}

std::string StandardsOutcome::firstError() const {
    for (const VlRunFinding& f : findings)
        if (f.isError())
            return f.cause.empty() ? f.text : f.cause;
    return {};
}

std::vector<VlRunFinding> collectFindings(const VlRunReport& report,
                                          const std::vector<RecordedMessageBox>& boxes) {
    std::vector<VlRunFinding> findings = report.findings();
    for (const RecordedMessageBox& box : boxes) {
        const bool said = std::any_of(findings.begin(), findings.end(),
                                      [&](const VlRunFinding& f) { return f.text == box.text; });
        if (said)
            continue;
        VlRunFinding message;
        message.kind = "message";
        message.severity = VlRunFinding::Severity::warning;
        message.cause = box.caption;
        message.text = box.text;
        findings.push_back(std::move(message));
    }
    return findings;
}

bool acceptsValue(VlValueType type, const std::string& value, std::string& why) {
    if (type == kVlString || value.empty())
        return true;
    const Mx_String text(value);
    double number = 0;
    if (!isNumber(text) || !text.toDouble(number)) {
        why = "\"" + value + "\" is not a number";
        return false;
    }
    if (type == kVlInteger && number != std::floor(number)) {
        why = "\"" + value + "\" is not a whole number";
        return false;
    }
    return true;
}

bool readStandardInput(CommandContext& context, std::string& bytes) {
    bytes.assign(std::istreambuf_iterator<char>(context.in), std::istreambuf_iterator<char>());
    return !context.in.bad();
}

namespace {

const char* severityName(const VlRunFinding& f) {
    return f.isError() ? "error" : "warning";
}

// "sheet: B23: error: cause (in "Width = Missing + 1")", as check prints its findings.
void printFinding(const VlRunFinding& f, std::ostream& err) {
    if (!f.sheet.empty())
        err << f.sheet << ": ";
    if (!f.cell.empty())
        err << f.cell << ": ";
    err << severityName(f) << ": ";
    if (!f.variable.empty())
        err << f.variable
            << (f.kind == "not-set"         ? " not set: "
                : f.kind == "not-retrieved" ? " not retrieved: "
                                            : ": ");
    err << (f.cause.empty() ? f.text : f.cause);
    if (!f.equation.empty())
        err << " (in \"" << f.equation << "\")";
    err << '\n';
}

// The boxes ("warning: caption: text") and the findings that no box said, on standard error.
void printFindings(const StandardsOutcome& outcome, CommandContext& context) {
    for (const RecordedMessageBox& box : outcome.warnings)
        context.err << "warning: " << box.caption << ": " << box.text << '\n';
    for (const VlRunFinding& f : outcome.findings) {
        // A box is printed above; a failed write is the command's own last line.
        if (f.kind == "message" || f.kind == "write")
            continue;
        if (f.isError() || !outcome.quiet)
            printFinding(f, context.err);
    }
}

}  // namespace

void printStandardsOutcome(const StandardsOutcome& outcome, bool json, CommandContext& context) {
    StandardsOutput output;
    output.format = json ? StandardsOutput::Format::json : StandardsOutput::Format::table;
    printStandardsOutcome(outcome, output, context);
}

void printStandardsOutcome(const StandardsOutcome& outcome, const StandardsOutput& output,
                           CommandContext& context) {
    const bool json = output.format == StandardsOutput::Format::json;
    const bool csv = output.format == StandardsOutput::Format::csv;
    if (output.quiet) {
        // Errors only: the exit status says the rest.
        for (const VlRunFinding& f : outcome.findings)
            if (f.isError() && f.kind != "write")
                printFinding(f, context.err);
        return;
    }
    const int count = outcome.variables ? outcome.variables->length() : 0;
    if (json) {
        // Ordered, so the members read in the order they are documented.
        nlohmann::ordered_json document;
        document["ok"] = outcome.succeeded();
        document["sheet"] = outcome.sheet.toUtf8();
        document["variables"] = nlohmann::ordered_json::array();
        for (int i = 0; i < count; ++i) {
            const VlVarCell& cell = (*outcome.variables)[i];
            document["variables"].push_back(
                nlohmann::ordered_json{{"section", sectionName(cell)},
                                       {"type", typeName(cell)},
                                       {"name", cell.name.toUtf8()},
                                       {"value", cell.value.toUtf8()},
                                       {"cell", cellAddress(cell.col, cell.row)}});
        }
        // A box a finding explains carries the finding's place; any other names its caption as the cause.
        document["warnings"] = nlohmann::ordered_json::array();
        for (const RecordedMessageBox& box : outcome.warnings) {
            const auto said = std::find_if(outcome.findings.begin(), outcome.findings.end(),
                                           [&](const VlRunFinding& f) { return f.text == box.text; });
            VlRunFinding w;
            if (said != outcome.findings.end()) {
                w = *said;
            } else {
                w.kind = "message";
                w.cause = box.caption;
                w.text = box.text;
            }
            document["warnings"].push_back(nlohmann::ordered_json{{"kind", w.kind},
                                                                  {"sheet", w.sheet},
                                                                  {"cell", w.cell},
                                                                  {"row", w.row},
                                                                  {"equation", w.equation},
                                                                  {"cause", w.cause},
                                                                  {"text", w.text}});
        }
        document["findings"] = nlohmann::ordered_json::array();
        for (const VlRunFinding& f : outcome.findings)
            document["findings"].push_back(nlohmann::ordered_json{{"kind", f.kind},
                                                                  {"severity", severityName(f)},
                                                                  {"sheet", f.sheet},
                                                                  {"cell", f.cell},
                                                                  {"row", f.row},
                                                                  {"equation", f.equation},
                                                                  {"variable", f.variable},
                                                                  {"cause", f.cause},
                                                                  {"text", f.text}});
        // Our texts are valid UTF-8; replace rather than throw should a sheet hold something odd.
        context.out << document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
        return;
    }

    if (csv) {
        printFindings(outcome, context);
        if (count == 0)
            return;  // no variables (the macro went to standard output)
        std::string table = "section,type,name,value,cell\n";
        for (int i = 0; i < count; ++i) {
            const VlVarCell& cell = (*outcome.variables)[i];
            int column = 0;
            for (const std::string& field :
                 {std::string(sectionName(cell)), std::string(typeName(cell)), cell.name.toUtf8(),
                  cell.value.toUtf8(), cellAddress(cell.col, cell.row)}) {
                if (column++ > 0)
                    table += ',';
                grid::appendDelimitedField(table, field, grid::Delimiter::Comma);
            }
            table += '\n';
        }
        context.out << table;
        return;
    }
    printFindings(outcome, context);
    if (count == 0)
        return;
    std::vector<std::array<std::string, 4>> rows;
    rows.push_back({"section", "type", "name", "value"});
    for (int i = 0; i < count; ++i) {
        const VlVarCell& cell = (*outcome.variables)[i];
        rows.push_back({sectionName(cell), typeName(cell), escapeForTable(cell.name.toUtf8()),
                        escapeForTable(cell.value.toUtf8())});
    }
    std::array<std::size_t, 3> widths{};
    for (const auto& row : rows)
        for (std::size_t c = 0; c < widths.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < widths.size(); ++c)
            context.out << row[c] << std::string(widths[c] - row[c].size() + 2, ' ');
        context.out << row[3] << '\n';
    }
}

bool prepareMacroRun(Mx_DbMacro& macro, MacroData& macroData, const Mx_String& sheet, const Mx_String& mapsTo,
                     const std::vector<std::pair<std::string, std::string>>& given,
                     AcTransaction& transaction, VlDlgStandardsData& data, const VlAutoStandardsData* stored,
                     const std::string& macroFile) {
    std::vector<std::pair<Mx_String, Mx_String>> generalVariables;
    const Mx_Macro* content = macro.macroRead();
    for (const MacroGeneralVariable& variable : content->generalVariables())
        generalVariables.emplace_back(variable.name, formatShortest(variable.value));
    if (stored)
        applyGeneralVariables(*stored, macroPathInLibrary(Mx_String(macroFile), gSettings.libDir()),
                              generalVariables);
    for (const auto& [name, value] : given)
        setGeneralVariable(generalVariables, name, value);
    if (data.initialize(&macro, sheet, mapsTo.isEmpty() ? defaultMapsTo(*content, sheet) : mapsTo,
                        &macroData) != Acad::eOk)
        return false;
    data.transaction = &transaction;
    for (const auto& [name, value] : generalVariables) {
        data.genVarNames.append(name);
        data.genVarValues.append(value);
    }
    return true;
}

Mx_String defaultMapsTo(const Mx_Macro& macro, const Mx_String& sheet) {
    Mx_String stored;
    return macro.standards().findMapsTo(sheet, stored) ? stored : macro.name();
}

bool loadStoredGeneralVariables(const char* command, VlAutoStandardsData& stored, CommandContext& context) {
    std::string error;
    if (stored.load(generalVariablesPath(), &error))
        return true;
    context.err << "connsheet " << command << ": " << error << '\n';
    return false;
}

}  // namespace connsheet
