#pragma once
// Native grid files loaded before, kept so that loading an unchanged file again gives the sheet a
// copy of what it read the first time instead of reading and checking the text again. A standards
// run loads its sheet (and every child sheet) into a pooled grid on every run; this is most of what
// that load costs.
//
// An entry is used only while the file carries the stamp it had when it was read, and only a file
// whose stamp had settled (fsys::FileStamp::settled) is kept at all, so a file written again within
// one tick of the file system's clock is always read. Sheets with formulas and large files are never
// kept.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

#include "platform/grid/Sheet.h"
#include "platform/mxbase/FileSystem.h"

namespace grid {

class LoadedFiles {
public:
    // Files up to this size are kept.
    static constexpr std::int64_t kMaxFileSize = 256 * 1024;

    struct Entry {
        fsys::FileStamp stamp;
        std::shared_ptr<const SheetContent> content;
        RefStyle style = RefStyle::Legacy;
        std::vector<std::pair<std::int32_t, bool>> switches;  // the switches the file sets
    };

    // The entry of a file that still has this stamp, or null.
    static std::shared_ptr<const Entry> find(const std::filesystem::path& file, const fsys::FileStamp& stamp);
    // Keeps what was read from a file (ignored when the stamp is not settled or the file is large).
    static void keep(const std::filesystem::path& file, Entry entry);
    static void clear();
    static std::size_t size();
};

}  // namespace grid
