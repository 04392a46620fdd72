#pragma once
// The core's section library data, as the library dialog edits it: the section groups and the section
// types, each with an id, an enabled flag, a picture and a name in every user language
// (MacroLangs::GetAllLanguages); a type also names its group (by id, -1 for none) and its dimensions
// ("h;b;tw;tf;r"), which become the value headers of tables of that shape.
//
// Stored in the library folder, "prof\SectionLibrary.txt", in the core's table file layout
// (SectionTableFile.h), one entry a line:
//     Group <id> <enabled 1/0> <picture> <name per language>...
//     Type <id> <group id> <enabled 1/0> <picture> <dimensions> <name per language>...
// Other lines are skipped. A library without the file has the built-in groups and types.
#include "platform/mxbase/Mx_Array.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

struct SectionGroup {
    int id = -1;
    bool enabled = true;
    Mx_String picture;
    Mx_StringArray names;  // one per language
    bool operator==(const SectionGroup&) const = default;
};

struct SectionType {
    int id = -1;
    int groupId = -1;
    bool enabled = true;
    Mx_String picture;
    Mx_String dimensions;  // value names joined by ";"
    Mx_StringArray names;
    bool operator==(const SectionType&) const = default;
};

class SectionGroupArray : public Mx_Array<SectionGroup> {
public:
    // Appends a group with a new id (one above the highest) named `name` in every language; its index.
    int appendNewGrp(const Mx_String& name);
    // The groups' names in language `language` (from 0), in order.
    Mx_StringArray namesOfAllGroups(int language) const;
    int indexOfId(int id) const;
};

class SectionTypeArray : public Mx_Array<SectionType> {
public:
    int appendNewType(const Mx_String& name);
    int indexOfId(int id) const;
};

class DlgEditLibData {
public:
    SectionGroupArray groups;
    SectionTypeArray types;

    // gSettings.libDir() + "prof\SectionLibrary.txt".
    static Mx_String filePath();
    // The built-in groups and types.
    static DlgEditLibData builtIn();
    // Reads the library's file; without one, the built-in data. False (data unchanged) when the file
    // exists but cannot be read.
    bool load();
    bool load(const Mx_String& path);
    // Replaces the file atomically.
    bool save() const;
    bool save(const Mx_String& path) const;

    // The dimension names of section type `typeId`; empty for an unknown type.
    Mx_StringArray dimensionNames(int typeId) const;

    bool operator==(const DlgEditLibData& other) const;
};
