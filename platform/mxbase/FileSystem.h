#pragma once
// The one place where the product's paths meet the file system.
//
// The product composes paths with "\" ("Connection Standards\Data\") and its libraries are authored on
// Windows, where names are not case-sensitive. resolve() turns such a path into one that works here;
// every file access of the core goes through it, and nothing else splits or joins paths by hand.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fsys {

// Accepts "\" and "/" alike. When the path exists as written it is returned as written (separators
// normalised to "/"). Otherwise it is resolved component by component, each component matching a
// directory entry that differs only in letter case (the name as written first, then the case variants
// in byte order, so the choice never depends on directory order; a variant that leads nowhere is left
// for the next). Components that match nothing are kept as written, so the result also names a file
// about to be created in an existing, differently-cased folder. A trailing separator is kept.
std::filesystem::path resolve(std::wstring_view path);

// Names a folder that exists as written (the library root), so that resolve() takes it and its
// ancestors as they are written and matches letter case only below it: a path inside it never costs a
// listing of the folders above. Ignored unless the folder exists as written when it is named. Returns
// whether it was taken.
bool takeFolderAsWritten(const std::filesystem::path& folder);

// The path as the product's wide text (UTF-8 file names decoded; undecodable bytes become U+FFFD).
std::wstring toWide(const std::filesystem::path& path);
// A wide path as a native path (UTF-8), "\" turned into "/", without any case resolution.
std::filesystem::path fromWide(std::wstring_view path);

// The whole file as bytes. On failure returns nullopt and, when error is given, a sentence naming the
// file and the reason.
std::optional<std::string> readBytes(const std::filesystem::path& path, std::string* error);

// Replaces the file with bytes atomically: the bytes go to a temporary file in the same folder, are
// flushed to disk, and the temporary file is then renamed over the target. On any failure the old file
// is left as it was, the temporary file is removed, false is returned and error (when given) says why.
// An existing target keeps its permission bits. A target the user may not write (for root: one without
// its owner's write bit) is refused, as cp refuses it, although the folder would allow the rename.
bool writeAtomic(const std::filesystem::path& path, std::string_view bytes, std::string* error);
// The same with the bytes in pieces, written one after the other (no copy into one text).
bool writeAtomic(const std::filesystem::path& path, std::span<const std::string_view> pieces,
                 std::string* error);

// Copies a file (through writeAtomic, so a failed copy leaves the target as it was).
bool copyFile(const std::filesystem::path& from, const std::filesystem::path& to, std::string* error);

// Creates the folder and any missing parents. True when it exists afterwards.
bool createDirectories(const std::filesystem::path& path, std::string* error);

// Last-write time in nanoseconds since 1970-01-01 UTC (fine enough to order two writes within one
// second); nullopt when the file does not exist.
std::optional<std::int64_t> lastWriteTime(const std::filesystem::path& path);

// What tells one version of a file from another without reading it: which file it is, its size and
// its write and status-change times (nanoseconds since 1970). A write changes the times; a file put
// in its place by a rename is another file.
struct FileStamp {
    std::uint64_t device = 0, inode = 0;
    std::int64_t size = 0;
    std::int64_t writeTime = 0, changeTime = 0;
    bool operator==(const FileStamp&) const = default;
    // Whether both times are at least two seconds old. File system clocks are coarse: a file written
    // again within one tick keeps its times, so a stamp younger than this proves nothing.
    bool settled() const;
};
// The stamp of an existing regular file (links followed); nullopt otherwise.
std::optional<FileStamp> stamp(const std::filesystem::path& path);

// What a path names (links followed), and its stamp (for a folder too).
struct PathInfo {
    enum class Kind { None, File, Folder, Other };
    Kind kind = Kind::None;
    FileStamp stamp;
    bool exists() const { return kind != Kind::None; }
};
PathInfo pathInfo(const std::filesystem::path& path);
// How many times pathInfo asked the file system (not its memory), for tests and diagnostics.
std::uint64_t statCount();

// While a StatScope lives, what pathInfo, stamp, lastWriteTime, exists, isDirectory and resolve learn
// about a path (and the folders resolve lists) is kept and answered again from memory. For work that looks at
// the same files many times and during which they do not change (one standards run with its child runs).
// Scopes nest; the outermost one forgets. A write through writeAtomic, createDirectories or forget() forgets
// too. What was seen of a path the kernel watches for changes (FileWatch) is also kept from one scope to the
// next, until a change notice arrives: the next outermost scope then starts afresh.
class StatScope {
public:
    StatScope();
    ~StatScope();
    StatScope(const StatScope&) = delete;
    StatScope& operator=(const StatScope&) = delete;

    // Forgets what was learnt (after a change made outside writeAtomic and createDirectories).
    static void forget();
};

bool exists(const std::filesystem::path& path);
bool isDirectory(const std::filesystem::path& path);

// Letter-case folding used for matching names (ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic).
wchar_t foldCase(wchar_t c);
bool equalIgnoringCase(std::wstring_view a, std::wstring_view b);

}  // namespace fsys
