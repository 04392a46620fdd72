#include "cli/StandardsCase.h"

#include <cctype>
#include <cmath>
#include <cstdlib>  // strtod
#include <nlohmann/json.hpp>

#include "platform/grid/DelimitedText.h"
#include "platform/mxbase/JsonErrorText.h"
#include "platform/mxbase/NumberFunctions.h"

namespace connsheet {
namespace {

// Ordered: outputs are checked and shown in the order the author wrote them.
using Json = nlohmann::ordered_json;

constexpr int kMaxDepth = 32;  // a case file is four levels deep; anything deeper is not one

// A whole number or a decimal, as the sheet reads an input; blanks around it are not part of it.
bool parseNumber(const std::string& text, double& number) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text.front())) ||
        std::isspace(static_cast<unsigned char>(text.back())))
        return false;
    char* end = nullptr;
    number = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(number);
}

std::string numberText(double number) {
    return formatShortest(number).toUtf8();
}

// Walks a JSON document, remembering where it is so that a problem names its place ("/cases/2/sheet").
class JsonCases {
public:
    explicit JsonCases(std::string& error) : error_(error) {}

    bool read(const Json& document, std::vector<StandardsCase>& cases) {
        if (!document.is_object())
            return fail("", "expected an object with \"cases\"");
        if (!onlyMembers(document, "",
                         {"format", "version", "sheet", "macro", "mapsTo", "tolerance", "general", "cases"}))
            return false;
        if (document.contains("format") && document["format"] != "connsheet-cases")
            return fail("/format", "expected \"connsheet-cases\"");
        if (document.contains("version") && document["version"] != 1)
            return fail("/version", "unsupported version (this program reads version 1)");
        StandardsCase defaults;
        double tolerance = kDefaultTolerance;
        if (!common(document, "", defaults, tolerance))
            return false;
        const auto list = document.find("cases");
        if (list == document.end() || !list->is_array() || list->empty())
            return fail("/cases", "expected a non-empty array of cases");
        for (std::size_t i = 0; i < list->size(); ++i) {
            const std::string at = "/cases/" + std::to_string(i);
            const Json& item = (*list)[i];
            if (!item.is_object())
                return fail(at, "expected an object");
            if (!onlyMembers(
                    item, at,
                    {"name", "sheet", "macro", "mapsTo", "tolerance", "inputs", "general", "expect"}))
                return false;
            StandardsCase c = defaults;
            double caseTolerance = tolerance;
            if (!text(item, at, "name", c.name) || !common(item, at, c, caseTolerance))
                return false;
            if (c.name.empty())
                c.name = "case " + std::to_string(i + 1);
            if (c.sheet.empty())
                return fail(at + "/sheet", "missing (here or for the whole file)");
            if (!values(item, at, "inputs", c.inputs))
                return false;
            if (!c.macro.empty() && !c.inputs.empty())
                return fail(at + "/inputs", "a case takes a macro or inputs, not both");
            const auto expect = item.find("expect");
            if (expect == item.end() || !expect->is_object() || expect->empty())
                return fail(at + "/expect", "expected an object of outputs and their values");
            for (const auto& [name, value] : expect->items())
                if (!expected(at + "/expect/" + name, name, value, caseTolerance, c.expected))
                    return false;
            cases.push_back(std::move(c));
        }
        return true;
    }

private:
    bool fail(const std::string& at, const std::string& problem) {
        error_ = (at.empty() ? "/" : at) + ": " + problem;
        return false;
    }

    bool onlyMembers(const Json& object, const std::string& at, std::initializer_list<const char*> known) {
        for (const auto& [name, value] : object.items()) {
            bool found = false;
            for (const char* k : known)
                found = found || name == k;
            if (!found)
                return fail(at + "/" + name, "unknown member");
        }
        return true;
    }

    bool text(const Json& object, const std::string& at, const char* member, std::string& out) {
        const auto it = object.find(member);
        if (it == object.end())
            return true;
        if (!it->is_string())
            return fail(at + "/" + member, "expected a string");
        out = it->get<std::string>();
        return true;
    }

