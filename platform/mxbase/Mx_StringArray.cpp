#include "platform/mxbase/Mx_StringArray.h"

#include <string>

#include "platform/arx/CommandLine.h"
#include "platform/mxbase/Mx_Array.h"

namespace mx_array_detail {

void reportInvalidIndex(const char* operation) {
    acutPrintf("*Error* Invalid index passed to %s.\n", operation);
}

}  // namespace mx_array_detail

const Mx_String& Mx_StringArray::at(int index) const {
    static const Mx_String empty;
    return isValidIndex(index) ? items_[static_cast<std::size_t>(index)] : empty;
}

int Mx_StringArray::append(const Mx_String& item) {
    items_.push_back(item);
    return length() - 1;
}

int Mx_StringArray::append(Mx_String&& item) {
    items_.push_back(std::move(item));
    return length() - 1;
}

Mx_StringArray& Mx_StringArray::append(const Mx_StringArray& other) {
    if (&other == this) {
        std::vector<Mx_String> copy(items_);
        items_.insert(items_.end(), copy.begin(), copy.end());
    } else {
        items_.insert(items_.end(), other.items_.begin(), other.items_.end());
    }
    return *this;
}

bool Mx_StringArray::insertAt(int index, const Mx_String& item) {
    if (index < 0 || index > length()) {
        mx_array_detail::reportInvalidIndex("insert");
        return false;
    }
    items_.insert(items_.begin() + index, item);
    return true;
}

bool Mx_StringArray::removeAt(int index) {
    if (!isValidIndex(index)) {
        mx_array_detail::reportInvalidIndex("remove");
        return false;
    }
    items_.erase(items_.begin() + index);
    return true;
}

bool Mx_StringArray::removeLast() {
    if (items_.empty())
        return false;
    items_.pop_back();
    return true;
}

int Mx_StringArray::indexOf(const Mx_String& item, bool caseSensitive) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].equal(item, caseSensitive))
            return static_cast<int>(i);
    }
    return -1;
}

bool Mx_StringArray::find(const Mx_String& item, int& index, bool caseSensitive) const {
    index = indexOf(item, caseSensitive);
    return index >= 0;
}

bool Mx_StringArray::contains(const Mx_String& item, bool caseSensitive) const {
    return indexOf(item, caseSensitive) >= 0;
}

bool Mx_StringArray::swap(int first, int second) {
    if (!isValidIndex(first) || !isValidIndex(second))
        return false;
    std::swap(items_[static_cast<std::size_t>(first)], items_[static_cast<std::size_t>(second)]);
    return true;
}

void Mx_StringArray::setLogicalLength(int length) {
    items_.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
}

void Mx_StringArray::reserve(int capacity) {
    if (capacity > 0)
        items_.reserve(static_cast<std::size_t>(capacity));
}
