#include "cli/Connsheet.h"

#include <cstdlib>  // getenv
#include <iostream>
#include <string_view>

#include "cli/Commands.h"
#include "platform/arx/CommandLine.h"
#include "platform/arx/Utf8.h"
#include "platform/mxbase/Mx_Settings.h"

namespace connsheet {

namespace {

// What the command printed must have arrived: a full disk or a closed pipe on stdout is a failure,
// not a success with the output lost.
int checkOutput(int status, std::ostream& out, std::ostream& err) {
    out.flush();
    if (out)
        return status;
    err << "connsheet: cannot write the output (standard output failed)\n";
    return status == 0 ? 1 : status;
}

struct Subcommand {
    std::string_view name;
    void (*add)(CLI::App&, CommandContext&);
};

// In the order the help lists them.
constexpr Subcommand kSubcommands[] = {
    {"texts", addTextsCommand},   {"calc", addCalcCommand},   {"run", addRunCommand},
    {"eval", addEvalCommand},     {"check", addCheckCommand}, {"show", addShowCommand},
    {"sheets", addSheetsCommand}, {"batch", addBatchCommand}, {"test", addTestCommand},
    {"convert", addConvertCommand},
    {"settings", addSettingsCommand},
    {"bill", addBillCommand},
    {"genvars", addGenVarsCommand},
    {"sections", addSectionsCommand},
    {"macro", addMacroCommand},
    {"template", addTemplateCommand}, {"design", addDesignCommand},
    {"read", addReadCommand},
    {"select-macro", addSelectMacroCommand},
    {"cuts", addCutsCommand},
    {"edit-macro", addEditMacroCommand},
    {"map", addMapCommand},
    {"macro-settings", addMacroSettingsCommand},
};

// The subcommand the arguments name: the first one that is neither an option nor --lib's value. A run
// sets up only that subcommand (setting up all of them was a tenth of a short run); without one, or
// with an unknown one (or "help"), all are set up so that the help and the error name them.
std::string_view subcommandNamed(const std::vector<std::string>& args) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--lib") {
            ++i;
            continue;
        }
        if (!arg.empty() && arg.front() == '-')
            continue;
        return arg;
    }
    return {};
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return run(args, std::cin, out, err);
}

int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    CLI::App app{"connsheet: connection-standards engine and spreadsheet tools", "connsheet"};
    app.set_version_flag("--version", std::string("connsheet ") + CONNSHEET_VERSION);
    app.require_subcommand(0, 1);

    std::string libDir;
    app.add_option("--lib", libDir,
                   "Library folder (default: $CONNSHEET_LIB, else the bundled example library)")
        ->envname("CONNSHEET_LIB");

    // Options of the whole command may also follow the subcommand: "check X --lib DIR".
    app.fallthrough();

    CommandContext context{out, err, in};
    const std::string_view named = subcommandNamed(args);
    bool added = false;
    for (const Subcommand& command : kSubcommands) {
        if (command.name == named) {
            command.add(app, context);
            added = true;
        }
    }
    if (!added) {
        for (const Subcommand& command : kSubcommands)
            command.add(app, context);
    }
    // "help COMMAND" finds the others' help among them: it is set up with all of them, and always.
    addHelpCommand(app, context);

    // Settings must follow --lib before any subcommand callback runs.
    app.parse_complete_callback([&] {
        if (!libDir.empty())
            gSettings.setLibDir(Mx_String(libDir.c_str()));
    });

    // The command line of the host prints to stderr while the command runs: what the module tells the
    // host's command line (a FROMTABLE result, a bad array index) must not break a command's output.
    host::setPrintSink([&err](const std::wstring& text) { err << utf8::encode(text); });

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    if (!reversed.empty())
        reversed.pop_back();  // program name
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        if (reportUnknownCommand(app, std::vector<std::string>(args.begin() + 1, args.end()), err)) {
            host::setPrintSink({});
            return checkOutput(2, out, err);
        }
        int status = app.exit(e, out, err);
        host::setPrintSink({});
        return checkOutput(status == 0 ? 0 : 2, out, err);
    }
    host::setPrintSink({});
    if (app.get_subcommands().empty()) {
        out << app.help();
        return checkOutput(0, out, err);
    }
    return checkOutput(context.exitStatus, out, err);
}

}  // namespace connsheet
