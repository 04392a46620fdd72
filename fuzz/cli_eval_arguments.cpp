// The NAME=VALUE inputs and "--gen NAME=VALUE" general variables of `connsheet eval` come from the
// user's shell. Each line of the input is one argument ("g:" first makes it a --gen); the split and the
// general-variable list keep their promises, and the command over the bundled bolt layout sheet
// answers 2 exactly when an argument is malformed, names no input or gives a Double input no number,
// else 0 or 1.
#include <cstdint>
#include <cstdlib>  // abort
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/Connsheet.h"
#include "cli/StandardsCommandSupport.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

// Names compare as the command compares them.
bool isInput(const std::string& name) {
    return Mx_String(name).equal(Mx_String(L"BoltDiameter"), false) ||
           Mx_String(name).equal(Mx_String(L"HoleOffset"), false);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 2048) return 0;
    std::vector<std::string> args = {"connsheet", "eval", "Childs/BoltLayout.vls"};
    std::vector<std::pair<Mx_String, Mx_String>> generalVariables;
    bool malformed = false;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string line(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        const bool general = line.rfind("g:", 0) == 0;
        if (general) line.erase(0, 2);
        // Options are not what is fuzzed here: a stray "--lib" would move the library under later runs.
        // A command line cannot hold a NUL.
        // "++" is the option parser's end of a subcommand, no argument either.
        if (line.empty() || line[0] == '-' || line == "++" || line.find('\0') != std::string::npos) continue;

        std::string name, value;
        const bool split = connsheet::splitAssignment(line, name, value);
        check(split == (line.find('=') != std::string::npos && line[0] != '='));
        if (split) {
            check(name + "=" + value == line);
            check(!name.empty() && name.find('=') == std::string::npos);
        }
        if (general) {
            if (split) {
                connsheet::setGeneralVariable(generalVariables, name, value);
                // The last value given for a name (in any letter case) is the one kept.
                int matches = 0;
                for (const auto& [existing, existingValue] : generalVariables) {
                    if (existing.equal(Mx_String(name), false)) {
                        ++matches;
                        check(existingValue.str() == Mx_String(value).str());
                    }
                }
                check(matches == 1);
            }
            args.push_back("--gen");
        } else if (split && !isInput(name)) {
            malformed = true;  // not an input of the sheet
        } else if (split) {
            std::string why;
            malformed = malformed || !connsheet::acceptsValue(kVlDouble, value, why);  // both inputs are Double
        }
        malformed = malformed || !split;
        args.push_back(line);
    }

    std::ostringstream out, err;
    const int status = connsheet::run(args, out, err);
    check(status == 0 || status == 1 || status == 2);
    check((status == 2) == malformed);
    return 0;
}
