#pragma once
// The host's growable value array. Indices are int; out-of-range access is the caller's fault, as in
// the host, but every mutating call checks its index and refuses quietly instead of corrupting memory.
// Elements sit in a one-member slot so that AcArray<bool> holds real bools (std::vector<bool> would
// hand out proxies instead of references).
#include <cstddef>
#include <utility>
#include <vector>

template <typename T>
class AcArray {
public:
    AcArray() = default;
    explicit AcArray(int physicalLength) { items_.reserve(physicalLength > 0 ? physicalLength : 0); }

    int length() const { return static_cast<int>(items_.size()); }
    int logicalLength() const { return length(); }
    bool isEmpty() const { return items_.empty(); }

    T& operator[](int i) { return items_[static_cast<std::size_t>(i)].value; }
    const T& operator[](int i) const { return items_[static_cast<std::size_t>(i)].value; }
    T& at(int i) { return items_.at(static_cast<std::size_t>(i)).value; }
    const T& at(int i) const { return items_.at(static_cast<std::size_t>(i)).value; }
    T& first() { return items_.front().value; }
    T& last() { return items_.back().value; }

    int append(const T& value) {
        items_.push_back(Slot{value});
        return length() - 1;
    }
    AcArray& append(const AcArray& other) {
        items_.insert(items_.end(), other.items_.begin(), other.items_.end());
        return *this;
    }
    AcArray& insertAt(int index, const T& value) {
        if (index >= 0 && index <= length()) items_.insert(items_.begin() + index, Slot{value});
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
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (items_[i].value == value) return static_cast<int>(i);
        return -1;
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
        if (i >= 0 && j >= 0 && i < length() && j < length()) std::swap(items_[i].value, items_[j].value);
        return *this;
    }
    bool operator==(const AcArray&) const = default;

    // Iteration yields the elements themselves.
    template <typename Slots, typename Value>
    class Iterator {
    public:
        Iterator(Slots* slots, std::size_t i) : slots_(slots), i_(i) {}
        Value& operator*() const { return (*slots_)[i_].value; }
        Iterator& operator++() {
            ++i_;
            return *this;
        }
        bool operator==(const Iterator& other) const { return i_ == other.i_; }

    private:
        Slots* slots_;
        std::size_t i_;
    };

private:
    struct Slot {
        T value;
        bool operator==(const Slot&) const = default;
    };
    std::vector<Slot> items_;

public:
    auto begin() { return Iterator<std::vector<Slot>, T>(&items_, 0); }
    auto end() { return Iterator<std::vector<Slot>, T>(&items_, items_.size()); }
    auto begin() const { return Iterator<const std::vector<Slot>, const T>(&items_, 0); }
    auto end() const { return Iterator<const std::vector<Slot>, const T>(&items_, items_.size()); }
};
