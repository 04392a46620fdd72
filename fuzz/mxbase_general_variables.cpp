// Any text either reads into general variables or is refused with "name:line: problem"; what is read
// writes and reads back to the same lists.
#include <cstdint>
#include <cstdlib>  // abort
#include <string>
#include <string_view>

#include "platform/mxbase/VlAutoStandardsData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    VlAutoStandardsData read;
    std::string error;
    if (!read.readText(bytes, "fuzz", &error)) {
        if (error.rfind("fuzz:", 0) != 0)
            std::abort();  // a refusal names the line
        if (!(read == VlAutoStandardsData()))
            std::abort();  // and keeps nothing
        return 0;
    }
    VlAutoStandardsData again;
    if (!again.readText(read.text(), "again", &error) || !(again == read))
        std::abort();
    return 0;
}
