#include "platform/mxbase/FileSystem.h"

#include <dirent.h>    // opendir, readdir
#include <fcntl.h>     // open
#include <sys/stat.h>  // fstat, fchmod
#include <sys/uio.h>   // writev
#include <unistd.h>    // write, fsync, close, getpid, geteuid, access

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>  // IOV_MAX
#include <cstring>  // strerror
#include <system_error>
#include <unordered_map>

#include "platform/arx/Utf8.h"
#include "platform/mxbase/FileWatch.h"

namespace fsys {
namespace fs = std::filesystem;

namespace {

int statScopes = 0;

std::unordered_map<std::string, PathInfo>& statMemo() {
    static std::unordered_map<std::string, PathInfo> memo;
    return memo;
}

std::uint64_t stats = 0;

PathInfo statPath(const fs::path& path) {
    ++stats;
    struct stat info {};
    PathInfo result;
    if (::stat(path.c_str(), &info) != 0)
        return result;
    result.kind = S_ISREG(info.st_mode)   ? PathInfo::Kind::File
                  : S_ISDIR(info.st_mode) ? PathInfo::Kind::Folder
                                          : PathInfo::Kind::Other;
    FileStamp& stamp = result.stamp;
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    stamp.size = static_cast<std::int64_t>(info.st_size);
    stamp.writeTime = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    stamp.changeTime = static_cast<std::int64_t>(info.st_ctim.tv_sec) * 1'000'000'000 + info.st_ctim.tv_nsec;
    return result;
}

}  // namespace

namespace {

// What was seen of watched paths (FileWatch): it holds from one scope to the next while no change
// notice arrives.
std::unordered_map<std::string, PathInfo>& trustedMemo() {
    static std::unordered_map<std::string, PathInfo> memo;
    return memo;
}
constexpr std::size_t kMaxTrusted = 4096;

std::unordered_map<std::wstring, fs::path>& resolveMemo() {
    static std::unordered_map<std::wstring, fs::path> memo;
    return memo;
}

// The names in the folders resolve listed, by folder.
std::unordered_map<std::string, std::vector<std::string>>& listingMemo() {
    static std::unordered_map<std::string, std::vector<std::string>> memo;
    return memo;
}

}  // namespace

PathInfo pathInfo(const fs::path& path) {
    if (statScopes == 0)
        return statPath(path);
    auto& memo = statMemo();
    const auto found = memo.find(path.native());
    if (found != memo.end())
        return found->second;
    PathInfo info;
    auto& trusted = trustedMemo();
    if (const auto known = trusted.find(path.native()); known != trusted.end()) {
        info = known->second;
    } else {
        // Watched before it is looked at: a change after the look is sure to send a notice.
        const bool watched = FileWatch::watch(path);
        info = statPath(path);
        if (watched) {
            if (trusted.size() >= kMaxTrusted)
                trusted.clear();
            trusted.emplace(path.native(), info);
        }
    }
    memo.emplace(path.native(), info);
    return info;
}

std::uint64_t statCount() {
    return stats;
}

StatScope::StatScope() {
    if (statScopes++ == 0 && FileWatch::changedSinceLastCheck())
        trustedMemo().clear();
}

void StatScope::forget() {
    statMemo().clear();
    resolveMemo().clear();
    listingMemo().clear();
    trustedMemo().clear();
}

StatScope::~StatScope() {
    if (--statScopes == 0) {
        statMemo().clear();
        resolveMemo().clear();
        listingMemo().clear();
    }
}

std::optional<FileStamp> stamp(const fs::path& path) {
    const PathInfo info = pathInfo(path);
    if (info.kind != PathInfo::Kind::File)
        return std::nullopt;
    return info.stamp;
}

namespace {

std::string describe(const char* what, const fs::path& path, int error) {
    return std::string(what) + " \"" + path.string() + "\": " + std::strerror(error);
}

void setError(std::string* error, std::string text) {
    if (error)
        *error = std::move(text);
}

// Splits a "/"-normalised path into its components; empty components (doubled separators) are dropped.
std::vector<std::string> components(std::string_view path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > start)
            parts.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// The entries of folder, other than name itself, whose names equal name ignoring case, in byte order so
// the choice never depends on directory order. Names of another length cannot match (the folding keeps
// lengths), so most entries are passed over without decoding them.
// The names in a folder ("." and ".." left out). Within a StatScope a folder is listed once: a run
// looks for several missing names in the same few folders (the working folder, the library's).
const std::vector<std::string>& folderNames(const fs::path& folder, std::vector<std::string>& unkept) {
    std::unordered_map<std::string, std::vector<std::string>>* memo =
        statScopes > 0 ? &listingMemo() : nullptr;
    if (memo != nullptr) {
        if (const auto found = memo->find(folder.native()); found != memo->end())
            return found->second;
    }
    std::vector<std::string> names;
    // readdir rather than a directory_iterator: this runs on every lookup of a file that is not there,
    // and building a path object per entry cost more than the rest of the lookup.
    if (DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str())) {
        while (const dirent* entry = ::readdir(listing)) {
            const std::string_view base(entry->d_name);
            if (base != "." && base != "..")
                names.emplace_back(base);
        }
        ::closedir(listing);
    }
    if (memo == nullptr) {
        unkept = std::move(names);
        return unkept;
    }
    return memo->emplace(folder.native(), std::move(names)).first->second;
}

std::vector<std::string> caseVariants(const fs::path& folder, const std::string& name) {
    std::vector<std::string> variants;
    std::vector<std::string> unkept;
    const std::vector<std::string>& names = folderNames(folder, unkept);
    const bool asciiName = std::all_of(name.begin(), name.end(), [](char c) { return (c & 0x80) == 0; });
    const std::wstring wanted = utf8::decode(name);
    for (const std::string& entry : names) {
        const std::string_view base(entry);
        if (base == name)
            continue;
        // Folding keeps ASCII within ASCII, so an ASCII name only matches a name of its own length.
        if (asciiName && base.size() != name.size())
            continue;
        if (equalIgnoringCase(utf8::decode(base), wanted))
            variants.emplace_back(base);
    }
    std::sort(variants.begin(), variants.end());
    return variants;
}

struct Match {
    fs::path path;        // the resolved leading components
    std::size_t matched;  // how many components that is
};

// Resolves parts[index...] below folder, trying every case variant of a component until one leads to
// a full match ("Data" and "data" side by side: the file may be in either). Without a full match the
// deepest partial one wins, the earlier candidate on a tie. budget bounds the search for folders
// full of case variants.
Match resolveFrom(const fs::path& folder, const std::vector<std::string>& parts, std::size_t index,
                  int& budget) {
    if (index == parts.size())
        return {folder, index};
    const std::string& part = parts[index];
    if (part == "." || part == "..")
        return resolveFrom(folder / part, parts, index + 1, budget);
    Match best{folder, index};
    // The name as written first: when it leads to a full match the folder is never listed.
    const fs::path written = folder / part;
    if (pathInfo(written).exists()) {
        Match match = resolveFrom(written, parts, index + 1, budget);
        if (match.matched == parts.size())
            return match;
        if (match.matched > best.matched)
            best = std::move(match);
        if (--budget <= 0)
            return best;
    }
    for (const std::string& entry : caseVariants(folder, part)) {
        Match match = resolveFrom(folder / entry, parts, index + 1, budget);
        if (match.matched == parts.size())
            return match;
        if (match.matched > best.matched)
            best = std::move(match);
        if (--budget <= 0)
            break;
    }
    return best;
}

}  // namespace

