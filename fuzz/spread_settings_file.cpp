// Any bytes read as a ".vld" settings file (one character per byte, 0xA4 separating the fields) give
// a valid record whose text form reads back to the same settings.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "spread/VlSSSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    VlSSSettings settings;
    settings.fromText(settingsFileText(bytes));
    fuzzsupport::check(settings.valid);
    fuzzsupport::check(settings.varNames.length() <= static_cast<int>(size));
    const std::wstring text = settings.toText();
    VlSSSettings back;
    back.fromText(text);
    fuzzsupport::check(back.toText() == text);
    fuzzsupport::check(back.varNames.length() == settings.varNames.length());
    fuzzsupport::check(back.varValues.length() == settings.varValues.length());
    return 0;
}
