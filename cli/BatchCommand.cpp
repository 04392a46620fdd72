// connsheet batch: one standards sheet run against many macros in parallel worker processes, each
// macro as "connsheet run" runs it. Each worker keeps the engine's caches (the parsed sheet, its data
// and sizes files, section tables) from one macro to the next, so the sheet is parsed once per worker.
#include <unistd.h>  // isatty, getpid

#include <algorithm>

#include <chrono>
#include <cstdio>   // rename, remove
#include <cstdlib>  // getenv, abort
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cli/BatchPool.h"
#include "cli/BatchProgress.h"
#include "cli/BatchReport.h"
#include "cli/Commands.h"
#include "cli/HeapReserve.h"
#include "cli/JsonLinesFile.h"
#include "cli/MessageBoxRecorder.h"
#include "cli/StandardsCommandSupport.h"
#include "platform/arx/AcTransaction.h"
#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/FileWatch.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroJson.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/Mx_Macro.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/NumberFunctions.h"
#include "platform/mxbase/VlAutoStandardsData.h"
#include "standards/StartDlgStandardsSS.h"
#include "standards/VlDlgStandardsData.h"
#include "standards/VlRunReport.h"
#include "standards/VlVarCells.h"

namespace connsheet {
namespace {

namespace fs = std::filesystem;

struct BatchOptions {
    std::string sheet;
    std::vector<std::string> macros;
    std::string macrosDir;
    std::string jsonl;
    int jobs = 0;
    std::string outDir;
    bool inPlace = false;
    std::string report;
    std::string mapsTo;
    std::vector<std::string> generalVariables;
    bool allowFailures = false;
    bool noProgress = false;
};

// One macro of the batch: a file, or a line of a JSON-lines file.
struct BatchItem {
    std::string name;      // as the summary and the report name it: the path, or "file.jsonl:7"
    std::string path;      // the macro file; empty for a line
    std::size_t line = 0;  // for a line: its place among the lines of the --jsonl file
    std::string target;    // where the updated macro is written; empty: not written, or a line (below)
    bool toLines = false;  // a line whose updated macro goes back to the parent for the output lines
};

// What every run shares, worked out once in the parent before the workers are forked.
struct BatchSetup {
    Mx_String sheet;
    Mx_String mapsTo;
    std::vector<std::pair<std::string, std::string>> generalVariables;
    VlAutoStandardsData storedGeneralVariables;  // the library's, read once for every run
    bool allowFailures = false;
    bool inPlace = false;
    // A test hook: a worker aborts on the item whose name ends with this text, as a crash would end it.
    std::string abortOn;
    const JsonLinesFile* lines = nullptr;  // the --jsonl file
};

bool endsWith(const std::string& text, const std::string& end) {
    return !end.empty() && text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// An input rewritten in place goes through the core's atomic, synced write: a crash or a full disk
// never leaves it half written. A macro written into --out-dir is a new file of the batch's own: it is
// written under a temporary name and renamed (never seen half written) but not synced and not looked
// up ignoring case, which would list the ever-growing folder for every macro.
bool writeMacro(Mx_DbMacro& macro, const MacroData& macroData, const BatchItem& item, const BatchSetup& setup,
                std::string& why) {
    if (setup.inPlace) {
        Mx_String error;
        if (macro.writeToFile(Mx_String(item.target), &macroData, &error) == Acad::eOk)
            return true;
        why = error.toUtf8();
        return false;
    }
    const std::string bytes = macrojson::write(*macro.macroRead(), &macroData);
    const std::string temporary = item.target + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            why = "cannot be written";
            return false;
        }
    }
    if (std::rename(temporary.c_str(), item.target.c_str()) != 0) {
        std::remove(temporary.c_str());
        why = "cannot be written";
        return false;
    }
    return true;
}

BatchResult runItem(const BatchItem& item, const BatchSetup& setup) {
    if (endsWith(item.name, setup.abortOn))
        std::abort();
    // The library does not change under a batch: each of its files is looked up once per worker, not
    // once per macro (the engine tries the working folder and every folder of a path ignoring letter
    // case). The scope lives as long as the worker process, which leaves with _exit.
    static fsys::StatScope* const libraryFiles = [] {
        fsys::FileWatch::disable();  // the scope keeps everything: watches would buy nothing
        return new fsys::StatScope;
    }();
    (void)libraryFiles;
    BatchResult result;
    Mx_DbMacro macro;
    MacroData macroData;
    Mx_String error;
    Acad::ErrorStatus read = Acad::eOk;
    if (item.path.empty()) {
        // Kept from one line to the next: a line is read into the same storage each time.
        static std::string text;
        std::string problem;
        if (setup.lines->read(item.line, text, problem)) {
            read = macro.readFromText(text, &macroData, &error);
        } else {
            read = Acad::eFileAccessErr;
            error = Mx_String(problem);
        }
    } else {
        read = macro.readFromFile(Mx_String(item.path), &macroData, &error);
    }
    if (read != Acad::eOk) {
        result.status = BatchResult::Status::unreadable;
        result.problem = error.isEmpty() ? "cannot be read" : error.toUtf8();
        return result;
    }

    // The macro's own general variables first, then those of the command line, as "run" gives them.
    VlDlgStandardsData data;
    AcTransaction transaction;
    if (!prepareMacroRun(macro, macroData, setup.sheet, setup.mapsTo, setup.generalVariables, transaction,
                         data, &setup.storedGeneralVariables, item.path)) {
        result.problem = "cannot prepare the run";
        return result;
    }

    StandardsOutcome outcome;
    {
        MessageBoxRecorder recorder;
        VlRunReport report;
        VlRunReportScope reporting(report);
        outcome.completed = StartDlgStandardsSS(data);
        outcome.warnings = recorder.boxes();
        outcome.findings = collectFindings(report, outcome.warnings);
    }
    for (const VlRunFinding& f : outcome.findings) {
        if (f.kind == "equation-failed")
            result.failedEquations.push_back(f.sheet + ": " + (f.cell.empty() ? "" : f.cell + ": ") +
                                             f.equation);
        else if (f.kind == "not-set")
            result.notSet.push_back(f.variable);
        if (!f.isError())
            result.warnings.push_back(f.text.empty() ? f.cause : f.text);
    }
    for (int i = 0; i < data.varCells.length(); ++i) {
        const VlVarCell& cell = data.varCells[i];
        if (cell.isOutput())
            result.outputs.emplace_back(cell.name.toUtf8(), cell.value.toUtf8());
    }
    result.status = outcome.succeeded() ? BatchResult::Status::succeeded : BatchResult::Status::failed;
    if (!outcome.succeeded()) {
        result.problem = outcome.firstError();
        if (result.problem.empty())
            result.problem = "the run failed";
    }

    if (item.toLines && outcome.completed && (outcome.succeeded() || setup.allowFailures)) {
        result.macro = macrojson::write(*macro.macroRead(), &macroData, macrojson::Layout::oneLine);
    } else if (!item.target.empty() && outcome.completed && (outcome.succeeded() || setup.allowFailures)) {
        std::string why;
        if (!writeMacro(macro, macroData, item, setup, why)) {
            result.status = BatchResult::Status::failed;
            result.problem = item.target + ": " + why;
        }
    }
    return result;
}

// The macros named on the command line, found in --macros DIR (its *.json files, sorted) and read
// from --jsonl. False, with the reason said, when a folder or file cannot be read.
bool gatherItems(const BatchOptions& options, std::vector<BatchItem>& items, JsonLinesFile& lines,
                 CommandContext& context) {
    for (const std::string& file : options.macros)
        items.push_back({file, file, 0, {}});
    if (!options.macrosDir.empty()) {
        std::error_code error;
        std::vector<fs::path> found;
        for (fs::directory_iterator it(options.macrosDir, error), end; !error && it != end;
             it.increment(error))
            if (it->path().extension() == ".json" && it->is_regular_file())
                found.push_back(it->path());
        if (error) {
            context.err << "connsheet batch: cannot list " << options.macrosDir << ": " << error.message()
                        << '\n';
            return false;
        }
        std::sort(found.begin(), found.end());
        for (const fs::path& file : found)
            items.push_back({file.string(), file.string(), 0, {}});
    }
    if (!options.jsonl.empty()) {
        std::string problem;
        if (!lines.open(options.jsonl, problem)) {
            context.err << "connsheet batch: " << problem << '\n';
            return false;
        }
        // The updated macros come back to the parent, together about the file's size: a heap in huge
        // pages spares the kernel a fault every 4 KiB of them.
        reserveHugePageHeap(static_cast<std::size_t>(lines.size() + lines.size() / 2));
        const std::vector<JsonLinesFile::Line>& found = lines.lines();
        items.reserve(items.size() + found.size());
        for (std::size_t i = 0; i < found.size(); ++i) {
            BatchItem item;
            item.name = options.jsonl + ":" + std::to_string(found[i].number);
            item.line = i;
            items.push_back(std::move(item));
        }
    }
    return true;
}

// Where each updated macro goes: beside itself with --in-place, else in --out-dir under its file
// name. The lines of --jsonl go to one file of the same name in --out-dir, a line each in the same
// order (written by the parent). Two macros of one name would overwrite each other: refused.
bool chooseTargets(const BatchOptions& options, std::vector<BatchItem>& items, CommandContext& context) {
    if (options.outDir.empty() && !options.inPlace)
        return true;
    std::unordered_map<std::string, std::string> taken;
    if (!options.jsonl.empty() && !options.outDir.empty()) {
        const std::string lines = (fs::path(options.outDir) / fs::path(options.jsonl).filename()).string();
        taken.emplace(lines, options.jsonl);
    }
    for (BatchItem& item : items) {
        if (options.inPlace) {
            item.target = item.path;
            continue;
        }
        const bool line = item.path.empty();
        item.target =
            (fs::path(options.outDir) / fs::path(line ? options.jsonl : item.path).filename()).string();
        if (line) {
            item.toLines = true;
            continue;
        }
        auto [it, added] = taken.try_emplace(item.target, item.name);
        if (!added) {
            context.err << "connsheet batch: " << item.name << " and " << it->second
                        << " would both be written to " << item.target << '\n';
            return false;
        }
    }
    // Made only once the targets are known to be distinct: a refused command leaves nothing behind.
    if (!options.outDir.empty()) {
        std::error_code error;
        fs::create_directories(options.outDir, error);
        if (!fs::is_directory(options.outDir)) {
            context.err << "connsheet batch: cannot make the folder " << options.outDir << '\n';
            return false;
        }
    }
    return true;
}

// The updated lines of --jsonl, in their order; "null" stands for a macro that was not updated (its
// run failed, or it could not be read), so line N of the output is always macro N of the input.
bool writeLines(const BatchOptions& options, const std::vector<BatchItem>& items,
                const std::vector<BatchResult>& results, CommandContext& context) {
    const fs::path target = fs::path(options.outDir) / fs::path(options.jsonl).filename();
    // Written from where the macros lie, many lines a call (a call a line took most of a large
    // batch's time in the kernel, and copying them into one text first the most of the rest).
    std::vector<std::string_view> pieces;
    pieces.reserve(items.size() * 2);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!items[i].toLines)
            continue;
        pieces.push_back(results[i].macro.empty() ? std::string_view("null")
                                                  : std::string_view(results[i].macro));
        pieces.push_back("\n");
    }
    std::string error;
    if (!fsys::writeAtomic(target, pieces, &error)) {
        context.err << "connsheet batch: " << error << '\n';
        return false;
    }
    return true;
}

