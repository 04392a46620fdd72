#pragma once
// Each subcommand of connsheet lives in a file of its own and adds itself to the application here.
// Only cli/ includes this header (CLI11 is heavy).
#include <CLI/CLI.hpp>
#include <functional>
#include <iosfwd>
#include <string>

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
void addTestCommand(CLI::App& app, CommandContext& context);
void addConvertCommand(CLI::App& app, CommandContext& context);

// "-" names standard input or output where a command takes a file.
inline bool isStandardStream(const std::string& file) { return file == "-"; }

}  // namespace connsheet
