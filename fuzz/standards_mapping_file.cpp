// A mapping file is outside input: any bytes read as a mapping file without harm, and whatever
// mapping they give is written and read back as the same links (bar the pairs the writer leaves out).
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "platform/mxbase/Mx_StringArray.h"
#include "platform/mxbase/ObjectExportFiles.h"
#include "standards/VlSSMapping.h"

namespace {

// The scratch folder, removed when the process ends normally.
const std::filesystem::path& folder() {
    static const fuzzsupport::ScratchFolder scratch("cs_fuzz_mapping");
    return scratch.path();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path input = folder() / "Input.map";
    std::ofstream(input, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                   static_cast<std::streamsize>(size));
    const Mx_String sheet((folder() / "Input.vls").string());

    Mx_StringArray lines;
    ObjectExportReadFile(Mx_String(input.string()), lines);
    VlSSMapping mapping;
    for (const Mx_String& line : lines) {
        const int equals = line.findFirstFrom(L'=');
        const Mx_String key = equals < 0 ? Mx_String() : line.getSubStringAt(0, equals);
        mapping.getMappingFromFile(sheet, key);
    }
    Mx_String found;
    mapping.hasSameMapping(sheet, found);

    // Round trip through the writer: every link that is written reads back as a compatible link.
    const Mx_String copy((folder() / "Copy.vls").string());
    std::filesystem::remove(folder() / "Copy.map");
    Mx_String key(L"Fuzz");
    if (mapping.setMappingToFile(copy, key) != Acad::eOk) std::abort();
    VlSSMapping back;
    if (back.getMappingFromFile(copy, key) != Acad::eOk) std::abort();
    if (!back.isEqual(mapping)) std::abort();
    if (back.mappedObjects().length() > mapping.mappedObjects().length()) std::abort();
    return 0;
}
