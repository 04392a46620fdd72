// connsheet help [COMMAND], and the hint for a mistyped command: "did you mean ...".
#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace connsheet {
namespace {

// Edits (insert, delete, replace) between two words.
std::size_t distance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> previous(b.size() + 1), current(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) previous[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j)
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
        std::swap(previous, current);
    }
    return previous[b.size()];
}

std::string nearestCommand(const CLI::App& app, const std::string& word) {
    std::string best;
    std::size_t bestDistance = std::string::npos;
    for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) {
        const std::size_t d = distance(word, command->get_name());
        if (d < bestDistance) {
            bestDistance = d;
            best = command->get_name();
        }
    }
    // Only a near miss is a suggestion; "frobnicate" is not a typo of anything.
    return bestDistance <= std::max<std::size_t>(2, word.size() / 3) ? best : std::string();
}

}  // namespace

bool reportUnknownCommand(const CLI::App& app, const std::vector<std::string>& args, std::ostream& err) {
    // args without the program name; "--lib DIR" is the only global option that takes a value.
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--lib") {
            ++i;
            continue;
        }
        if (args[i].starts_with("-")) continue;
        try {
            app.get_subcommand(args[i]);
            return false;  // a command: its own parsing says what is wrong
        } catch (const CLI::OptionNotFound&) {
        }
        err << "connsheet: unknown command \"" << args[i] << "\"";
        const std::string nearest = nearestCommand(app, args[i]);
        if (!nearest.empty()) err << " (did you mean \"" << nearest << "\"?)";
        err << "; \"connsheet help\" lists the commands\n";
        return true;
    }
    return false;
}

void addHelpCommand(CLI::App& app, CommandContext& context) {
    auto* command = app.add_subcommand("help", "Show the help of connsheet or of one command");
    auto topic = std::make_shared<std::string>();
    command->add_option("COMMAND", *topic, "The command to explain");
    command->callback([&app, &context, topic] {
        if (topic->empty()) {
            // app.help() would show the command being run, "help" itself.
            context.out << app.get_formatter()->make_help(&app, app.get_name(), CLI::AppFormatMode::Normal);
            return;
        }
        try {
            context.out << app.get_subcommand(*topic)->help();
        } catch (const CLI::OptionNotFound&) {
            reportUnknownCommand(app, {*topic}, context.err);
            context.exitStatus = 2;
        }
    });
}

}  // namespace connsheet
