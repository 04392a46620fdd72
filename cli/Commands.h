#pragma once
// Each subcommand of connsheet lives in a file of its own and adds itself to the application here.
// Only cli/ includes this header (CLI11 is heavy).
#include <CLI/CLI.hpp>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace connsheet {

struct CommandContext {
    std::ostream& out;
    std::ostream& err;
    std::istream& in;  // for "-" given as a file
    // Set by the chosen subcommand's callback; run() returns it.
    int exitStatus = 0;
};

void addTextsCommand(CLI::App& app, CommandContext& context);
void addCalcCommand(CLI::App& app, CommandContext& context);
void addRunCommand(CLI::App& app, CommandContext& context);
void addEvalCommand(CLI::App& app, CommandContext& context);
void addCheckCommand(CLI::App& app, CommandContext& context);
void addShowCommand(CLI::App& app, CommandContext& context);
void addSheetsCommand(CLI::App& app, CommandContext& context);
void addBatchCommand(CLI::App& app, CommandContext& context);
void addTestCommand(CLI::App& app, CommandContext& context);
void addConvertCommand(CLI::App& app, CommandContext& context);
void addHelpCommand(CLI::App& app, CommandContext& context);
void addSettingsCommand(CLI::App& app, CommandContext& context);
void addBillCommand(CLI::App& app, CommandContext& context);
void addGenVarsCommand(CLI::App& app, CommandContext& context);
void addSectionsCommand(CLI::App& app, CommandContext& context);
void addMacroCommand(CLI::App& app, CommandContext& context);
void addTemplateCommand(CLI::App& app, CommandContext& context);
void addDesignCommand(CLI::App& app, CommandContext& context);
void addReadCommand(CLI::App& app, CommandContext& context);
void addSelectMacroCommand(CLI::App& app, CommandContext& context);
void addCutsCommand(CLI::App& app, CommandContext& context);
void addEditMacroCommand(CLI::App& app, CommandContext& context);
void addMapCommand(CLI::App& app, CommandContext& context);
void addMacroSettingsCommand(CLI::App& app, CommandContext& context);

// When the first word that is no option names no command: says so on `err`, with the nearest command
// ("did you mean"), and returns true. `args` come without the program name.
bool reportUnknownCommand(const CLI::App& app, const std::vector<std::string>& args, std::ostream& err);

// "-" names standard input or output where a command takes a file.
inline bool isStandardStream(const std::string& file) {
    return file == "-";
}

}  // namespace connsheet
