#include "platform/grid/Dependencies.h"

#include <algorithm>  // find

#include "platform/grid/Formula.h"
#include "platform/grid/Sheet.h"

namespace grid {
namespace {

// A range covering more buckets than this is kept in one list that every lookup scans, rather
// than in hundreds of thousands of buckets.
constexpr std::int64_t kMaxBuckets = 4096;

bool clampToLimits(CellRange& r) {
    if (r.col2 < 1 || r.row2 < 1 || r.col1 > kColLimit || r.row1 > kRowLimit) return false;
    r.col1 = std::max(r.col1, 1);
    r.row1 = std::max(r.row1, 1);
    r.col2 = std::min(r.col2, kColLimit);
    r.row2 = std::min(r.row2, kRowLimit);
    return true;
}

template <class Visit>
void forEachReference(const Formula& f, std::int32_t col, std::int32_t row, Visit&& visit) {
    for (const Instr& in : f.code) {
        if (in.op == OpCode::PushCell || in.op == OpCode::PushCellRef || in.op == OpCode::PushRange) {
            CellRange r = resolveRange(in, in.op == OpCode::PushRange, col, row);
            if (clampToLimits(r)) visit(r);
        }
    }
}

}  // namespace

void Dependencies::add(const Formula& f, std::int32_t col, std::int32_t row) {
    std::uint64_t self = key(col, row);
    forEachReference(f, col, row, [&](const CellRange& r) {
        if (r.isSingleCell()) {
            Readers& readers = cells_[key(r.col1, r.row1)];
            if (readers.inlined[0] == self || readers.inlined[1] == self) return;
            if (std::find(readers.more.begin(), readers.more.end(), self) != readers.more.end()) return;
            if (!readers.inlined[0]) readers.inlined[0] = self;
            else if (!readers.inlined[1]) readers.inlined[1] = self;
            else readers.more.push_back(self);
        } else {
            addRange(r, self);
        }
    });
}

void Dependencies::remove(const Formula& f, std::int32_t col, std::int32_t row) {
    std::uint64_t self = key(col, row);
    forEachReference(f, col, row, [&](const CellRange& r) {
        if (r.isSingleCell()) {
            auto it = cells_.find(key(r.col1, r.row1));
            if (it == cells_.end()) return;
            Readers& readers = it->second;
            if (readers.inlined[0] == self) readers.inlined[0] = 0;
            else if (readers.inlined[1] == self) readers.inlined[1] = 0;
            else if (auto pos = std::find(readers.more.begin(), readers.more.end(), self); pos != readers.more.end()) {
                *pos = readers.more.back();
                readers.more.pop_back();
            }
            if (readers.empty()) cells_.erase(it);
        } else {
            removeRange(r, self);
        }
    });
}

void Dependencies::clear() {
    cells_.clear();
    ranges_.clear();
    freeRanges_.clear();
    buckets_.clear();
    liveRanges_ = 0;
}

void Dependencies::addRange(const CellRange& range, std::uint64_t dependent) {
    std::uint32_t index;
    if (!freeRanges_.empty()) {
        index = freeRanges_.back();
        freeRanges_.pop_back();
    } else {
        index = static_cast<std::uint32_t>(ranges_.size());
        ranges_.emplace_back();
    }
    ranges_[index] = {range, dependent, true};
    ++liveRanges_;
    std::int64_t blocks = (std::int64_t{range.row2 >> 8} - (range.row1 >> 8) + 1) * range.columns();
    if (blocks > kMaxBuckets) {
        buckets_[kWideBucket].push_back(index);
        return;
    }
    for (std::int32_t c = range.col1; c <= range.col2; ++c)
        for (std::int32_t b = range.row1 >> 8; b <= range.row2 >> 8; ++b) buckets_[key(c, b)].push_back(index);
}

void Dependencies::removeRange(const CellRange& range, std::uint64_t dependent) {
    // Find the entry through the bucket of its first cell (or the wide list), then unlink it from
    // every bucket it was filed in.
    std::int64_t blocks = (std::int64_t{range.row2 >> 8} - (range.row1 >> 8) + 1) * range.columns();
    bool wide = blocks > kMaxBuckets;
    auto firstBucket = buckets_.find(wide ? kWideBucket : bucketKey(range.col1, range.row1));
    if (firstBucket == buckets_.end()) return;
    std::uint32_t index = 0;
    bool found = false;
    for (std::uint32_t i : firstBucket->second) {
        const RangeEntry& e = ranges_[i];
        if (e.live && e.dependent == dependent && e.range == range) {
            index = i;
            found = true;
            break;
        }
    }
    if (!found) return;
    auto unlink = [&](std::uint64_t bucket) {
        auto it = buckets_.find(bucket);
        if (it == buckets_.end()) return;
        auto& list = it->second;
        if (auto pos = std::find(list.begin(), list.end(), index); pos != list.end()) {
            *pos = list.back();
            list.pop_back();
        }
        if (list.empty()) buckets_.erase(it);
    };
    if (wide) {
        unlink(kWideBucket);
    } else {
        for (std::int32_t c = range.col1; c <= range.col2; ++c)
            for (std::int32_t b = range.row1 >> 8; b <= range.row2 >> 8; ++b) unlink(key(c, b));
    }
    ranges_[index].live = false;
    freeRanges_.push_back(index);
    --liveRanges_;
}

}  // namespace grid
