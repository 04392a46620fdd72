// Profile values tables read from ".pr" files that offices edit by hand. The core's table reader has its
// own target (mxbase_section_table); this one covers what the table and the new-size logic build on top
// of what was read: the picture and header lines split off, the language count, copies of rows, the
// prefixes and name positions derived from any row, and sizes added to any table. Whatever the file
// held, a table that writes reads back the same, an added size is found again by its name, and a
// refused size changes nothing. The library's group and type data (the same table layout) is read
// from the same bytes too.
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "fuzz/FuzzSupport.h"
#include "platform/mxbase/DlgEditLibData.h"
#include "platform/mxbase/Mx_Settings.h"
#include "sectionlib/Mx_ProfValuesTable.h"
#include "sectionlib/SectionSizeTemplate.h"

namespace {

using fuzzsupport::check;
namespace fs = std::filesystem;

bool sameTable(const Mx_ProfValuesTable& a, const Mx_ProfValuesTable& b) {
    if (a.image.str() != b.image.str() || !(a.headers == b.headers) || a.rows.length() != b.rows.length())
        return false;
    for (int i = 0; i < a.rows.length(); ++i)
        if (!(a.rows[i] == b.rows[i]))
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzzsupport::ScratchFolder folder("cs_fuzz_prof_values");
    static const bool made = [] {
        fs::create_directories(folder.path() / "prof");
        gSettings.setLibDir(Mx_String(folder.path().string() + "/"));
        return true;
    }();
    (void)made;
    std::ofstream(folder.path() / "prof" / "HX.pr", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    Mx_ProfValuesTable table;
    check(table.readFromFile(L"HX"));
    check(table.name.str() == L"HX");
    const int languages = table.getNrLanguages();
    check(languages == 4 || languages == 5);

    // Written and read back: the same table (when the fields can be stored at all).
    if (table.writeToFile(L"HX-copy")) {
        Mx_ProfValuesTable again;
        check(again.readFromFile(L"HX-copy.pr"));
        // A picture line that was empty reads back as no picture, which it was.
        check(sameTable(again, table) || (table.rows.length() < 2 && again.headers.isEmpty()));
    }

    Mx_StringArray names, active;
    table.getSysNames(names);
    table.getFilteredSysNames(active);
    check(active.length() <= names.length());
    for (int i = 0; i < table.rows.length(); ++i)
        check(table.getfilteredIdx(i) <= i);

    // A copy of each of the first rows, and a new size made from each.
    for (int i = 0; i < table.rows.length() && i < 4; ++i) {
        Mx_ProfValuesTable copy = table;
        const int before = copy.rows.length();
        check(copy.insertRow(i) == (i + 1 < before));

        const SectionSizeTemplate like(table, table.rows[i].at(0));
        check(like.prefixes().length() == languages && like.suffixes().length() == languages);
        for (int position : like.namePositions())
            check(position >= 0 && position < like.valueCount());
        Mx_StringArray values = like.templateValues();
        for (Mx_String& value : values)
            value = L"7";
        const Mx_String sysName = like.generatedName(values);
        Mx_ProfValuesTable target = table;
        int index = -1;
        const auto result = like.addTo(target, sysName, values, index);
        if (result == SectionSizeTemplate::AddResult::Added) {
            check(target.rows.length() == table.rows.length() + 1);
            int found = -1;
            // The name was new (ignoring case), so the size is found at the row it went to.
            check(target.findSysName(target.rows[index][0], found) && found == index);
            check(target.rows[index].at(1).str() == L"1");
        } else {
            check(sameTable(target, table) && index == -1);
        }
    }

    // The same bytes as the library's groups and types: whatever was read saves and reads back alike.
    DlgEditLibData library;
    const Mx_String libraryFile((folder.path() / "prof" / "HX.pr").string());
    check(library.load(libraryFile));
    const Mx_String copyFile((folder.path() / "prof" / "SectionLibrary.txt").string());
    if (library.save(copyFile)) {
        DlgEditLibData again;
        check(again.load(copyFile) && again == library);
    }
    for (const SectionType& type : library.types)
        library.dimensionNames(type.id);
    return 0;
}
