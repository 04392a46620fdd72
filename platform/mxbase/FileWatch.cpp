#include "platform/mxbase/FileWatch.h"

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace fsys {
namespace fs = std::filesystem;

namespace {

// What a change to a watched folder or file sends: content, attributes (times, links), entries
// added, removed or renamed, the watched thing itself removed or moved.
constexpr std::uint32_t kMask = IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE | IN_DELETE_SELF |
                                IN_MODIFY | IN_MOVE_SELF | IN_MOVED_FROM | IN_MOVED_TO;
// Bounds what one process asks of the kernel's (per user) supply of watches.
constexpr std::size_t kMaxWatches = 1024;

// File systems whose changes all pass through this kernel (statfs f_type).
bool isLocal(long type) {
    switch (static_cast<unsigned long>(type)) {
        case 0xEF53:      // ext2/3/4
        case 0x58465342:  // xfs
        case 0x9123683E:  // btrfs
        case 0x01021994:  // tmpfs
        case 0x794C7630:  // overlayfs
        case 0xF2F52010:  // f2fs
        case 0x2FC12FC1:  // zfs
        case 0x3153464A:  // jfs
        case 0x52654973:  // reiserfs
            return true;
        default:
            return false;
    }
}

class Watcher {
public:
    Watcher() : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}
    ~Watcher() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;

    bool available() const { return fd_ >= 0; }

    bool watch(const fs::path& path) {
        if (fd_ < 0 || path.empty() || path.is_relative())
            return false;
        // The path itself (when it exists) and each folder up to the root.
        for (fs::path at = path.lexically_normal();; at = at.parent_path()) {
            if (!watchOne(at))
                return false;
            if (!at.has_relative_path())
                return true;  // the root
        }
    }

    bool changed() {
        if (fd_ < 0)
            return true;
        alignas(inotify_event) char buffer[4096];
        bool any = false;
        for (;;) {
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n > 0) {
                any = true;
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            break;  // EAGAIN: the queue is empty
        }
        if (any)
            forgetWatches();
        return any;
    }

private:
    bool watchOne(const fs::path& path) {
        const std::string& key = path.native();
        if (watched_.count(key))
            return true;
        if (watched_.size() >= kMaxWatches)
            return false;
        // A link on the way is not followed: a change above its target (a folder renamed there)
        // would send no notice to anything watched here.
        struct stat entry {};
        if (::lstat(path.c_str(), &entry) != 0) {
            // A missing path is covered by its folder's watch (its creation is an entry added).
            return errno == ENOENT || errno == ENOTDIR;
        }
        if (S_ISLNK(entry.st_mode))
            return false;
        struct statfs system {};
        if (::statfs(path.c_str(), &system) != 0)
            return false;
        if (!isLocal(system.f_type))
            return false;
        const int wd = ::inotify_add_watch(fd_, path.c_str(), kMask);
        if (wd < 0)
            return false;
        watched_.insert(key);
        descriptors_.insert(wd);
        return true;
    }

    // After a change the watches may name other things (a folder renamed, removed and made again);
    // they are set again as paths are looked at.
    void forgetWatches() {
        for (int wd : descriptors_)
            ::inotify_rm_watch(fd_, wd);
        descriptors_.clear();
        watched_.clear();
        // Removing the watches queues notices of their own: they say nothing new.
        alignas(inotify_event) char buffer[4096];
        while (::read(fd_, buffer, sizeof buffer) > 0) {
        }
    }

    int fd_;
    std::unordered_set<std::string> watched_;
    std::unordered_set<int> descriptors_;
};

Watcher& watcher() {
    static Watcher instance;
    return instance;
}

bool disabled = false;

}  // namespace

bool FileWatch::watch(const fs::path& path) {
    return !disabled && watcher().watch(path);
}

bool FileWatch::changedSinceLastCheck() {
    return disabled || watcher().changed();
}

bool FileWatch::available() {
    return !disabled && watcher().available();
}

void FileWatch::disable() {
    disabled = true;
}

}  // namespace fsys