    bool tolerance(const Json& object, const std::string& at, double& out) {
        const auto it = object.find("tolerance");
        if (it == object.end())
            return true;
        if (!it->is_number() || !(it->get<double>() >= 0) || !std::isfinite(it->get<double>()))
            return fail(at + "/tolerance", "expected a number 0 or above");
        out = it->get<double>();
        return true;
    }

    // What a file and a case may both say; the case's own wins.
    bool common(const Json& object, const std::string& at, StandardsCase& c, double& caseTolerance) {
        return text(object, at, "sheet", c.sheet) && text(object, at, "macro", c.macro) &&
               text(object, at, "mapsTo", c.mapsTo) && tolerance(object, at, caseTolerance) &&
               values(object, at, "general", c.generalVariables);
    }

    // {"Name": 20, "Other": "HEB-200"}: numbers as the shortest text that reads back the same.
    bool values(const Json& object, const std::string& at, const char* member,
                std::vector<std::pair<std::string, std::string>>& out) {
        const auto it = object.find(member);
        if (it == object.end())
            return true;
        if (!it->is_object())
            return fail(at + "/" + member, "expected an object of names and values");
        for (const auto& [name, value] : it->items()) {
            std::string valueText;
            if (value.is_string())
                valueText = value.get<std::string>();
            else if (value.is_number())
                valueText = numberText(value.get<double>());
            else
                return fail(at + "/" + member + "/" + name, "expected a number or a string");
            bool replaced = false;
            for (auto& [existing, existingValue] : out) {
                if (existing != name)
                    continue;
                existingValue = valueText;
                replaced = true;
            }
            if (!replaced)
                out.emplace_back(name, valueText);
        }
        return true;
    }

    // 180, "HEB-200" or {"value": 180, "tolerance": 0.5}.
    bool expected(const std::string& at, const std::string& name, const Json& value, double caseTolerance,
                  std::vector<ExpectedOutput>& out) {
        ExpectedOutput e;
        e.name = name;
        e.tolerance = caseTolerance;
        const Json* v = &value;
        if (value.is_object()) {
            if (!onlyMembers(value, at, {"value", "tolerance"}) || !tolerance(value, at, e.tolerance))
                return false;
            const auto inner = value.find("value");
            if (inner == value.end())
                return fail(at + "/value", "missing");
            v = &*inner;
        }
        if (v->is_number()) {
            if (!std::isfinite(v->get<double>()))
                return fail(at, "expected a finite number");
            e.numeric = true;
            e.number = v->get<double>();
            e.text = numberText(e.number);
        } else if (v->is_string()) {
            e.text = v->get<std::string>();
        } else {
            return fail(at, "expected a number, a string or {\"value\", \"tolerance\"}");
        }
        out.push_back(std::move(e));
        return true;
    }

    std::string& error_;
};

bool readJsonCases(std::string_view bytes, std::vector<StandardsCase>& cases, std::string& error) {
    Json document;
    if (!parseJsonWithin(bytes, kMaxDepth, document, error))
        return false;
    return JsonCases(error).read(document, cases);
}

