// Case files from anywhere must be refused with a message that names a place and is in our words,
// never crash. Every case accepted can run: it names a sheet, expects some output, and its tolerances
// are numbers 0 or above.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cli/StandardsCase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<connsheet::StandardsCase> cases;
    std::string error;
    if (!connsheet::readStandardsCases(bytes, cases, error)) {
        // The message may quote the file, whatever it holds, but never starts with the JSON library's id.
        const auto problem = error.find(": ");
        if (error.empty() || error.rfind("[json.exception", 0) == 0 ||
            (problem != std::string::npos && error.compare(problem + 2, 15, "[json.exception") == 0))
            std::abort();
        if (!cases.empty()) std::abort();  // a refused file adds no case
        return 0;
    }
    if (cases.empty()) std::abort();
    for (const connsheet::StandardsCase& c : cases) {
        if (c.sheet.empty() || c.expected.empty() || c.name.empty()) std::abort();
        if (!c.macro.empty() && !c.inputs.empty()) std::abort();
        for (const connsheet::ExpectedOutput& e : c.expected) {
            if (!(e.tolerance >= 0) || !std::isfinite(e.tolerance)) std::abort();
            if (e.numeric && !std::isfinite(e.number)) std::abort();
        }
    }
    return 0;
}