int runBatch(const BatchOptions& options, CommandContext& context) {
    if (options.macros.empty() && options.macrosDir.empty() && options.jsonl.empty()) {
        context.err << "connsheet batch: give macro files, --macros DIR or --jsonl FILE\n";
        return 2;
    }
    if (options.inPlace && !options.outDir.empty()) {
        context.err << "connsheet batch: --in-place and --out-dir exclude each other\n";
        return 2;
    }
    if (options.inPlace && !options.jsonl.empty()) {
        context.err << "connsheet batch: --in-place cannot rewrite the lines of --jsonl; give --out-dir\n";
        return 2;
    }
    BatchSetup setup;
    if (!resolveStandardsSheet(options.sheet, setup.sheet)) {
        context.err << "connsheet batch: sheet not found: " << options.sheet << '\n';
        return 1;
    }
    for (const std::string& assignment : options.generalVariables) {
        std::string name, value;
        if (!splitAssignment(assignment, name, value)) {
            context.err << "connsheet batch: --gen expects NAME=VALUE, not \"" << assignment << "\"\n";
            return 2;
        }
        setup.generalVariables.emplace_back(name, value);
    }
    if (!loadStoredGeneralVariables("batch", setup.storedGeneralVariables, context))
        return 1;
    setup.mapsTo = Mx_String(options.mapsTo);
    setup.allowFailures = options.allowFailures;
    setup.inPlace = options.inPlace;
    if (const char* hook = std::getenv("CONNSHEET_BATCH_TEST_ABORT_ON"))
        setup.abortOn = hook;

    std::vector<BatchItem> items;
    JsonLinesFile lines;
    if (!gatherItems(options, items, lines, context) || !chooseTargets(options, items, context))
        return 1;
    setup.lines = &lines;
    std::vector<std::string> names;
    names.reserve(items.size());
    for (const BatchItem& item : items)
        names.push_back(item.name);

    // Standards warnings on, as a document has them; the boxes go to each run's recorder.
    gSettings.setStandardsWarnings(true);
    const bool terminal = !options.noProgress && ::isatty(STDERR_FILENO) == 1;
    BatchProgress progress(context.err, items.size(), terminal);
    context.out.flush();
    context.err.flush();
    const auto start = std::chrono::steady_clock::now();
    BatchPoolCallbacks callbacks;
    callbacks.work = [&](std::size_t index) { return runItem(items[index], setup); };
    if (!options.noProgress)
        callbacks.done = [&](const BatchResult&) { progress.advance(); };
    const std::vector<BatchResult> results =
        runBatchInWorkers(items.size(), options.jobs > 0 ? options.jobs : availableCores(), callbacks);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!options.noProgress)
        progress.finish();

    bool written = true;
    if (!options.jsonl.empty() && !options.outDir.empty())
        written = writeLines(options, items, results, context);
    printBatchSummary(results, names, seconds, context.out);
    if (!options.report.empty()) {
        std::string error;
        if (!writeBatchReport(options.report, results, names, error)) {
            context.err << "connsheet batch: " << error << '\n';
            return 1;
        }
    }
    const bool allSucceeded =
        std::all_of(results.begin(), results.end(), [](const BatchResult& r) { return r.succeeded(); });
    return allSucceeded && written ? 0 : 1;
}

}  // namespace

