// Any text reads into a properties list without harm, and what the list writes reads back into the
// same list.
#include <cstdint>
#include <cstdlib>  // abort
#include <string_view>

#include "platform/mxbase/Mx_PropertiesList.h"
#include "platform/mxbase/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Mx_PropertiesList list;
    list.readFromText(textfile::decode(bytes));
    Mx_PropertiesList back;
    if (back.readFromText(list.toText()) != 0) std::abort();
    if (!(back == list)) std::abort();
    return 0;
}
