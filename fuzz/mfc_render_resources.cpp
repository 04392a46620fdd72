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
        // Pictures are cut at 4096 pixels a side; one that large takes a second to fill under the
        // sanitizers, which says nothing about the drawing code, so the harness keeps dialogs smaller
        // (their controls may still be of any size and place: they are clipped to the dialog).
        CRect frame;
        dialog.GetWindowRect(&frame);
        if (frame.Width() > 1024 || frame.Height() > 1024)
            frame = CRect(0, 0, 1024, 1024), dialog.MoveWindow(&frame);
        ui::renderWindow(dialog.GetSafeHwnd(), shown == 2 ? 2 : 1);
        dialog.DestroyWindow();
    }
    AfxSetResourceHandle(nullptr);
    ui::unloadResourceModule(load.module);
    ui::resetMessageQueue();
    return 0;
}
