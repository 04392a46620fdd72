#pragma once
// The connsheet command. main() only forwards here, so tests can run any command line and read what
// it printed.
#include <iosfwd>
#include <string>
#include <vector>

namespace connsheet {

// Runs one command line (args[0] is the program name). Returns the exit status: 0 success, 1 the
// work failed, 2 usage error.
// A failed write to `out` fails the command (status 1). `in` is read where a file is given as "-".
int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
// The same, reading standard input.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace connsheet
