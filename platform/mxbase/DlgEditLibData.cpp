#include "platform/mxbase/DlgEditLibData.h"

#include <algorithm>  // std::max

#include "platform/mxbase/MacroLangs.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/ObjectExportFiles.h"
#include "platform/mxbase/SectionTableFile.h"
#include "platform/mxbase/StringFunctions.h"

namespace {

Mx_StringArray sameInEveryLanguage(const Mx_String& name) {
    Mx_StringArray names;
    for (int i = 0; i < MacroLangs::GetAllLanguages().length(); ++i)
        names.append(name);
    return names;
}

template <class Entry>
int nextId(const Mx_Array<Entry>& entries) {
    int highest = 0;
    for (const Entry& entry : entries)
        highest = std::max(highest, entry.id);
    return highest + 1;
}

template <class Entry>
int indexOfEntry(const Mx_Array<Entry>& entries, int id) {
    for (int i = 0; i < entries.length(); ++i)
        if (entries[i].id == id)
            return i;
    return -1;
}

// Names read from a line: as many as there are languages, missing ones empty.
Mx_StringArray namesFrom(const Mx_StringArray& fields, int first) {
    Mx_StringArray names;
    const int languages = MacroLangs::GetAllLanguages().length();
    for (int i = 0; i < languages; ++i)
        names.append(fields.at(first + i));
    return names;
}

struct BuiltInType {
    int id;
    int group;
    const wchar_t* name;
    const wchar_t* dimensions;
};

}  // namespace

int SectionGroupArray::appendNewGrp(const Mx_String& name) {
    SectionGroup group;
    group.id = nextId(*this);
    group.names = sameInEveryLanguage(name);
    return append(group);
}

Mx_StringArray SectionGroupArray::namesOfAllGroups(int language) const {
    Mx_StringArray names;
    for (const SectionGroup& group : *this)
        names.append(group.names.at(language));
    return names;
}

int SectionGroupArray::indexOfId(int id) const {
    return indexOfEntry(*this, id);
}

int SectionTypeArray::appendNewType(const Mx_String& name) {
    SectionType type;
    type.id = nextId(*this);
    type.names = sameInEveryLanguage(name);
    return append(type);
}

int SectionTypeArray::indexOfId(int id) const {
    return indexOfEntry(*this, id);
}

Mx_String DlgEditLibData::filePath() {
    return gSettings.libDir() + L"prof\\SectionLibrary.txt";
}

DlgEditLibData DlgEditLibData::builtIn() {
    DlgEditLibData data;
    for (const wchar_t* name :
         {L"Rolled sections", L"Hollow sections", L"Plates and bars", L"Cold-formed sections"})
        data.groups.appendNewGrp(name);
    // The section types by the number the tables' pictures use; the names are those of their pictures.
    static const BuiltInType kTypes[] = {
        {1, 1, L"I", L"h;b;tw;tf;r"},
        {2, 1, L"CL", L"h;b;t;r"},
        {3, 1, L"HL", L"h;b;t;r"},
        {4, 1, L"CU", L"h;b;tw;tf;r"},
        {5, 1, L"T", L"h;b;tw;tf;r"},
        {6, 1, L"OI", L"h;b;tw;tf;r"},
        {7, 1, L"OU", L"h;b;tw;tf;r"},
        {8, 3, L"Rect", L"h;b"},
        {9, 3, L"Round", L"d"},
        {10, 2, L"RectTube", L"h;b;t;r"},
        {11, 2, L"RoundTube", L"d;t"},
        {12, 4, L"C", L"h;b;c;t"},
        {13, 4, L"Z", L"h;b;c;t"},
        {14, 4, L"V", L"h;b;t"},
        {15, 4, L"O", L"d;t"},
        {16, 2, L"Q", L"h;t"},
        {17, 1, L"CuttedI", L"h;b;tw;tf;r"},
        {18, 4, L"Sigma", L"h;b;c;t"},
        {19, 4, L"Sigma+", L"h;b;c;t"},
        {20, 4, L"Sigma Sleeve", L"h;b;t"},
        {21, 4, L"C+", L"h;b;c;t"},
        {22, 4, L"C Sleeve", L"h;b;t"},
        {23, 4, L"Single Cleat", L"h;b;t"},
        {24, 4, L"Double Cleat", L"h;b;t"},
    };
    for (const BuiltInType& builtIn : kTypes) {
        SectionType type;
        type.id = builtIn.id;
        type.groupId = builtIn.group;
        type.dimensions = builtIn.dimensions;
        type.names = sameInEveryLanguage(builtIn.name);
        data.types.append(type);
    }
    return data;
}

bool DlgEditLibData::load() {
    if (!ObjectExportFileExists(filePath())) {
        *this = builtIn();
        return true;
    }
    return load(filePath());
}

bool DlgEditLibData::load(const Mx_String& path) {
    Mx_String name;
    Mx_Array<Mx_StringArray> rows;
    if (!readFile(path, name, rows))
        return false;
    DlgEditLibData data;
    for (const Mx_StringArray& fields : rows) {
        int id = -1, groupId = -1;
        if (fields.at(0).str() == L"Group" && fields.at(1).toInt(id)) {
            SectionGroup group;
            group.id = id;
            group.enabled = fields.at(2).str() != L"0";
            group.picture = fields.at(3);
            group.names = namesFrom(fields, 4);
            data.groups.append(group);
        } else if (fields.at(0).str() == L"Type" && fields.at(1).toInt(id)) {
            SectionType type;
            type.id = id;
            type.groupId = fields.at(2).toInt(groupId) ? groupId : -1;
            type.enabled = fields.at(3).str() != L"0";
            type.picture = fields.at(4);
            type.dimensions = fields.at(5);
            type.names = namesFrom(fields, 6);
            data.types.append(type);
        }
    }
    *this = std::move(data);
    return true;
}

bool DlgEditLibData::save() const {
    return save(filePath());
}

bool DlgEditLibData::save(const Mx_String& path) const {
    Mx_Array<Mx_StringArray> rows;
    for (const SectionGroup& group : groups) {
        Mx_StringArray fields{Mx_String(L"Group"), Mx_String(group.id),
                              Mx_String(group.enabled ? L"1" : L"0"), group.picture};
        fields.append(group.names);
        rows.append(fields);
    }
    for (const SectionType& type : types) {
        Mx_StringArray fields{Mx_String(L"Type"),
                              Mx_String(type.id),
                              Mx_String(type.groupId),
                              Mx_String(type.enabled ? L"1" : L"0"),
                              type.picture,
                              type.dimensions};
        fields.append(type.names);
        rows.append(fields);
    }
    return writeFile(path, rows);
}

Mx_StringArray DlgEditLibData::dimensionNames(int typeId) const {
    Mx_StringArray names;
    const int index = types.indexOfId(typeId);
    if (index >= 0)
        splitStringAtSymbol(types[index].dimensions, L';', names, true);
    return names;
}

bool DlgEditLibData::operator==(const DlgEditLibData& other) const {
    return groups == other.groups && types == other.types;
}
