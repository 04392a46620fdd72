#include "standards/VlMappingStore.h"

#include "platform/mxbase/ObjectExportFiles.h"
#include "platform/mxbase/StringFunctions.h"

bool VlMappingStore::sameLinks(const VlSSMapping& a, const VlSSMapping& b) {
    return a.isEqual(b) && b.isEqual(a);
}

Mx_StringArray VlMappingStore::fileKeys(const Mx_String& sheet) {
    Mx_StringArray lines, keys;
    if (!ObjectExportReadFile(VlSSMapping::mappingFileName(sheet), lines))
        return keys;
    for (const Mx_String& line : lines) {
        const int equals = line.findFirstFrom(L'=');
        keys.append(equals < 0 ? Mx_String() : line.getSubStringAt(0, equals));
    }
    return keys;
}

bool VlMappingStore::drawFreshKey(const Mx_String& sheet, const Mx_StringArray& taken, Mx_String& key) {
    Mx_StringArray keys = fileKeys(sheet);
    keys.append(taken);
    for (int draw = 0; draw < kMaxKeyDraws; ++draw) {
        const Mx_String candidate = generateRandomString(kKeyLength, true);
        int found = -1;
        if (!keys.find(candidate, found, true)) {
            key = candidate;
            return true;
        }
    }
    return false;
}

Mx_String VlMappingStore::candidateText(const VlObjectMap& link) {
    Mx_String text = link.groupName;
    if (!link.objectName.isEmpty()) {
        text += L".";
        text += link.objectName;
    }
    if (link.kind != VlObjectMap::kDistance && link.kind != VlObjectMap::kMemberSectionSize) {
        if (const wchar_t* keyword = VlObjectMap::kindKeyword(link.kind)) {
            text += L".";
            text += keyword;
        }
    }
    text += link.extra;
    return text;
}

const wchar_t* VlMappingStore::typeText(VlValueType type) {
    switch (type) {
        case kVlInteger:
            return L"Getal";
        case kVlDouble:
            return L"Decim";
        default:
            return L"Tekst";
    }
}
