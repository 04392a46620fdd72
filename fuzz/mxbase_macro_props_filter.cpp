// Any macro file in the library's "Macros\" folder is offered by the macro filter, readable or not, and
// what the filter merges from it can be ticked: ticking every module and property of the only macro
// keeps it on offer.
#include <cstdint>
#include <fstream>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "platform/mxbase/Mx_MacroPropsFilter.h"
#include "platform/mxbase/Mx_Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzsupport::ScratchFolder scratch("mxbase_macro_props_filter");
    static const bool ready = [] {
        std::filesystem::create_directories(scratch.path() / "Macros");
        gSettings.setLibDir(Mx_String(scratch.path().wstring()));
        return true;
    }();
    fuzzsupport::check(ready);
    std::ofstream(scratch.path() / "Macros" / "Fuzz.json", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    Mx_MacroPropsFilter filter;
    filter.initialize({}, {}, 0, 0);
    Mx_StringArray files, names;
    fuzzsupport::check(filter.getAllDwgFiles(files) == 1);
    Mx_StringArray modules;
    Mx_Array<Mx_StringArray> properties;
    if (!filter.getMergedProperties(modules, properties)) {
        fuzzsupport::check(modules.isEmpty() && properties.isEmpty());
        fuzzsupport::check(filter.getFilteredMacros(names) == 1);  // unreadable, still on offer
        return 0;
    }
    fuzzsupport::check(properties.length() == modules.length());
    for (int m = 0; m < modules.length(); ++m) {
        fuzzsupport::check(filter.setModuleStatus(modules[m], true) == Acad::eOk);
        for (const Mx_String& property : properties[m])
            fuzzsupport::check(filter.setModulePropStatus(modules[m], property, true) == Acad::eOk);
    }
    fuzzsupport::check(filter.getFilteredMacros(names) == 1 && names[0] == L"Fuzz");
    return 0;
}
