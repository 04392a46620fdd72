#pragma once
// Knowing that nothing changed without asking for every file: the kernel's file change notices
// (inotify) on a file and on every folder above it. While no notice has arrived since a file was
// looked at, what was seen then still holds, so work that looks at the same files again and again
// (a standards run after run) asks the queue once instead of each file.
//
// Only local file systems are trusted this way: a change made on another machine to a network
// share sends no notice here. Relative paths are never watched (they depend on the working folder),
// nor paths through a symbolic link (a change above the link's target would send no notice).
// Where notices cannot be had (no inotify, too many watches) nothing is trusted and callers look at
// the files themselves, as they would without this.
#include <filesystem>

namespace fsys {

class FileWatch {
public:
    // Watches `path` (which may be missing) and every folder above it. True when a change to any of
    // them, or to an entry in any of those folders, will arrive as a notice.
    static bool watch(const std::filesystem::path& path);
    // Whether anything changed since the last call (or notices were lost): reads what is queued.
    // Forgets every watch when something changed, so that a removed folder's watch is not relied on.
    static bool changedSinceLastCheck();
    // Whether notices can be had at all in this process.
    static bool available();
    // For a process that looks at each file once or keeps one StatScope for all its work (a single
    // command run): watching would cost a kernel call per folder and buy nothing. From then on nothing
    // is watched nor trusted, as where notices cannot be had.
    static void disable();
};

}  // namespace fsys
