#pragma once
// The host's growable value array. Indices are int; out-of-range access is the caller's fault, as in
// the host, but every mutating call checks its index and refuses quietly instead of corrupting memory.
#include <algorithm>
#include <vector>

template <typename T>
class AcArray {
public:
    AcArray() = default;
    explicit AcArray(int physicalLength) { items_.reserve(physicalLength > 0 ? physicalLength : 0); }

    int length() const { return static_cast<int>(items_.size()); }
    int logicalLength() const { return length(); }
    bool isEmpty() const { return items_.empty(); }

    T& operator[](int i) { return items_[static_cast<std::size_t>(i)]; }
    const T& operator[](int i) const { return items_[static_cast<std::size_t>(i)]; }
    T& at(int i) { return items_.at(static_cast<std::size_t>(i)); }
    const T& at(int i) const { return items_.at(static_cast<std::size_t>(i)); }
    T& first() { return items_.front(); }
    T& last() { return items_.back(); }

    int append(const T& value) {
        items_.push_back(value);
        return length() - 1;
    }
    AcArray& append(const AcArray& other) {
        items_.insert(items_.end(), other.items_.begin(), other.items_.end());
        return *this;
    }
    AcArray& insertAt(int index, const T& value) {
        if (index >= 0 && index <= length()) items_.insert(items_.begin() + index, value);
        return *this;
    }
    AcArray& removeAt(int index) {
        if (index >= 0 && index < length()) items_.erase(items_.begin() + index);
        return *this;
    }
    bool remove(const T& value) {
        int i = find(value);
        if (i < 0) return false;
        removeAt(i);
        return true;
    }
    AcArray& removeAll() {
        items_.clear();
        return *this;
    }
    AcArray& removeLast() {
        if (!items_.empty()) items_.pop_back();
        return *this;
    }
    int find(const T& value) const {
        auto it = std::find(items_.begin(), items_.end(), value);
        return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
    }
    bool find(const T& value, int& index) const {
        index = find(value);
        return index >= 0;
    }
    bool contains(const T& value) const { return find(value) >= 0; }
    AcArray& setLogicalLength(int n) {
        items_.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        return *this;
    }
    AcArray& swap(int i, int j) {
        if (i >= 0 && j >= 0 && i < length() && j < length()) std::swap(items_[i], items_[j]);
        return *this;
    }
    const T* asArrayPtr() const { return items_.data(); }
    T* asArrayPtr() { return items_.data(); }

    bool operator==(const AcArray&) const = default;

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<T> items_;
};
