// Section tables (".pr" files of the library's "prof\" folder) are edited by hand and by the section
// library dialogs. Any bytes read as a table file without harm; what was read writes and reads back to
// the same rows; and when the folder is loaded as a library, every section the table lists is found
// again by its own name, with its values and display names reachable.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "platform/mxbase/Mx_SectionTableManager.h"
#include "platform/mxbase/SectionTableFile.h"

namespace {

using fuzzsupport::check;

namespace fs = std::filesystem;

bool sameRows(const Mx_Array<Mx_StringArray>& a, const Mx_Array<Mx_StringArray>& b) {
    if (a.length() != b.length()) return false;
    for (int i = 0; i < a.length(); ++i) {
        if (a[i].length() != b[i].length()) return false;
        for (int k = 0; k < a[i].length(); ++k)
            if (a[i][k].str() != b[i][k].str()) return false;
    }
    return true;
}

// Letter case folded as the tables fold it for lookups.
std::wstring folded(const Mx_String& text) {
    std::wstring out = text.str();
    for (wchar_t& c : out) c = Mx_String::foldCase(c);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzzsupport::ScratchFolder folder("cs_fuzz_section_table");
    static const bool made = [] {
        fs::create_directories(folder.path() / "prof");
        fs::create_directories(folder.path() / "copy");
        return true;
    }();
    (void)made;
    const fs::path file = folder.path() / "prof" / "HX.pr";
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    Mx_String name;
    Mx_Array<Mx_StringArray> rows;
    check(readFile(Mx_String(file.string()), name, rows));
    check(name.str() == L"HX");
    const Mx_String copy((folder.path() / "copy" / "HX.pr").string());
    if (writeFile(copy, rows)) {
        Mx_String againName;
        Mx_Array<Mx_StringArray> again;
        check(readFile(copy, againName, again) && sameRows(again, rows));
    }

    Mx_SectionTableManager tables(Mx_SectionTableManager::LibraryLoad::Never);
    Mx_String problems;
    check(tables.loadFolder(Mx_String((folder.path() / "prof").string() + "/"), &problems) == Acad::eOk);
    Mx_StringArray tableNames;
    tables.getTableNames(tableNames);
    check(tableNames.length() <= 1);
    check(tableNames.length() == 1 || !problems.isEmpty());
    for (const Mx_String& table : tableNames) {
        Mx_String picture;
        check(tables.getTablePicture(table, picture) == Acad::eOk);
        Mx_StringArray sections;
        check(tables.getSectionNames(table, sections) == Acad::eOk);
        for (const Mx_String& section : sections) {
            Mx_String systemName;
            check(tables.getSystemName(section, systemName) == Acad::eOk);
            check(folded(systemName) == folded(section));
            Mx_StringArray columns;
            check(tables.getSectionColumnNames(section, columns) == Acad::eOk);
            for (int field = 0; field <= columns.length(); ++field) {
                Mx_String text;
                double number = 0;
                tables.getSectionValue(section, field, text);
                tables.getSectionValue(section, field, number);
            }
            for (int language = 0; language < 6; ++language) {
                Mx_String display;
                if (tables.getDisplayName(section, language, display) == Acad::eOk &&
                    display.str().find_first_not_of(L" \t") != std::wstring::npos) {
                    // A display name finds a section (this one, or one listed before it that reads the same).
                    check(tables.getSystemName(display, systemName) == Acad::eOk);
                }
            }
        }
    }
    return 0;
}
