#pragma once
// The section tables of the library: one table per section family ("IPE", "HEB"), each listing the
// sizes of the family with their display names in the user languages and their dimension values.
// The rest of the product asks it for a section's system name ("IPE-200") and for its values.
//
// Tables come from the library's "prof\" folder (each "*.pr" file read the first time a lookup needs
// its table: "IPE-200" reads "IPE.pr" alone, a display name every file) or are registered by the program
// (Mx_ProfValuesTable::setToGlobals); a registered table wins over a file of the same name. Every table is
// parsed once and indexed, so lookups are hash lookups.
//
// Names: a section is known by its system name, the table name, "-" and the size's system name
// ("IPE-200"), and by its display name in each language ("IPE 200", "IPB 200"). Lookups ignore letter
// case and blanks around the name; a system name wins over a display name that reads the same, and
// among equal display names the table that comes first wins: the library's files in name order, then
// the tables the program registers, in the order it registers them. Table names drop a ".pr" ending, so
// "IPE" and "IPE.pr" are the same table. See docs/section-tables.md.
//
// Values: field 0 is the first value column after the language names; SECTIONSIZE(section, n) reads
// field n - 1, so SECTIONSIZE("IPE-200", 1) is the first value (h).
//
// Failures: eKeyNotFound for an unknown section or table, eInvalidIndex for a field the row does not
// have, eInvalidInput for bad arguments or a value that is not a number.
#include <memory>
#include <vector>

#include "platform/arx/AcadStatus.h"
#include "platform/mxbase/Mx_Array.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class Mx_SectionTableManager {
public:
    enum class LibraryLoad {
        OnFirstUse,  // read the library's "prof\" folder before the first lookup
        Never,       // only tables added by the program (tests, tools)
    };

    explicit Mx_SectionTableManager(LibraryLoad load = LibraryLoad::OnFirstUse);
    ~Mx_SectionTableManager();
    Mx_SectionTableManager(const Mx_SectionTableManager&) = delete;
    Mx_SectionTableManager& operator=(const Mx_SectionTableManager&) = delete;

    // Reads every "*.pr" file of `folder` and adds the tables not present yet. A file that cannot be
    // read is skipped and named in `problems` (one line each). eFileNotFound when the folder cannot be
    // listed.
    Acad::ErrorStatus loadFolder(const Mx_String& folder, Mx_String* problems = nullptr);
    // Forgets every table; with LibraryLoad::OnFirstUse the library is read again on the next lookup.
    void reset();

    // Adds a table under `key` (".pr" dropped), replacing a table of that name. `headers` and every row
    // are laid out as "SysName", the language names, the value names; a table that still has its
    // "I/O" flag column (header 1) is accepted too and the column is dropped. There are four
    // languages, or five when the header after the fourth is "Korean".
    Acad::ErrorStatus addSectionTable(const Mx_String& key, const Mx_String& picture,
                                      const Mx_StringArray& headers, const Mx_Array<Mx_StringArray>& rows);
    bool hasTable(const Mx_String& name) const;
    Acad::ErrorStatus removeTable(const Mx_String& name);
    Acad::ErrorStatus getTableNames(Mx_StringArray& names) const;
    // The picture of a table's section shape.
    Acad::ErrorStatus getTablePicture(const Mx_String& table, Mx_String& picture) const;
    // The system names of a table's sizes, in table order.
    Acad::ErrorStatus getSectionNames(const Mx_String& table, Mx_StringArray& names) const;

    // The system name of a section given by system name or display name in any language.
    Acad::ErrorStatus getSystemName(const Mx_String& name, Mx_String& systemName) const;
    // The section's display name in language `language` (0 = the first language column).
    Acad::ErrorStatus getDisplayName(const Mx_String& section, int language, Mx_String& name) const;
    // The value names of the section's table ("h", "b", "tw", ...).
    Acad::ErrorStatus getSectionColumnNames(const Mx_String& section, Mx_StringArray& names) const;
    // Value `field` (from 0) of the section, as text or as a number.
    Acad::ErrorStatus getSectionValue(const Mx_String& section, int field, Mx_String& value) const;
    Acad::ErrorStatus getSectionValue(const Mx_String& section, int field, double& value) const;

private:
    struct Impl;

    std::unique_ptr<Impl> impl_;
};

// The core's section tables, read from gSettings.libDir() + "prof\".
extern Mx_SectionTableManager gSectionTableManager;
