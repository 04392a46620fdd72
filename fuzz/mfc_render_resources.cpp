// Any template a resource text can describe must draw: every dialog of a fuzzed resource text is
// created and rendered as a picture, then destroyed. Absurd sizes must be clipped, never exhaust memory.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/mfc/CDialog.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/WindowRenderer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ui::ModuleLoad load = ui::loadResourceModuleFromText("fuzz.rc", text);
    if (!load)
        return 0;
    AfxSetResourceHandle(load.module);
    int shown = 0;
    for (UINT id : ui::findResourceModule(load.module)->dialogIds()) {
        if (++shown > 4)
            break;
        CDialog dialog(id);
        if (!dialog.Create(id))
            continue;
        ui::renderWindow(dialog.GetSafeHwnd(), shown == 2 ? 2 : 1);
        dialog.DestroyWindow();
    }
    AfxSetResourceHandle(nullptr);
    ui::unloadResourceModule(load.module);
    ui::resetMessageQueue();
    return 0;
}