wchar_t foldCase(wchar_t c) {
    auto cp = static_cast<std::uint32_t>(c);
    if (cp < 0x80)
        return (cp >= 'A' && cp <= 'Z') ? static_cast<wchar_t>(cp + 32) : c;
    if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)
        return static_cast<wchar_t>(cp + 32);
    if (cp >= 0x100 && cp <= 0x137)
        return static_cast<wchar_t>(cp | 1);  // pairs: even upper, odd lower
    if (cp >= 0x139 && cp <= 0x148)
        return static_cast<wchar_t>(cp + (cp % 2));  // odd upper
    if (cp >= 0x14A && cp <= 0x177)
        return static_cast<wchar_t>(cp | 1);
    if (cp == 0x178)
        return 0xFF;
    if (cp >= 0x179 && cp <= 0x17E)
        return static_cast<wchar_t>(cp + (cp % 2));
    if (cp >= 0x391 && cp <= 0x3AB && cp != 0x3A2)
        return static_cast<wchar_t>(cp + 32);  // Greek
    if (cp >= 0x410 && cp <= 0x42F)
        return static_cast<wchar_t>(cp + 32);  // Cyrillic
    if (cp >= 0x400 && cp <= 0x40F)
        return static_cast<wchar_t>(cp + 80);
    return c;
}

bool equalIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldCase(a[i]) != foldCase(b[i]))
            return false;
    }
    return true;
}

std::wstring toWide(const fs::path& path) {
    return utf8::decode(path.native());
}

