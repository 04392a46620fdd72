// Resource text is parsed at start-up from embedded files and, in tests, from any text; a malformed
// one must be refused with a message, never read out of bounds or loop.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/mfc/Resources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    ui::ResourceModule module("fuzz.rc");
    std::wstring error;
    module.addText(text, "fuzz.rc", {}, &error);
    for (UINT id : module.dialogIds()) {
        const ui::DialogTemplate* d = module.dialog(id);
        for (const ui::ControlTemplate& c : d->controls) ui::dialogUnitsToPixels(c.x, c.y, c.cx, c.cy);
    }
    return 0;
}
