#pragma once
// Runs one connsheet command line in-process, as the tests of every subcommand do.
#include <sstream>
#include <string>
#include <vector>

#include "cli/Connsheet.h"

struct CommandRun {
    int status;
    std::string out, err;
};

// args without the program name.
inline CommandRun runConnsheet(std::vector<std::string> args) {
    args.insert(args.begin(), "connsheet");
    std::ostringstream out, err;
    int status = connsheet::run(args, out, err);
    return {status, out.str(), err.str()};
}