void addBatchCommand(CLI::App& app, CommandContext& context) {
    auto* command =
        app.add_subcommand("batch", "Run a standards sheet against many macros in parallel worker processes");
    auto options = std::make_shared<BatchOptions>();
    command->add_option("SHEET", options->sheet, "Sheet file, or a name below \"Connection Standards\"")
        ->required();
    command->add_option("MACRO", options->macros, "Macro files (JSON)");
    command->add_option("--macros", options->macrosDir, "Run every *.json macro of this folder");
    command->add_option("--jsonl", options->jsonl, "Run every line of this file, one macro (JSON) a line");
    command->add_option("-j,--jobs", options->jobs, "Worker processes (default: the number of cores)")
        ->check(CLI::PositiveNumber);
    command->add_option("--out-dir", options->outDir,
                        "Write each updated macro into this folder, under its file name");
    command->add_flag("--in-place", options->inPlace, "Write each updated macro over its input file");
    command->add_option("--report", options->report,
                        "Write one row per macro with every output value and warning (.csv, else JSON)");
    command->add_option(
        "--maps-to", options->mapsTo,
        "Target: \"Module.<group>\", or a key of the sheet's mapping file (default: each macro's name)");
    command
        ->add_option("--gen", options->generalVariables,
                     "General variable NAME=VALUE for every run (repeatable)")
        ->allow_extra_args(false);
    command->add_flag("--allow-failures", options->allowFailures,
                      "Write the macros whose equations failed or outputs were not set as well");
    command->add_flag("--no-progress", options->noProgress, "Show no progress on standard error");
    command->callback([&context, options] { context.exitStatus = runBatch(*options, context); });
}

}  // namespace connsheet
