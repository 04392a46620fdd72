// Macro files from anywhere must be refused with a message, never crash. Whatever is accepted must
// write and read back to the same macro.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroJson.h"
#include "platform/mxbase/Mx_Macro.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view json(reinterpret_cast<const char*>(data), size);
    Mx_Macro macro;
    MacroData tabs;
    Mx_String error;
    if (!macrojson::read(json, macro, &tabs, error)) {
        if (error.isEmpty())
            std::abort();  // a refusal always says why
        return 0;
    }
    Mx_Macro again;
    MacroData againTabs;
    if (!macrojson::read(macrojson::write(macro, &tabs), again, &againTabs, error))
        std::abort();
    if (!(again == macro) || !againTabs.sameTabs(tabs))
        std::abort();
    return 0;
}
