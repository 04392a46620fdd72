#include "standards/VlDataFile.h"

#include <map>
#include <string>
#include <unordered_map>

#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/NumberFunctions.h"
#include "platform/mxbase/StringFunctions.h"
#include "platform/mxbase/TextFile.h"
#include "standards/VlFileLookup.h"

namespace {

template <class T>
struct CachedFile {
    fsys::FileStamp stamp;
    unsigned checkedInRun = 0;  // VlFileLookup::currentRun() when the stamp was last compared
    std::shared_ptr<const T> content;
};

std::map<std::wstring, CachedFile<VlDataFile::Rows>>& dataCache() {
    static std::map<std::wstring, CachedFile<VlDataFile::Rows>> cache;
    return cache;
}

std::map<std::wstring, CachedFile<VlDataFile::SizesFile>>& sizesCache() {
    static std::map<std::wstring, CachedFile<VlDataFile::SizesFile>> cache;
    return cache;
}

// Reads, parses and caches by path and stamp. A file changed less than two seconds ago may change
// again within the same clock tick without its stamp showing it: its parse is not trusted yet.
template <class T, class Parse>
std::shared_ptr<const T> cachedRead(std::map<std::wstring, CachedFile<T>>& cache, const Mx_String& path, Parse parse) {
    // Within one run a file is compared with the disk once: a sheet calls the same stock list in
    // several equations.
    const unsigned run = VlFileLookup::currentRun();
    auto found = cache.find(path.str());
    if (run != 0 && found != cache.end() && found->second.checkedInRun == run) return found->second.content;
    const auto resolved = fsys::resolve(path.view());
    const auto stamp = fsys::stamp(resolved);
    if (!stamp) return nullptr;
    if (found != cache.end() && found->second.stamp == *stamp && stamp->settled()) {
        found->second.checkedInRun = run;
        return found->second.content;
    }
    const auto bytes = fsys::readBytes(resolved, nullptr);
    if (!bytes) return nullptr;
    auto content = std::make_shared<const T>(parse(Mx_String(textfile::decode(*bytes))));
    cache[path.str()] = CachedFile<T>{*stamp, run, content};
    return content;
}

// Removes "/* ... */" comments (an unclosed one runs to the end of the text).
std::wstring removeBlockComments(const std::wstring& text) {
    std::wstring out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find(L"/*", pos);
        if (open == std::wstring::npos) {
            out.append(text, pos, std::wstring::npos);
            break;
        }
        out.append(text, pos, open - pos);
        const std::size_t close = text.find(L"*/", open + 2);
        if (close == std::wstring::npos) break;
        pos = close + 2;
    }
    return out;
}

// Calls `line` with every line of `text` (LF or CRLF ends), its "//" comment cut off; blank lines are
// left out. The lines are views of the text.
template <class Line>
void forEachLine(std::wstring_view text, Line line) {
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find(L'\n', start);
        const std::size_t next = end == std::wstring_view::npos ? text.size() : end + 1;
        if (end == std::wstring_view::npos) end = text.size();
        if (end > start && text[end - 1] == L'\r') --end;
        std::wstring_view content = text.substr(start, end - start);
        start = next;
        if (const std::size_t comment = content.find(L"//"); comment != std::wstring_view::npos)
            content = content.substr(0, comment);
        if (content.find_first_not_of(L" \t\r\n") != std::wstring_view::npos) line(content);
    }
}

}  // namespace

bool VlDataFile::find(const Mx_String& name, Mx_String& path, const Mx_String& sheet) {
    if (name.isEmpty()) return false;
    const Mx_String lib = gSettings.libDir();
    // Within one run the answer for a name stands (the lookup checks it once per run anyway); a sheet
    // names the same stock list in many equations, so the candidates are not even composed again.
    struct Found {
        unsigned run = 0;
        std::wstring lib;
        bool found = false;
        Mx_String path;
    };
    static std::unordered_map<std::wstring, Found> thisRun;
    const unsigned run = VlFileLookup::currentRun();
    if (run != 0) {
        const auto known = thisRun.find(name.str());
        if (known != thisRun.end() && known->second.run == run && known->second.lib == lib.str()) {
            if (known->second.found) path = known->second.path;
            return known->second.found;
        }
    }
    const Mx_String candidates[] = {
        name,
        lib + L"Connection Standards\\Data\\" + name,
        lib + L"Connection Standards\\" + name,
        lib + name,
    };
    Mx_String found;
    const bool exists = VlFileLookup::firstExisting(candidates, found);
    if (exists) {
        path = found;
        VlFileLookup::reportShadowed(candidates, found, "file", sheet);
    }
    if (run != 0) {
        if (thisRun.size() >= 1024) thisRun.clear();
        thisRun[name.str()] = Found{run, lib.str(), exists, found};
    }
    return exists;
}

VlDataFile::Rows VlDataFile::parseData(const Mx_String& text) {
    Rows rows;
    forEachLine(text.view(), [&rows](std::wstring_view line) {
        Mx_StringArray columns;
        for (;;) {
            const std::size_t tab = line.find(L'\t');
            columns.append(Mx_String(line.substr(0, tab)));
            if (tab == std::wstring_view::npos) break;
            line.remove_prefix(tab + 1);
        }
        rows.push_back(std::move(columns));
    });
    return rows;
}

VlDataFile::Sizes VlDataFile::parseSizes(const Mx_String& text) { return parseSizesFile(text).sizes; }

VlDataFile::SizesFile VlDataFile::parseSizesFile(const Mx_String& text) {
    // Views of the text throughout: a stock list is read at the first equation that names it, in the
    // middle of a run.
    SizesFile file;
    forEachLine(removeBlockComments(text.str()), [&file](std::wstring_view line) {
        // A line that does not read as numbers (a title, "180 x") is no size: taken as one it would
        // be a standard size of 0.
        const std::size_t x = line.find(L'x');
        double a = 0.0, b = 0.0;
        const bool numbers = x == std::wstring_view::npos
                                 ? parseNumber(line, a)
                                 : parseNumber(line.substr(0, x), a) && parseNumber(line.substr(x + 1), b);
        if (numbers)
            file.sizes.emplace_back(a, b);
        else
            file.skipped.push_back(stripSymbols(Mx_String(line), Mx_String(L" \t\r"), StripSide::Both));
    });
    return file;
}

std::shared_ptr<const VlDataFile::Rows> VlDataFile::readData(const Mx_String& path) {
    return cachedRead(dataCache(), path, parseData);
}

std::shared_ptr<const VlDataFile::SizesFile> VlDataFile::readSizes(const Mx_String& path) {
    return cachedRead(sizesCache(), path, parseSizesFile);
}

void VlDataFile::clearCache() {
    dataCache().clear();
    sizesCache().clear();
}