// name,sheet,macro,tolerance,in:Width,gen:gen_Clearance,out:PlateWidth; one case a line.
bool readCsvCases(std::string_view bytes, std::vector<StandardsCase>& cases, std::string& error) {
    enum class Column { Name, Sheet, Macro, MapsTo, Tolerance, Input, General, Output };
    struct Heading {
        Column column;
        std::string name;
    };
    std::vector<Heading> headings;
    grid::DelimitedReader reader(bytes, grid::sniffDelimiter(bytes));
    grid::DelimitedReader::Field field;
    StandardsCase current;
    std::vector<std::string> outputs;  // texts of the current row's expected values, by column
    std::string toleranceText;
    int currentRow = 0;
    auto failAt = [&](int line, int column, const std::string& problem) {
        error = std::to_string(line) + ":" + std::to_string(column) + ": " + problem;
        return false;
    };
    auto finishRow = [&]() -> bool {
        if (currentRow <= 1)
            return true;
        const bool blank = current.name.empty() && current.sheet.empty() && current.inputs.empty() &&
                           current.generalVariables.empty() && current.expected.empty() &&
                           current.macro.empty();
        if (blank)
            return true;  // an empty line between groups of cases
        double tolerance = kDefaultTolerance;
        if (!toleranceText.empty() && (!parseNumber(toleranceText, tolerance) || tolerance < 0))
            return failAt(current.line, 1, "tolerance \"" + toleranceText + "\" is not a number 0 or above");
        for (ExpectedOutput& e : current.expected) {
            e.tolerance = tolerance;
            e.numeric = parseNumber(e.text, e.number);
        }
        if (current.sheet.empty())
            return failAt(current.line, 1, "no sheet for this case");
        if (current.expected.empty())
            return failAt(current.line, 1, "no expected output for this case");
        if (!current.macro.empty() && !current.inputs.empty())
            return failAt(current.line, 1, "a case takes a macro or inputs, not both");
        if (current.name.empty())
            current.name = "line " + std::to_string(current.line);
        cases.push_back(std::move(current));
        return true;
    };
    for (;;) {
        const auto status = reader.next(field);
        if (status == grid::DelimitedReader::Status::Error) {
            error = reader.error();
            return false;
        }
        if (status == grid::DelimitedReader::Status::End)
            break;
        const std::string text(field.text);
        if (field.row == 1) {
            Heading h;
            const auto colon = text.find(':');
            const std::string kind = colon == std::string::npos ? text : text.substr(0, colon);
            h.name = colon == std::string::npos ? std::string() : text.substr(colon + 1);
            if (kind == "in")
                h.column = Column::Input;
            else if (kind == "gen")
                h.column = Column::General;
            else if (kind == "out")
                h.column = Column::Output;
            else if (text == "name")
                h.column = Column::Name;
            else if (text == "sheet")
                h.column = Column::Sheet;
            else if (text == "macro")
                h.column = Column::Macro;
            else if (text == "mapsTo")
                h.column = Column::MapsTo;
            else if (text == "tolerance")
                h.column = Column::Tolerance;
            else
                return failAt(field.line, field.column,
                              "unknown column \"" + text +
                                  "\" (name, sheet, macro, mapsTo, tolerance, in:NAME, gen:NAME, out:NAME)");
            if (colon != std::string::npos && h.name.empty())
                return failAt(field.line, field.column, "a column \"" + kind + ":\" needs a name");
            headings.push_back(std::move(h));
            continue;
        }
        if (field.row != currentRow) {
            if (!finishRow())
                return false;
            current = StandardsCase();
            toleranceText.clear();
            currentRow = field.row;
            current.line = field.line;
        }
        if (field.column > static_cast<int>(headings.size())) {
            if (text.empty())
                continue;
            return failAt(field.line, field.column, "more values than columns");
        }
        if (text.empty())
            continue;  // not given, not checked
        const Heading& h = headings[static_cast<std::size_t>(field.column - 1)];
        switch (h.column) {
            case Column::Name:
                current.name = text;
                break;
            case Column::Sheet:
                current.sheet = text;
                break;
            case Column::Macro:
                current.macro = text;
                break;
            case Column::MapsTo:
                current.mapsTo = text;
                break;
            case Column::Tolerance:
                toleranceText = text;
                break;
            case Column::Input:
                current.inputs.emplace_back(h.name, text);
                break;
            case Column::General:
                current.generalVariables.emplace_back(h.name, text);
                break;
            case Column::Output:
                current.expected.push_back({h.name, text});
                break;
        }
    }
    if (!finishRow())
        return false;
    if (headings.empty() || cases.empty()) {
        error = "1:1: no cases (a line of column names, then one case a line)";
        return false;
    }
    return true;
}

}  // namespace

bool readStandardsCases(std::string_view bytes, std::vector<StandardsCase>& cases, std::string& error) {
    std::size_t first = 0;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        first = 3;
    while (first < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[first])))
        ++first;
    std::vector<StandardsCase> read;
    const bool json = first < bytes.size() && (bytes[first] == '{' || bytes[first] == '[');
    if (!(json ? readJsonCases(bytes, read, error) : readCsvCases(bytes, read, error)))
        return false;
    cases.insert(cases.end(), read.begin(), read.end());
    return true;
}

}  // namespace connsheet
