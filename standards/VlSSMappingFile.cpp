// VlSSMapping: the mapping file (reading, writing, comparing with the stored lines).
#include <cstdint>
#include <string>
#include <unordered_map>

#include "platform/arx/AcArray.h"
#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/ObjectExportFiles.h"
#include "platform/mxbase/StringFunctions.h"
#include "standards/DisplayPath.h"
#include "standards/VlFileLookup.h"
#include "standards/VlRunReport.h"
#include "standards/VlSSMapping.h"

namespace {

// The key of a mapping line: the text before its first "=" (empty without one).
Mx_String keyOf(const Mx_String& line) {
    const int equals = line.findFirstFrom(L'=');
    return equals < 0 ? Mx_String() : line.getSubStringAt(0, equals);
}

bool isVersionLine(const Mx_String& line) {
    return line.contains(Mx_String(L"Mapping"), true) && line.contains(Mx_String(L"version"), true);
}

struct CachedLines {
    fsys::FileStamp stamp;
    Mx_StringArray lines;
};

constexpr std::size_t kMaxCachedFiles = 256;

// The mapping lines of a file: every line but a version line in front. False when it cannot be read.
// Every standards run reads its sheet's mapping file, so the lines are kept by path and stamp (a file
// written less than two seconds ago is read again, whatever its stamp says).
bool readMappingLines(const Mx_String& file, Mx_StringArray& lines) {
    static std::unordered_map<std::wstring, CachedLines> cache;
    const auto resolved = fsys::resolve(file.view());
    const std::optional<fsys::FileStamp> stamp = fsys::stamp(resolved);
    const std::wstring key = fsys::toWide(resolved);
    if (stamp) {
        const auto found = cache.find(key);
        if (found != cache.end() && found->second.stamp == *stamp && stamp->settled()) {
            lines = found->second.lines;
            return true;
        }
    }
    if (!ObjectExportReadFile(file, lines)) return false;
    if (!lines.isEmpty() && isVersionLine(lines[0])) lines.removeAt(0);
    if (stamp) {
        if (cache.size() >= kMaxCachedFiles) cache.clear();
        cache[key] = CachedLines{*stamp, lines};
    }
    return true;
}

int findKey(const Mx_StringArray& lines, const Mx_String& key) {
    for (int i = 0; i < lines.length(); ++i)
        if (keyOf(lines[i]).equal(key, true)) return i;
    return -1;
}

// Characters Windows does not allow in a file name. A variable name with one of them is never written.
bool hasFileNameForbidden(const Mx_String& text) {
    for (wchar_t c : text.view())
        if (c < 0x20 || Mx_String(L"\\/:*?\"<>|").contains(c)) return true;
    return false;
}

// Characters that give a mapping line its structure; a text carrying one would split wrongly on reading.
bool hasLineSyntax(const Mx_String& text) {
    for (wchar_t c : text.view())
        if (c == VlSSMapping::kLinkSeparator || c == VlSSMapping::kNameSeparator || c == L'\n' || c == L'\r')
            return true;
    return false;
}

}  // namespace

Mx_String VlSSMapping::mappingFileName(const Mx_String& sheet) {
    // Beside the sheet the run loads (VlCalcSS::loadFile): a name that is no file stands for the
    // library's "Connection Standards\" + name + ".vls", a bare name or one with folders below the
    // library ("Childs\MapChild") alike. Only a rooted path or one with an extension is taken as the
    // sheet's own path when it does not exist (yet).
    Mx_String path = sheet;
    const bool hasFolder = sheet.contains(L'\\') || sheet.contains(L'/');
    const std::wstring_view text = sheet.view();
    const bool rooted = (!text.empty() && (text[0] == L'\\' || text[0] == L'/')) ||
                        (text.size() > 1 && text[1] == L':');
    const bool namedAsFile = rooted || (hasFolder && !getFileName(sheet, true).equal(getFileName(sheet, false)));
    if (!namedAsFile && !VlFileLookup::isFile(sheet))
        path = gSettings.libDir() + L"Connection Standards\\" + sheet + L".vls";
    return changeExtension(path, Mx_String(L"map"));
}

