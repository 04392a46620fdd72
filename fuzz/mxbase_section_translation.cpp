// Any text either reads into a translation table or is refused with "name:line: problem"; what is
// read writes and reads back to the same pairs.
#include <cstdint>
#include <cstdlib>  // abort
#include <string>
#include <string_view>

#include "platform/mxbase/SectionTranslation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Mx_StringArray names, translated;
    std::string error;
    if (!parseSectionTranslation(bytes, "fuzz", names, translated, &error)) {
        if (error.rfind("fuzz:", 0) != 0 || !names.isEmpty() || !translated.isEmpty())
            std::abort();
        return 0;
    }
    if (names.length() != translated.length())
        std::abort();
    Mx_StringArray names2, translated2;
    if (!parseSectionTranslation(formatSectionTranslation(names, translated), "again", names2, translated2,
                                 &error) ||
        !(names2 == names) || !(translated2 == translated))
        std::abort();
    return 0;
}
