#pragma once
// A block of wide text handed between the grid and a custom function: the producer makes it, the
// reader takes it and frees it. Where the legacy component used a movable global memory block, this
// is a move-only owner, so a reader that forgets to free cannot leak and a block is never freed twice.
#include <cstddef>
#include <memory>
#include <string_view>

namespace grid {

class TextHandle {
public:
    TextHandle() = default;
    static TextHandle make(std::wstring_view text);

    explicit operator bool() const { return static_cast<bool>(block_); }
    // The text (without the terminating zero); empty when there is no block.
    std::wstring_view view() const { return block_ ? std::wstring_view(block_.get(), size_) : std::wstring_view(); }
    // Frees the block now; reading afterwards gives an empty text.
    void free() {
        block_.reset();
        size_ = 0;
    }

private:
    std::unique_ptr<wchar_t[]> block_;
    std::size_t size_ = 0;
};

}  // namespace grid
