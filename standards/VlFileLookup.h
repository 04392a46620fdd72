#pragma once
// Finding the files of a standards run: the sheet, its mapping file, child sheets, data and sizes
// files, each looked for in a list of places, first existing wins.
//
// The library is written on Windows, so a place that does not exist as written is searched ignoring
// letter case, folder by folder (fsys::resolve), which lists every folder on the way. A run asks the
// same questions every time (most of them answered "not here"), so the answers are kept and checked
// cheaply before they are used again: the file that was found must still be a file, and each folder
// that was searched in vain must still carry the modification time it had (adding, removing or
// renaming an entry changes a folder's time). A folder changed less than two seconds before the
// check cannot be trusted this way, since file system clocks are coarse: it is searched again.
#include <span>

#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/Mx_String.h"

class VlFileLookup {
public:
    // The first of `candidates` that names an existing file (not a folder), as given; false when none
    // does.
    static bool firstExisting(std::span<const Mx_String> candidates, Mx_String& found);
    // Whether `path` names an existing file (not a folder).
    static bool isFile(const Mx_String& path);

    // Forgets every answer.
    static void clearCache();

    // A lookup whose first place is the name as given finds a bare name (no folder) in the working
    // folder before the library's places. The order stays, but a stray file there silently shadows
    // the library's: when `found` is that first candidate and a later candidate names another
    // existing file, the run's report (when one collects) hears once per name which was used.
    // `what` says what was looked for ("sheet", "data file", "child sheet"); `sheet` is the sheet
    // being run, for the finding.
    static void reportShadowed(std::span<const Mx_String> candidates, const Mx_String& found, const char* what,
                               const Mx_String& sheet);

    // One standards run, its child runs included. Files do not come and go in the middle of a run,
    // so while a scope lives an answer checked once is used again without checking.
    class RunScope {
    public:
        RunScope();
        ~RunScope();
        RunScope(const RunScope&) = delete;
        RunScope& operator=(const RunScope&) = delete;

    private:
        fsys::StatScope stats_;  // the file system asked once per path
    };
    // A number for the run in progress (the outermost RunScope), 0 outside any run: other caches of
    // the run's files use it to check a file once per run.
    static unsigned currentRun();
};
