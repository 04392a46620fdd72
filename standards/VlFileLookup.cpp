#include "standards/VlFileLookup.h"

#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/mxbase/FileSystem.h"
#include "standards/DisplayPath.h"
#include "standards/VlRunReport.h"

namespace {

namespace fs = std::filesystem;

// A folder whose listing an answer depends on, with the time it had then (nanoseconds; min when
// it could not be looked at).
struct FolderCheck {
    fs::path folder;
    std::int64_t time;
};

struct Answer {
    unsigned checkedInRun = 0;  // the run (RunScope) the answer was last checked in, 0 for none
    int found = -1;             // index of the candidate found, -1 for none
    fs::path file;              // the file found, as resolved
    std::vector<FolderCheck> folders;
};

// Bounds the cache should a program make up new candidate lists without end.
constexpr std::size_t kMaxAnswers = 4096;

int runDepth = 0;
unsigned runNumber = 0;

std::unordered_map<std::wstring, Answer>& answers() {
    static std::unordered_map<std::wstring, Answer> cache;
    return cache;
}

bool isRegularFile(const fs::path& path) {
    const fsys::PathInfo info = fsys::pathInfo(path);
    return info.exists() && info.kind != fsys::PathInfo::Kind::Folder;
}

// The folder to watch for a path that is not there: its nearest existing ancestor folder ("." for
// a relative path whose folders are all missing).
fs::path watchedFolder(const fs::path& missing) {
    fs::path folder = missing.parent_path();
    while (!folder.empty() && !fsys::isDirectory(folder)) folder = folder.parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

// The folder's time, when the folder can be looked at.
std::optional<std::int64_t> folderTime(const fs::path& folder) {
    const fsys::PathInfo info = fsys::pathInfo(folder);
    if (!info.exists()) return std::nullopt;
    return info.stamp.writeTime;
}

bool stillValid(const Answer& answer) {
    for (const FolderCheck& check : answer.folders) {
        const fsys::PathInfo info = fsys::pathInfo(check.folder);
        // A folder changed less than two seconds ago may change again within the same clock tick.
        if (!info.exists() || info.stamp.writeTime != check.time || !info.stamp.settled()) return false;
    }
    return answer.found < 0 || isRegularFile(answer.file);
}

Answer lookUp(std::span<const Mx_String> candidates) {
    Answer answer;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (candidates[i].isEmpty()) continue;
        const fs::path resolved = fsys::resolve(candidates[i].view());
        if (isRegularFile(resolved)) {
            answer.found = static_cast<int>(i);
            answer.file = resolved;
            return answer;
        }
        const fs::path folder = watchedFolder(resolved);
        // A folder that cannot be looked at makes the answer one to find again next time.
        answer.folders.push_back({folder, folderTime(folder).value_or(std::numeric_limits<std::int64_t>::min())});
    }
    return answer;
}

// NOTE: a relative candidate means something else in another working folder. The key does not say
// which (asking costs a system call per lookup); the answer watches "." instead, and the working
// folder of another place carries another modification time.
std::wstring keyOf(std::span<const Mx_String> candidates) {
    std::wstring key;
    for (const Mx_String& candidate : candidates) {
        key += candidate.str();
        key += L'\0';
    }
    return key;
}

}  // namespace

bool VlFileLookup::firstExisting(std::span<const Mx_String> candidates, Mx_String& found) {
    auto& cache = answers();
    const std::wstring key = keyOf(candidates);
    auto entry = cache.find(key);
    const bool checkedThisRun = runDepth > 0 && entry != cache.end() && entry->second.checkedInRun == runNumber;
    if (!checkedThisRun) {
        if (entry == cache.end() || !stillValid(entry->second)) {
            if (cache.size() >= kMaxAnswers) cache.clear();
            entry = cache.insert_or_assign(key, lookUp(candidates)).first;
        }
        entry->second.checkedInRun = runDepth > 0 ? runNumber : 0;
    }
    if (entry->second.found < 0) return false;
    found = candidates[static_cast<std::size_t>(entry->second.found)];
    return true;
}

bool VlFileLookup::isFile(const Mx_String& path) {
    Mx_String found;
    return firstExisting(std::span<const Mx_String>(&path, 1), found);
}

void VlFileLookup::clearCache() { answers().clear(); }

void VlFileLookup::reportShadowed(std::span<const Mx_String> candidates, const Mx_String& found, const char* what,
                                  const Mx_String& sheet) {
    if (candidates.size() < 2 || found.str() != candidates[0].str()) return;
    VlRunReport* report = VlRunReport::active();
    const Mx_String& name = candidates[0];
    if (!report || name.contains(L'\\') || name.contains(L'/')) return;
    const fsys::PathInfo used = fsys::pathInfo(fsys::resolve(name.view()));
    for (std::size_t i = 1; i < candidates.size(); ++i) {
        if (!isFile(candidates[i])) continue;
        // The working folder may be the library folder itself: the same file is no shadow.
        const fsys::PathInfo info = fsys::pathInfo(fsys::resolve(candidates[i].view()));
        if (info.stamp.device == used.stamp.device && info.stamp.inode == used.stamp.inode) continue;
        if (!report->firstTime(std::string("lookup:") + what + ":" + name.toUtf8())) return;
        std::error_code error;
        const fs::path absolute = fs::absolute(fsys::resolve(name.view()), error);
        const Mx_String usedPath = error ? name : Mx_String(fsys::toWide(absolute));
        const Mx_String text = Mx_String(L"The ") + Mx_String(what) + L" \"" + name + L"\" was taken from the working folder (" +
                               displayPath(usedPath) + L"); the library's " + displayPath(candidates[i]) +
                               L" has the same name and was not used.";
        VlRunFinding finding;
        finding.kind = "lookup";
        finding.severity = VlRunFinding::Severity::warning;
        finding.sheet = displayPath(sheet).toUtf8();
        finding.cause = text.toUtf8();
        finding.text = text.toUtf8();
        report->add(std::move(finding));
        return;
    }
}

unsigned VlFileLookup::currentRun() { return runDepth > 0 ? runNumber : 0; }

VlFileLookup::RunScope::RunScope() {
    // 0 stands for "not checked in a run", so the count skips it when it wraps.
    if (runDepth++ == 0 && ++runNumber == 0) runNumber = 1;
}

VlFileLookup::RunScope::~RunScope() { --runDepth; }
