// connsheet read: a whole sheet as the formulas dialog reads it (ReadSSFile): the text of A1 as its
// title, the column headers and every row's cell texts; tab-separated, or one JSON object with --json.
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/Commands.h"
#include "cli/StandardsCommandSupport.h"
#include "cli/TableText.h"
#include "platform/arx/CommandLine.h"
#include "platform/arx/Utf8.h"
#include "spread/FormulaEntryPoints.h"
#include "standards/DisplayPath.h"

namespace connsheet {
namespace {

struct ReadOptions {
    std::string file;
    bool json = false;
};

std::string tabbed(const Mx_StringArray& texts) {
    std::string line;
    for (int i = 0; i < texts.length(); ++i) {
        if (i > 0)
            line += '\t';
        line += escapeForTable(texts[i].toUtf8());
    }
    return line;
}

}  // namespace

void addReadCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<ReadOptions>();
    auto* command = app.add_subcommand(
        "read", "Read a whole sheet as the formulas dialog does: title (A1), column headers and rows");
    command->add_option("FILE", options->file, "Sheet file or library sheet name")->required();
    command->add_flag("--json", options->json, "One JSON object: file, title, columns, rows");
    command->callback([&context, options] {
        Mx_String path;
        if (!resolveStandardsSheet(options->file, path)) {
            reportNoSuchSheet(context.err, options->file, path);
            context.exitStatus = 2;
            return;
        }
        Mx_String title;
        Mx_StringArray columns;
        Mx_Array<Mx_StringArray> rows;
        // The dialog tells the host's command line which file it loads; that is no part of the output.
        host::setPrintSink({});
        const bool loaded = readSheet(path, title, columns, rows);
        host::setPrintSink([&context](const std::wstring& text) { context.err << utf8::encode(text); });
        if (!loaded) {
            context.err << "connsheet: " << displayPath(path).toUtf8() << ": cannot load the sheet\n";
            context.exitStatus = 1;
            return;
        }
        if (options->json) {
            nlohmann::ordered_json out;
            out["file"] = displayPath(path).toUtf8();
            out["title"] = title.toUtf8();
            out["columns"] = nlohmann::ordered_json::array();
            for (int i = 0; i < columns.length(); ++i)
                out["columns"].push_back(columns[i].toUtf8());
            out["rows"] = nlohmann::ordered_json::array();
            for (int r = 0; r < rows.length(); ++r) {
                nlohmann::ordered_json row = nlohmann::ordered_json::array();
                for (int c = 0; c < rows[r].length(); ++c)
                    row.push_back(rows[r][c].toUtf8());
                out["rows"].push_back(std::move(row));
            }
            context.out << out.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
        } else {
            context.out << "title\t" << escapeForTable(title.toUtf8()) << '\n' << tabbed(columns) << '\n';
            for (int r = 0; r < rows.length(); ++r)
                context.out << tabbed(rows[r]) << '\n';
        }
        context.exitStatus = 0;
    });
}

}  // namespace connsheet