fs::path fromWide(std::wstring_view path) {
    std::string bytes;
    if (std::all_of(path.begin(), path.end(), [](wchar_t c) { return c < 0x80; })) {
        bytes.resize(path.size());
        std::transform(path.begin(), path.end(), bytes.begin(),
                       [](wchar_t c) { return c == L'\\' ? '/' : static_cast<char>(c); });
    } else {
        bytes = utf8::encode(path);
        for (char& c : bytes) {
            if (c == '\\')
                c = '/';
        }
    }
    return fs::path(std::move(bytes));
}

static fs::path resolveUncached(std::wstring_view path);

fs::path resolve(std::wstring_view path) {
    // Within a StatScope the answer depends only on the text: what it looks at is kept anyway.
    if (statScopes == 0)
        return resolveUncached(path);
    auto& memo = resolveMemo();
    const std::wstring key(path);
    if (const auto found = memo.find(key); found != memo.end())
        return found->second;
    fs::path resolved = resolveUncached(path);
    memo.emplace(key, resolved);
    return resolved;
}

namespace {

// Absolute folders without a trailing separator; few (the library roots a process has used).
std::vector<std::string>& foldersAsWritten() {
    static std::vector<std::string> folders;
    return folders;
}
constexpr std::size_t kMaxFoldersAsWritten = 16;

// The longest folder taken as written that contains the absolute path text, or an empty view.
std::string_view folderAsWrittenAbove(std::string_view text) {
    std::string_view longest;
    for (const std::string& folder : foldersAsWritten()) {
        if (folder.size() > longest.size() && text.size() > folder.size() && text.starts_with(folder) &&
            text[folder.size()] == '/')
            longest = folder;
    }
    return longest;
}

}  // namespace

bool takeFolderAsWritten(const fs::path& folder) {
    std::string text = folder.native();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    if (text.size() < 2 || text.front() != '/')
        return false;
    auto& folders = foldersAsWritten();
    if (std::find(folders.begin(), folders.end(), text) != folders.end())
        return true;
    if (!isDirectory(fs::path(text)))
        return false;
    if (folders.size() >= kMaxFoldersAsWritten)
        folders.erase(folders.begin());
    folders.push_back(std::move(text));
    return true;
}

static fs::path resolveUncached(std::wstring_view path) {
    fs::path written = fromWide(path);
    const std::string& text = written.native();
    if (text.empty() || fsys::exists(written))
        return written;

    const bool absolute = text.front() == '/';
    const bool trailing = text.back() == '/';
    const std::string_view known = absolute ? folderAsWrittenAbove(text) : std::string_view();
    std::vector<std::string> parts = components(std::string_view(text).substr(known.size()));
    int budget = 64;
    const fs::path start = !known.empty() ? fs::path(known) : absolute ? fs::path("/") : fs::path();
    Match match = resolveFrom(start, parts, 0, budget);
    fs::path result = std::move(match.path);
    for (std::size_t i = match.matched; i < parts.size(); ++i)
        result /= parts[i];  // kept as written
    if (trailing && !result.empty() && result.native().back() != '/')
        result += "/";
    return result;
}

std::optional<std::string> readBytes(const fs::path& path, std::string* error) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        setError(error, describe("cannot open", path, errno));
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        setError(error, describe("cannot read", path, EISDIR));
        return std::nullopt;
    }
    // Read into the text itself. A regular file that gave all the bytes its size says it has, in a read
    // asked for one more, is read: its end need not be confirmed by a second call. Anything else (a
    // pipe, a file of /proc that says it is empty, a file that grew) is read to the end.
    const bool sized = S_ISREG(info.st_mode) && info.st_size > 0;
    const std::size_t expected = sized ? static_cast<std::size_t>(info.st_size) : 0;
    std::size_t chunk = sized ? expected + 1 : 65536;
    std::string bytes;
    std::size_t size = 0;
    for (;;) {
        bytes.resize(size + chunk);
        ssize_t n = ::read(fd, bytes.data() + size, chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int saved = errno;
            ::close(fd);
            setError(error, describe("cannot read", path, saved));
            return std::nullopt;
        }
        size += static_cast<std::size_t>(n);
        if (n == 0 || (sized && size == expected && static_cast<std::size_t>(n) < chunk))
            break;
        chunk = 65536;
    }
    bytes.resize(size);
    ::close(fd);
    return bytes;
}

bool writeAtomic(const fs::path& path, std::string_view bytes, std::string* error) {
    return writeAtomic(path, std::span<const std::string_view>(&bytes, 1), error);
}