Acad::ErrorStatus VlSSMapping::initMappingFromLine(const Mx_String& line) {
    // A run reads the same line of the same file every time: its links are parsed once. The parse
    // depends on the text alone.
    static std::unordered_map<std::wstring, Mx_Array<VlObjectMap>> parsed;
    if (const auto found = parsed.find(line.str()); found != parsed.end()) {
        mappedObjects_ = found->second;
        return Acad::eOk;
    }
    mappedObjects_.setLogicalLength(0);
    const int equals = line.findFirstFrom(L'=');
    if (equals < 0) return Acad::eInvalidInput;
    Mx_StringArray pieces;
    splitString(line.getSubStringAt(equals + 1), Mx_String(kLinkSeparator), pieces, true);
    for (const Mx_String& piece : pieces) {
        const int split = piece.findFirstFrom(kNameSeparator);
        if (split < 0) continue;
        VlObjectMap link;
        if (link.getMappingFromStrs(piece.getSubStringAt(0, split), piece.getSubStringAt(split + 1)) == Acad::eOk)
            mappedObjects_.append(link);
    }
    if (parsed.size() >= kMaxCachedFiles) parsed.clear();
    parsed.emplace(line.str(), mappedObjects_);
    return Acad::eOk;
}

Acad::ErrorStatus VlSSMapping::getMappingFromFile(Mx_String sheet, const Mx_String& key) {
    Mx_StringArray lines;
    const Mx_String file = mappingFileName(sheet);
    // The causes are for the run's report: the run itself goes on without a mapping.
    if (!readMappingLines(file, lines)) {
        vlNoteCause("mapping file \"" + displayPath(file).toUtf8() + "\" " +
                    (ObjectExportFileExists(file) ? "cannot be read" : "not found"));
        return Acad::eInvalidInput;
    }
    if (lines.isEmpty()) return Acad::eOk;
    const int index = findKey(lines, key);
    if (index < 0) {
        vlNoteCause(key.isEmpty() ? "no target to look up in mapping file \"" + displayPath(file).toUtf8() + "\""
                                  : "key \"" + key.toUtf8() + "\" not in mapping file \"" + displayPath(file).toUtf8() + "\"");
        return Acad::eInvalidInput;
    }
    return initMappingFromLine(lines[index]);
}

Acad::ErrorStatus VlSSMapping::setMappingToFile(Mx_String sheet, Mx_String& key) {
    // A key with "=" or a line break could never be found again: refuse it rather than write a line
    // that reads back as another target's.
    if (key.contains(L'=') || hasLineSyntax(key)) return Acad::eInvalidInput;

    Mx_StringArray names, mapStrings;
    for (VlObjectMap& link : mappedObjects_) {
        Mx_String mapString, name;
        if (link.setMappingToStrs(mapString, name) != Acad::eOk) continue;
        names.append(name);
        mapStrings.append(mapString);
    }
    AcArray<int> duplicates;
    getDuplicates(names, duplicates, false);
    Mx_StringArray pairs;
    for (int i = 0; i < names.length(); ++i) {
        if (duplicates.contains(i)) continue;
        if (hasFileNameForbidden(names[i]) || hasLineSyntax(names[i]) || hasLineSyntax(mapStrings[i])) continue;
        pairs.append(names[i] + Mx_String(kNameSeparator) + mapStrings[i]);
    }

    const Mx_String file = mappingFileName(sheet);
    Mx_StringArray lines;
    // A file that is there but cannot be read must not be replaced by one holding only this line.
    if (!readMappingLines(file, lines) && ObjectExportFileExists(file)) return Acad::eInvalidInput;

    const int index = findKey(lines, key);
    if (index >= 0) {
        VlSSMapping stored;
        // Equal both ways: a link removed since the line was stored must be removed from the file too.
        if (stored.initMappingFromLine(lines[index]) == Acad::eOk && isEqual(stored) && stored.isEqual(*this))
            return Acad::eOk;
        // Every line of the key goes, so that the new one is the one found on reading.
        for (int i = lines.length() - 1; i >= 0; --i)
            if (keyOf(lines[i]).equal(key, true)) lines.removeAt(i);
    }
    lines.append(key + L"=" + arrToStr(pairs, Mx_String(kLinkSeparator)));
    lines.insertAt(0, Mx_String(kVersionLine));
    return ObjectExportWriteFile(file, lines) ? Acad::eOk : Acad::eInvalidInput;
}

bool VlSSMapping::hasSameMapping(const Mx_String& sheet, Mx_String& key) {
    Mx_StringArray lines;
    if (!readMappingLines(mappingFileName(sheet), lines)) return false;
    for (const Mx_String& line : lines) {
        VlSSMapping stored;
        if (stored.initMappingFromLine(line) != Acad::eOk) continue;
        if (isEqual(stored)) {
            key = keyOf(line);
            return true;
        }
    }
    return false;
}
