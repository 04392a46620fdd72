#pragma once
// Who reads whom: for every cell, the formula cells that read it directly, and for ranges an index
// of 256-row buckets, so that a change finds its dependents without looking at every formula.
// Coordinates are the sheet's (1-based); cells are keyed as (col << 32 | row).
#include <cstdint>
#include <initializer_list>
#include <unordered_map>
#include <vector>

#include "platform/grid/CellRange.h"

namespace grid {

class Formula;

class Dependencies {
public:
    static std::uint64_t key(std::int32_t col, std::int32_t row) {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(col)) << 32) | static_cast<std::uint32_t>(row);
    }
    static std::int32_t colOf(std::uint64_t k) { return static_cast<std::int32_t>(k >> 32); }
    static std::int32_t rowOf(std::uint64_t k) { return static_cast<std::int32_t>(k & 0xFFFFFFFFu); }

    // Records (or forgets) what the formula at (col, row) reads. Parts outside the sheet's largest
    // possible extent are not recorded: they compute #REF! whatever happens.
    void add(const Formula& f, std::int32_t col, std::int32_t row);
    void remove(const Formula& f, std::int32_t col, std::int32_t row);
    void clear();

    // Calls visit(dependentKey) for every formula cell that reads (col, row) directly.
    template <class Visit>
    void forEachDependent(std::int32_t col, std::int32_t row, Visit&& visit) const {
        if (auto it = cells_.find(key(col, row)); it != cells_.end()) {
            const Readers& readers = it->second;
            for (std::uint64_t d : readers.inlined)
                if (d) visit(d);
            for (std::uint64_t d : readers.more) visit(d);
        }
        if (ranges_.empty()) return;
        for (std::uint64_t bucket : {bucketKey(col, row), kWideBucket})
            if (auto it = buckets_.find(bucket); it != buckets_.end())
                for (std::uint32_t index : it->second) {
                    const RangeEntry& e = ranges_[index];
                    if (e.live && e.range.contains(col, row)) visit(e.dependent);
                }
    }
    bool empty() const { return cells_.empty() && liveRanges_ == 0; }

private:
    static constexpr std::uint64_t kWideBucket = ~std::uint64_t{0};  // ranges too large for buckets
    static std::uint64_t bucketKey(std::int32_t col, std::int32_t row) { return key(col, row >> 8); }
    void addRange(const CellRange& range, std::uint64_t dependent);
    void removeRange(const CellRange& range, std::uint64_t dependent);

    struct RangeEntry {
        CellRange range;
        std::uint64_t dependent = 0;
        bool live = false;
    };
    // The formula cells reading one cell. Most cells are read by one or two formulas, so those
    // need no allocation beyond the map's node. Key 0 is no cell (columns start at 1).
    struct Readers {
        std::uint64_t inlined[2] = {0, 0};
        std::vector<std::uint64_t> more;
        bool empty() const { return !inlined[0] && !inlined[1] && more.empty(); }
    };
    std::unordered_map<std::uint64_t, Readers> cells_;
    std::vector<RangeEntry> ranges_;
    std::vector<std::uint32_t> freeRanges_;
    std::size_t liveRanges_ = 0;
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> buckets_;
};

}  // namespace grid
