// Any text reads into a property list without harm; what the list writes reads back into a list that
// writes the same text (numbers are normalised to the written precision once, then stay).
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "platform/mxbase/TextFile.h"
#include "spread/Mx_SimplePropsList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Mx_SimplePropsList list;
    list.fromText(textfile::decode(bytes));
    const std::wstring written = list.toText();
    Mx_SimplePropsList back;
    back.fromText(written);
    fuzzsupport::check(back.length() == list.length());
    Mx_SimplePropsList again;
    again.fromText(back.toText());
    fuzzsupport::check(again.toText() == back.toText());
    return 0;
}
