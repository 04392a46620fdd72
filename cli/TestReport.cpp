#include "cli/TestReport.h"

#include <algorithm>
#include <array>
#include <cstdio>  // snprintf
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/TableText.h"

namespace connsheet {

bool CaseResult::passed() const {
    return error.empty() &&
           std::all_of(outputs.begin(), outputs.end(), [](const CheckedOutput& o) { return o.passed; });
}

namespace {

std::string caseTitle(const CaseResult& r) {
    std::string title = r.file;
    if (r.line > 0)
        title += ":" + std::to_string(r.line);
    return title + ": " + r.name;
}

// Bytes of UTF-8 are not columns; count the characters so that umlauts keep the table aligned.
std::size_t displayWidth(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

}  // namespace

void printResultTable(const std::vector<CaseResult>& results, std::ostream& out) {
    using Row = std::array<std::string, 7>;
    std::vector<Row> rows{{"result", "case", "output", "expected", "got", "difference", "tolerance"}};
    int passed = 0;
    for (const CaseResult& r : results) {
        const std::string title = escapeForTable(caseTitle(r));
        if (r.passed()) {
            ++passed;
            rows.push_back({"pass", title, "", "", "", "", ""});
            continue;
        }
        if (!r.error.empty())
            rows.push_back({"FAIL", title, "(run)", "", escapeForTable(r.error), "", ""});
        for (const CheckedOutput& o : r.outputs) {
            if (o.passed)
                continue;
            rows.push_back({"FAIL", title, escapeForTable(o.name), escapeForTable(o.expected),
                            o.missing ? "(no such variable)" : escapeForTable(o.got), o.difference,
                            o.tolerance});
        }
    }
    // Without a failure the columns of differences would stay empty.
    const std::size_t columns = passed == static_cast<int>(results.size()) ? 2 : 7;
    std::array<std::size_t, 7> widths{};
    for (const Row& row : rows)
        for (std::size_t c = 0; c < columns; ++c)
            widths[c] = std::max(widths[c], displayWidth(row[c]));
    for (const Row& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < columns; ++c) {
            line += row[c];
            if (c + 1 < columns)
                line += std::string(widths[c] - displayWidth(row[c]) + 2, ' ');
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << '\n';
    }
    const auto failed = static_cast<int>(results.size()) - passed;
    out << results.size() << (results.size() == 1 ? " case: " : " cases: ") << passed << " passed, " << failed
        << " failed\n";
}

std::string resultsJson(const std::vector<CaseResult>& results) {
    nlohmann::ordered_json document;
    const auto passed =
        std::count_if(results.begin(), results.end(), [](const CaseResult& r) { return r.passed(); });
    document["ok"] = passed == static_cast<long>(results.size());
    document["passed"] = passed;
    document["failed"] = static_cast<long>(results.size()) - passed;
    document["cases"] = nlohmann::ordered_json::array();
    for (const CaseResult& r : results) {
        nlohmann::ordered_json c{{"file", r.file},   {"name", r.name},   {"line", r.line},
                                 {"sheet", r.sheet}, {"ok", r.passed()}, {"error", r.error}};
        c["outputs"] = nlohmann::ordered_json::array();
        for (const CheckedOutput& o : r.outputs)
            c["outputs"].push_back(nlohmann::ordered_json{
                {"name", o.name},
                {"expected", o.expected},
                {"got", o.missing ? nlohmann::ordered_json() : nlohmann::ordered_json(o.got)},
                {"tolerance", o.tolerance},
                {"difference", o.difference},
                {"ok", o.passed}});
        document["cases"].push_back(std::move(c));
    }
    return document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

namespace {

std::string xmlEscape(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\n':
                escaped += "&#10;";
                break;
            case '\t':
                escaped += "&#9;";
                break;
            default:
                // XML 1.0 allows no other control characters, not even escaped.
                if (static_cast<unsigned char>(c) >= 0x20 || c == '\r')
                    escaped += c;
        }
    }
    return escaped;
}

std::string seconds(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

}  // namespace

std::string resultsJunit(const std::vector<CaseResult>& results) {
    // Suites in the order their files were given.
    std::vector<std::string> files;
    for (const CaseResult& r : results)
        if (std::find(files.begin(), files.end(), r.file) == files.end())
            files.push_back(r.file);
    const auto failures =
        std::count_if(results.begin(), results.end(), [](const CaseResult& r) { return !r.passed(); });
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    xml += "<testsuites name=\"connsheet test\" tests=\"" + std::to_string(results.size()) +
           "\" failures=\"" + std::to_string(failures) + "\">\n";
    for (const std::string& file : files) {
        std::vector<const CaseResult*> suite;
        double total = 0;
        for (const CaseResult& r : results) {
            if (r.file != file)
                continue;
            suite.push_back(&r);
            total += r.seconds;
        }
        const auto suiteFailures =
            std::count_if(suite.begin(), suite.end(), [](const CaseResult* r) { return !r->passed(); });
        xml += "  <testsuite name=\"" + xmlEscape(file) + "\" tests=\"" + std::to_string(suite.size()) +
               "\" failures=\"" + std::to_string(suiteFailures) + "\" errors=\"0\" time=\"" + seconds(total) +
               "\">\n";
        for (const CaseResult* r : suite) {
            xml += "    <testcase classname=\"" + xmlEscape(r->sheet) + "\" name=\"" + xmlEscape(r->name) +
                   "\" time=\"" + seconds(r->seconds) + "\"";
            if (r->passed()) {
                xml += "/>\n";
                continue;
            }
            std::string details;
            if (!r->error.empty())
                details += "the run failed: " + r->error + "\n";
            for (const CheckedOutput& o : r->outputs) {
                if (o.passed)
                    continue;
                details +=
                    o.name + ": expected " + o.expected + ", got " + (o.missing ? "no such variable" : o.got);
                if (!o.tolerance.empty())
                    details += " (difference " + o.difference + ", tolerance " + o.tolerance + ")";
                details += "\n";
            }
            const std::string message = details.substr(0, details.find('\n'));
            xml += ">\n      <failure message=\"" + xmlEscape(message) + "\">" + xmlEscape(details) +
                   "</failure>\n";
            xml += "    </testcase>\n";
        }
        xml += "  </testsuite>\n";
    }
    xml += "</testsuites>\n";
    return xml;
}

}  // namespace connsheet