bool writeAtomic(const fs::path& path, std::span<const std::string_view> pieces, std::string* error) {
    // What was learnt about this file and its folder is out of date after the write.
    StatScope::forget();
    std::error_code ec;
    // Writing through a symbolic link replaces the file it points at, not the link.
    fs::path target = fs::is_symlink(path, ec) ? fs::weakly_canonical(path, ec) : path;
    if (ec)
        target = path;
    if (target.filename().empty()) {
        setError(error, "cannot write \"" + path.string() + "\": not a file name");
        return false;
    }
    fs::path folder = target.parent_path();

    // The rename below would replace a file the user may not write, since only the folder's write
    // permission counts for it: refuse as cp does. Root may write any file, but a file without its
    // owner's write bit is read-only (as on Windows, where the library comes from, even for an
    // administrator), so for root that bit decides.
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        const bool writable =
            ::geteuid() == 0 ? (existing.st_mode & S_IWUSR) != 0 : ::access(target.c_str(), W_OK) == 0;
        if (!writable) {
            setError(error, describe("cannot write", target, EACCES));
            return false;
        }
    }

    // A name no one else uses: the process id and a counter, retried while it exists already.
    static std::atomic<unsigned> counter{0};
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder / ("." + target.filename().string() + ".tmp" + std::to_string(::getpid()) + "-" +
                         std::to_string(counter++));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        setError(error, describe("cannot create a temporary file for", target, errno));
        return false;
    }

    auto fail = [&](const char* what, int saved) {
        ::close(fd);
        ::unlink(temp.c_str());
        setError(error, describe(what, target, saved));
        return false;
    };

    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);

    // The pieces go out in as few calls as the system takes: many at a time, a piece cut short by a
    // partial write resumed where it stopped.
    std::vector<iovec> vectors;
    vectors.reserve(std::min<std::size_t>(pieces.size(), IOV_MAX));
    std::size_t next = 0;     // the first piece not yet given to a call
    std::size_t written = 0;  // bytes of pieces[next] already written
    while (next < pieces.size()) {
        vectors.clear();
        for (std::size_t i = next; i < pieces.size() && vectors.size() < IOV_MAX; ++i) {
            const std::size_t skip = i == next ? written : 0;
            if (pieces[i].size() > skip)
                vectors.push_back({const_cast<char*>(pieces[i].data() + skip), pieces[i].size() - skip});
        }
        if (vectors.empty())
            break;
        const ssize_t n = ::writev(fd, vectors.data(), static_cast<int>(vectors.size()));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail("cannot write", errno);
        }
        // Past the pieces the call took whole, into the one it cut.
        std::size_t left = static_cast<std::size_t>(n);
        while (next < pieces.size() && left >= pieces[next].size() - written) {
            left -= pieces[next].size() - written;
            written = 0;
            ++next;
        }
        written += left;
    }
    if (::fsync(fd) != 0)
        return fail("cannot flush", errno);
    if (::close(fd) != 0) {
        int saved = errno;
        ::unlink(temp.c_str());
        setError(error, describe("cannot write", target, saved));
        return false;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        int saved = errno;
        ::unlink(temp.c_str());
        setError(error, describe("cannot replace", target, saved));
        return false;
    }
    return true;
}

bool copyFile(const fs::path& from, const fs::path& to, std::string* error) {
    std::optional<std::string> bytes = readBytes(from, error);
    if (!bytes)
        return false;
    return writeAtomic(to, *bytes, error);
}

bool createDirectories(const fs::path& path, std::string* error) {
    StatScope::forget();
    std::error_code ec;
    fs::create_directories(path, ec);
    if (fs::is_directory(path, ec))
        return true;
    setError(error, describe("cannot create the folder", path, ec ? ec.value() : ENOTDIR));
    return false;
}

std::optional<std::int64_t> lastWriteTime(const fs::path& path) {
    const PathInfo info = pathInfo(path);
    if (!info.exists())
        return std::nullopt;
    return info.stamp.writeTime;
}

bool FileStamp::settled() const {
    constexpr std::int64_t kSettle = 2'000'000'000;
    const std::int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                 std::chrono::system_clock::now().time_since_epoch())
                                 .count();
    return now - writeTime >= kSettle && now - changeTime >= kSettle;
}

bool exists(const fs::path& path) {
    return pathInfo(path).exists();
}

bool isDirectory(const fs::path& path) {
    return pathInfo(path).kind == PathInfo::Kind::Folder;
}

}  // namespace fsys
