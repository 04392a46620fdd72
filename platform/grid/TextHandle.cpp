#include "platform/grid/TextHandle.h"

#include <algorithm>  // copy

namespace grid {

TextHandle TextHandle::make(std::wstring_view text) {
    TextHandle h;
    h.block_ = std::make_unique<wchar_t[]>(text.size() + 1);  // zeroed, so the block ends with 0
    std::copy(text.begin(), text.end(), h.block_.get());
    h.size_ = text.size();
    return h;
}

}  // namespace grid
