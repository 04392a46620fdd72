#pragma once
// The connsheet command. main() only forwards here, so tests can run any command line and read what
// it printed.
#include <iosfwd>
#include <string>
#include <vector>

namespace connsheet {

// Runs one command line (args[0] is the program name). Returns the exit status: 0 success, 1 the
// work failed, 2 usage error.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace connsheet
