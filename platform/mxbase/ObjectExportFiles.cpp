#include "platform/mxbase/ObjectExportFiles.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/arx/Utf8.h"
#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/TextFile.h"

namespace fs = std::filesystem;

namespace {

bool isSeparator(wchar_t c) { return c == L'/' || c == L'\\'; }

// Windows-style wildcard match ignoring case: "*" any run (also empty), "?" exactly one character.
// Iterative with one backtrack point, so a pattern of many stars stays linear in practice.
bool matches(std::wstring_view pattern, std::wstring_view name) {
    if (pattern == L"*.*") pattern = L"*";
    std::size_t p = 0, n = 0;
    std::size_t starP = std::wstring_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == L'?' || fsys::foldCase(pattern[p]) == fsys::foldCase(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::wstring_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

struct Found {
    std::wstring relative;  // below the searched folder, joined with the caller's separator
    std::wstring key;       // folded, for sorting
};

bool lessByKey(const Found& a, const Found& b) { return a.key != b.key ? a.key < b.key : a.relative < b.relative; }

bool findFiles(const Mx_String& folder, const Mx_String& pattern, bool recursive, Mx_StringArray& files) {
    fs::path root = fsys::resolve(folder.view());
    if (!fsys::isDirectory(root)) return false;

    std::wstring prefix = folder.str();
    wchar_t separator = L'\\';
    for (wchar_t c : prefix) {
        if (isSeparator(c)) separator = c;
    }
    if (!prefix.empty() && !isSeparator(prefix.back())) prefix += separator;

    std::vector<Found> found;
    auto consider = [&](const fs::directory_entry& entry) {
        std::error_code ec;
        if (!entry.is_regular_file(ec)) return;
        std::wstring name = fsys::toWide(entry.path().filename());
        if (!matches(pattern.view(), name)) return;
        std::wstring relative;
        // The listing joins the folder and the names below it: taking the folder off again is lexical
        // (fs::relative would resolve every component of both paths, a system call each).
        for (const fs::path& part : entry.path().lexically_relative(root)) {
            if (!relative.empty()) relative += separator;
            relative += fsys::toWide(part);
        }
        std::wstring key = relative;
        for (wchar_t& c : key) c = fsys::foldCase(c);
        found.push_back({std::move(relative), std::move(key)});
    };

    std::error_code ec;
    if (recursive) {
        fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec);
        if (ec) return false;
        for (; it != fs::recursive_directory_iterator(); it.increment(ec)) {
            if (ec) break;
            consider(*it);
        }
    } else {
        fs::directory_iterator it(root, ec);
        if (ec) return false;
        for (; it != fs::directory_iterator(); it.increment(ec)) {
            if (ec) break;
            consider(*it);
        }
    }
    std::sort(found.begin(), found.end(), lessByKey);
    for (const Found& f : found) files.append(Mx_String(prefix + f.relative));
    return true;
}

}  // namespace

bool ObjectExportReadFile(const Mx_String& fileName, Mx_StringArray& lines) {
    lines.removeAll();
    std::optional<std::string> bytes = fsys::readBytes(fsys::resolve(fileName.view()), nullptr);
    if (!bytes) return false;
    for (std::wstring& line : textfile::splitLines(textfile::decode(*bytes))) lines.append(Mx_String(std::move(line)));
    return true;
}

bool ObjectExportWriteFile(const Mx_String& fileName, const Mx_StringArray& lines) {
    std::string bytes;
    for (const Mx_String& line : lines) {
        bytes += utf8::encode(line.view());
        bytes += '\n';
    }
    return fsys::writeAtomic(fsys::resolve(fileName.view()), bytes, nullptr);
}

bool ObjectExportFindFiles(const Mx_String& folder, const Mx_String& pattern, Mx_StringArray& files) {
    return findFiles(folder, pattern, false, files);
}

bool ObjectExportFindFilesRecursive(const Mx_String& folder, const Mx_String& pattern, Mx_StringArray& files) {
    return findFiles(folder, pattern, true, files);
}

bool ObjectExportCreateDirectory(const Mx_String& folder) {
    return fsys::createDirectories(fsys::resolve(folder.view()), nullptr);
}

bool ObjectExportGetFileTime(const Mx_String& fileName, std::int64_t& time) {
    std::optional<std::int64_t> found = fsys::lastWriteTime(fsys::resolve(fileName.view()));
    if (!found) return false;
    time = *found;
    return true;
}

bool ObjectExportCopyFile(const Mx_String& from, const Mx_String& to, bool overwrite) {
    fs::path target = fsys::resolve(to.view());
    if (!overwrite && fsys::exists(target)) return false;
    return fsys::copyFile(fsys::resolve(from.view()), target, nullptr);
}

bool ObjectExportFileExists(const Mx_String& fileName) {
    fs::path path = fsys::resolve(fileName.view());
    return fsys::exists(path) && !fsys::isDirectory(path);
}

bool ObjectExportDeleteFile(const Mx_String& fileName) {
    fs::path path = fsys::resolve(fileName.view());
    if (fsys::isDirectory(path)) return false;
    std::error_code ec;
    const bool removed = fs::remove(path, ec);
    fsys::StatScope::forget();
    return removed;
}
