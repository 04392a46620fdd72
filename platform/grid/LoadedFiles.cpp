#include "platform/grid/LoadedFiles.h"

#include <string>
#include <unordered_map>

namespace grid {

namespace {

// Bounds the memory should a program load ever new files; the whole cache is dropped when full.
constexpr std::size_t kMaxEntries = 256;

std::unordered_map<std::string, std::shared_ptr<const LoadedFiles::Entry>>& entries() {
    static std::unordered_map<std::string, std::shared_ptr<const LoadedFiles::Entry>> kept;
    return kept;
}

}  // namespace

std::shared_ptr<const LoadedFiles::Entry> LoadedFiles::find(const std::filesystem::path& file,
                                                            const fsys::FileStamp& stamp) {
    auto& kept = entries();
    const auto found = kept.find(file.native());
    if (found == kept.end())
        return nullptr;
    if (found->second->stamp == stamp && stamp.settled())
        return found->second;
    kept.erase(found);
    return nullptr;
}

void LoadedFiles::keep(const std::filesystem::path& file, Entry entry) {
    if (!entry.content || entry.stamp.size > kMaxFileSize || !entry.stamp.settled())
        return;
    auto& kept = entries();
    if (kept.size() >= kMaxEntries)
        kept.clear();
    kept.insert_or_assign(file.native(), std::make_shared<const Entry>(std::move(entry)));
}

void LoadedFiles::clear() {
    entries().clear();
}

std::size_t LoadedFiles::size() {
    return entries().size();
}

}  // namespace grid
