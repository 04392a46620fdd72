// Any text in a sheet's corner-cell tag reads as settings without harm, and the settings written back
// into the tag read again as the same settings.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "platform/grid/window/SSFunctions.h"
#include "platform/mxbase/TextFile.h"
#include "spread/DlgSSAsTool.h"
#include "spread/Mx_Spread.h"
#include "spread/VlSSSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static DlgSSAsTool tool;
    static const bool created = tool.create();
    fuzzsupport::check(created && tool.grid());
    const HWND sheet = tool.grid()->GetSafeHwnd();

    const std::wstring tag = textfile::decode(std::string_view(reinterpret_cast<const char*>(data), size));
    SSSetCellTag(sheet, 0, 0, tag.c_str());
    VlSSSettings settings;
    fuzzsupport::check(settings.readFromSheet(sheet));
    fuzzsupport::check(settings.writeToSheet(sheet));
    VlSSSettings back;
    fuzzsupport::check(back.readFromSheet(sheet));
    fuzzsupport::check(back.toText() == settings.toText());
    return 0;
}
