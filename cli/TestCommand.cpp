// connsheet test: runs the cases of case files against the library and says which outputs differ.
// Each case goes through `connsheet eval` (inputs) or `connsheet run` (a macro) in this process, so a
// case passes exactly when the command, run by hand, would print these values.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>  // strtod
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/Connsheet.h"
#include "cli/StandardsCase.h"
#include "cli/TestReport.h"
#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/JsonErrorText.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/NumberFunctions.h"

namespace connsheet {
namespace {

namespace fs = std::filesystem;

struct TestOptions {
    std::vector<std::string> files;
    bool json = false;
    std::string junit;
};

// A path in a case file is relative to the case file's folder when it names a file there.
std::string besideCaseFile(const std::string& caseFile, const std::string& path) {
    if (path.empty() || fs::path(path).is_absolute())
        return path;
    const fs::path beside = fs::path(caseFile).parent_path() / path;
    return fsys::exists(beside) ? beside.string() : path;
}

bool readNumber(const std::string& text, double& number) {
    if (text.empty())
        return false;
    char* end = nullptr;
    number = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(number);
}

std::string numberText(double number) {
    return formatShortest(number).toUtf8();
}

// The command line that runs the case as a user would.
std::vector<std::string> commandLine(const StandardsCase& c, const std::string& caseFile) {
    std::vector<std::string> args{"connsheet", "--lib", gSettings.libDir().toUtf8()};
    const std::string sheet = besideCaseFile(caseFile, c.sheet);
    if (c.macro.empty()) {
        args.insert(args.end(), {"eval", sheet});
        for (const auto& [name, value] : c.inputs)
            args.push_back(name + "=" + value);
    } else {
        args.insert(args.end(), {"run", sheet, "--macro", besideCaseFile(caseFile, c.macro)});
        if (!c.mapsTo.empty())
            args.insert(args.end(), {"--maps-to", c.mapsTo});
    }
    for (const auto& [name, value] : c.generalVariables)
        args.insert(args.end(), {"--gen", name + "=" + value});
    args.push_back("--json");
    return args;
}

// The last line a failed command wrote on its error stream: its own summary of what went wrong.
std::string lastLine(const std::string& text) {
    const auto end = text.find_last_not_of('\n');
    if (end == std::string::npos)
        return {};
    const auto start = text.rfind('\n', end);
    return text.substr(start == std::string::npos ? 0 : start + 1,
                       end - (start == std::string::npos ? 0 : start + 1) + 1);
}

CaseResult runCase(const StandardsCase& c, const std::string& caseFile) {
    CaseResult result;
    result.file = caseFile;
    result.name = c.name;
    result.line = c.line;
    result.sheet = c.sheet;
    const auto started = std::chrono::steady_clock::now();
    std::istringstream noInput;
    std::ostringstream out, err;
    const int status = run(commandLine(c, caseFile), noInput, out, err);
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    nlohmann::json document;
    try {
        document = nlohmann::json::parse(out.str());
    } catch (const std::exception&) {
        // Refused before the run (a sheet not found, an input that is not one): no JSON at all.
        result.error = lastLine(err.str());
        if (result.error.empty())
            result.error = "the run failed (exit status " + std::to_string(status) + ")";
        return result;
    }
    if (!document.value("ok", false)) {
        for (const auto& f : document.value("findings", nlohmann::json::array())) {
            if (f.value("severity", "") != "error")
                continue;
            result.error = f.value("cause", "");
            if (result.error.empty())
                result.error = f.value("text", "");
            if (!f.value("cell", "").empty())
                result.error = f.value("cell", "") + ": " + result.error;
            break;
        }
        if (result.error.empty())
            result.error = lastLine(err.str());
    }
    const auto variables = document.value("variables", nlohmann::json::array());
    for (const ExpectedOutput& e : c.expected) {
        CheckedOutput o;
        o.name = e.name;
        o.expected = e.text;
        o.missing = true;
        for (const auto& v : variables) {
            if (v.value("name", "") != e.name)
                continue;
            o.missing = false;
            o.got = v.value("value", "");
        }
        double got = 0;
        if (o.missing) {
            o.passed = false;
        } else if (e.numeric) {
            o.tolerance = numberText(e.tolerance);
            if (readNumber(o.got, got)) {
                o.difference = numberText(got - e.number);
                o.passed = std::fabs(got - e.number) <= e.tolerance;
            }
        } else {
            o.passed = o.got == e.text;
        }
        result.outputs.push_back(std::move(o));
    }
    return result;
}

int testStandards(const TestOptions& options, CommandContext& context) {
    std::vector<CaseResult> results;
    for (const std::string& file : options.files) {
        std::string problem;
        const auto bytes = fsys::readBytes(fsys::resolve(Mx_String(file).view()), &problem);
        std::vector<StandardsCase> cases;
        if (!bytes) {
            context.err << "connsheet test: " << problem << '\n';
            return 1;
        }
        if (!readStandardsCases(*bytes, cases, problem)) {
            context.err << "connsheet test: " << withFileName(file, problem) << '\n';
            return 1;
        }
        for (const StandardsCase& c : cases)
            results.push_back(runCase(c, file));
    }
    if (!options.junit.empty()) {
        std::string problem;
        if (!fsys::writeAtomic(fs::path(options.junit), resultsJunit(results), &problem)) {
            context.err << "connsheet test: " << problem << '\n';
            return 1;
        }
    }
    if (options.json)
        context.out << resultsJson(results);
    else
        printResultTable(results, context.out);
    const bool allPassed =
        std::all_of(results.begin(), results.end(), [](const CaseResult& r) { return r.passed(); });
    return allPassed ? 0 : 1;
}

}  // namespace

void addTestCommand(CLI::App& app, CommandContext& context) {
    auto* command =
        app.add_subcommand("test", "Run test cases of standards sheets and compare their outputs");
    auto options = std::make_shared<TestOptions>();
    command->add_option("CASES", options->files, "Case files (JSON or CSV, see docs/standards-testing.md)")
        ->required();
    command->add_flag("--json", options->json, "Print one JSON object with every case's result");
    command->add_option("--junit", options->junit, "Also write the results as JUnit XML to this file");
    command->callback([&context, options] { context.exitStatus = testStandards(*options, context); });
}

}  // namespace connsheet
