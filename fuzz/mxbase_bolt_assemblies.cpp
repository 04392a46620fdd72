// Any text reads into a list of distinct names without blanks around them, and the list written one
// name a line reads back the same.
#include <cstdint>
#include <cstdlib>  // abort
#include <string>
#include <string_view>

#include "platform/mxbase/BoltAssemblies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Mx_StringArray names =
        parseAssemblyList(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string again;
    for (const Mx_String& name : names) {
        const std::string line = name.toUtf8();
        if (line.empty() || line.front() == ' ' || line.back() == ' ' || line.front() == '#')
            std::abort();
        again += line + "\n";
    }
    if (!(parseAssemblyList(again) == names))
        std::abort();
    return 0;
}
