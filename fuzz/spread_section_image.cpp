// Section picture names come from section tables and drawings: a type number as text, a drawing name,
// a user section's name. Whatever they are, the picture named is a plain file name inside the icons
// folder, and a user section's copy never lands outside it. The input is the type-or-drawing text, a
// line break, and the section name.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "platform/mxbase/Mx_Settings.h"
#include "spread/SectionTypeImages.h"

namespace {

using fuzzsupport::check;
namespace fs = std::filesystem;

std::size_t filesBelow(const fs::path& folder) {
    std::size_t count = 0;
    std::error_code failure;
    for (auto it = fs::recursive_directory_iterator(folder, failure);
         !failure && it != fs::recursive_directory_iterator(); it.increment(failure))
        ++count;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzzsupport::ScratchFolder folder("cs_fuzz_section_image");
    static const bool prepared = [] {
        fs::create_directories(folder.path() / "product" / "icons");
        fs::create_directories(folder.path() / "library" / "User Sections");
        std::ofstream(folder.path() / "library" / "User Sections" / "Bracket.bmp") << "BM";
        std::ofstream(folder.path() / "library" / "outside.bmp") << "BM";
        std::ofstream(folder.path() / "product" / "icons" / "ProfSectionI-big.bmp") << "BM";
        gSettings.setMxDir(Mx_String((folder.path() / "product").string() + "/"));
        gSettings.setLibDir(Mx_String((folder.path() / "library").string() + "/"));
        return true;
    }();
    (void)prepared;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t newline = input.find('\n');
    const Mx_String typeOrDrawing(std::string(input.substr(0, newline)));
    const Mx_String section(newline == std::string_view::npos ? std::string()
                                                              : std::string(input.substr(newline + 1)));

    const std::size_t before = filesBelow(folder.path());
    for (bool big : {true, false}) {
        const Mx_String name = sectionImageFile(typeOrDrawing, section, big);
        check(!name.isEmpty() && !name.contains(L'/') && !name.contains(L'\\'));
        check(name.endsWith(big ? L"-big.bmp" : L"-small.bmp") || (!big && name.endsWith(L"-automated.bmp")));
    }
    // At most the one copy of the one user section there is.
    const std::size_t after = filesBelow(folder.path());
    check(after == before ||
          (after == before + 1 && fs::exists(folder.path() / "product" / "icons" / "Bracket-automated.bmp")));
    return 0;
}
