#pragma once
// The core library's array of heap-allocated objects. The array owns its elements: it holds T*,
// deletes them when they are removed or when the array dies, and copying the array copies every
// element. Indexing hands out T&, so callers rarely see the pointers; append(T*) and detachAt() pass
// ownership in and out.
//
// As with Mx_StringArray, a mutating call with an index outside the array changes nothing and prints
// the host's error line ("*Error* Invalid index passed to remove.\n" for removeAt).
#include <algorithm>  // std::stable_sort
#include <concepts>   // std::equality_comparable, std::default_initializable
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

namespace mx_array_detail {
// Prints "*Error* Invalid index passed to <operation>.\n" on the host command line.
void reportInvalidIndex(const char* operation);
}  // namespace mx_array_detail

template <typename T>
class Mx_Array {
public:
    Mx_Array() = default;
    Mx_Array(const Mx_Array& other) { copyFrom(other); }
    Mx_Array& operator=(const Mx_Array& other) {
        if (this != &other) {
            Mx_Array copy(other);
            items_.swap(copy.items_);
        }
        return *this;
    }
    Mx_Array(Mx_Array&&) noexcept = default;
    Mx_Array& operator=(Mx_Array&&) noexcept = default;
    ~Mx_Array() = default;

    int length() const { return static_cast<int>(items_.size()); }
    int logicalLength() const { return length(); }
    bool isEmpty() const { return items_.empty(); }
    bool isValidIndex(int index) const { return index >= 0 && index < length(); }

    T& operator[](int index) { return *items_[static_cast<std::size_t>(index)]; }
    const T& operator[](int index) const { return *items_[static_cast<std::size_t>(index)]; }
    // The element's pointer (still owned by the array), or nullptr outside the array.
    T* at(int index) { return isValidIndex(index) ? items_[static_cast<std::size_t>(index)].get() : nullptr; }
    const T* at(int index) const {
        return isValidIndex(index) ? items_[static_cast<std::size_t>(index)].get() : nullptr;
    }
    T& first() { return *items_.front(); }
    T& last() { return *items_.back(); }
    const T& first() const { return *items_.front(); }
    const T& last() const { return *items_.back(); }

    // Takes ownership of `item` and returns its index; a null pointer is refused (-1).
    int append(T* item) {
        if (item == nullptr)
            return -1;
        items_.emplace_back(item);
        return length() - 1;
    }
    int append(std::unique_ptr<T> item) { return append(item.release()); }
    // Appends a heap copy of `item`.
    int append(const T& item) { return append(new T(item)); }
    int append(T&& item) { return append(new T(std::move(item))); }
    Mx_Array& append(const Mx_Array& other) {
        if (&other == this) {
            Mx_Array copy(other);
            return append(copy);
        }
        items_.reserve(items_.size() + other.items_.size());
        for (const auto& item : other.items_)
            items_.emplace_back(new T(*item));
        return *this;
    }

    // Inserts before `index` (0..length()) and takes ownership. Outside that range the item is
    // deleted, the error line is printed and the result is false, so ownership always passes.
    bool insertAt(int index, T* item) {
        std::unique_ptr<T> owned(item);
        if (owned == nullptr)
            return false;
        if (index < 0 || index > length()) {
            mx_array_detail::reportInvalidIndex("insert");
            return false;
        }
        items_.insert(items_.begin() + index, std::move(owned));
        return true;
    }
    bool insertAt(int index, const T& item) {
        if (index < 0 || index > length()) {
            mx_array_detail::reportInvalidIndex("insert");
            return false;
        }
        return insertAt(index, new T(item));
    }

    // Deletes the element at `index`; see the header comment for an index outside the array.
    bool removeAt(int index) {
        if (!isValidIndex(index)) {
            mx_array_detail::reportInvalidIndex("remove");
            return false;
        }
        items_.erase(items_.begin() + index);
        return true;
    }
    bool removeLast() {
        if (items_.empty())
            return false;
        items_.pop_back();
        return true;
    }
    void removeAll() { items_.clear(); }
    // Removes the element at `index` from the array without deleting it; the caller owns it.
    // nullptr outside the array.
    T* detachAt(int index) {
        if (!isValidIndex(index))
            return nullptr;
        T* item = items_[static_cast<std::size_t>(index)].release();
        items_.erase(items_.begin() + index);
        return item;
    }
    // Replaces the element at `index`, deleting the old one; takes ownership of `item` either way.
    bool setAt(int index, T* item) {
        std::unique_ptr<T> owned(item);
        if (owned == nullptr || !isValidIndex(index))
            return false;
        items_[static_cast<std::size_t>(index)] = std::move(owned);
        return true;
    }

    bool swap(int first, int second) {
        if (!isValidIndex(first) || !isValidIndex(second))
            return false;
        std::swap(items_[static_cast<std::size_t>(first)], items_[static_cast<std::size_t>(second)]);
        return true;
    }
    // Shrinks (deleting the elements cut off), or grows with default-constructed elements.
    void setLogicalLength(int length) requires std::default_initializable<T> {
        std::size_t wanted = length > 0 ? static_cast<std::size_t>(length) : 0;
        if (wanted < items_.size()) {
            items_.resize(wanted);
            return;
        }
        items_.reserve(wanted);
        while (items_.size() < wanted)
            items_.emplace_back(new T());
    }
    void reserve(int capacity) {
        if (capacity > 0)
            items_.reserve(static_cast<std::size_t>(capacity));
    }

    // Sorts by `less(const T&, const T&)`, stable, moving only the pointers.
    template <typename Less>
    void sort(Less less) {
        std::stable_sort(
            items_.begin(), items_.end(),
            [&](const std::unique_ptr<T>& a, const std::unique_ptr<T>& b) { return less(*a, *b); });
    }

    // Position of the first element equal to `value`, or -1.
    int indexOf(const T& value) const requires std::equality_comparable<T> {
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (*items_[i] == value)
                return static_cast<int>(i);
        }
        return -1;
    }
    bool find(const T& value, int& index) const requires std::equality_comparable<T> {
        index = indexOf(value);
        return index >= 0;
    }
    bool contains(const T& value) const requires std::equality_comparable<T> { return indexOf(value) >= 0; }

    bool operator==(const Mx_Array& other) const requires std::equality_comparable<T> {
        if (items_.size() != other.items_.size())
            return false;
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (!(*items_[i] == *other.items_[i]))
                return false;
        }
        return true;
    }

    // Iteration yields T&, not the pointers.
    template <typename Element, typename Base>
    class Iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = Element*;
        using reference = Element&;

        Iterator() = default;
        explicit Iterator(Base base) : base_(base) {}
        reference operator*() const { return **base_; }
        pointer operator->() const { return base_->get(); }
        Iterator& operator++() {
            ++base_;
            return *this;
        }
        Iterator operator++(int) {
            Iterator old = *this;
            ++base_;
            return old;
        }
        Iterator& operator--() {
            --base_;
            return *this;
        }
        Iterator operator--(int) {
            Iterator old = *this;
            --base_;
            return old;
        }
        Iterator& operator+=(difference_type n) {
            base_ += n;
            return *this;
        }
        Iterator& operator-=(difference_type n) {
            base_ -= n;
            return *this;
        }
        friend Iterator operator+(difference_type n, const Iterator& it) { return it + n; }
        Iterator operator+(difference_type n) const { return Iterator(base_ + n); }
        Iterator operator-(difference_type n) const { return Iterator(base_ - n); }
        difference_type operator-(const Iterator& other) const { return base_ - other.base_; }
        reference operator[](difference_type n) const { return *base_[n]; }
        bool operator==(const Iterator& other) const { return base_ == other.base_; }
        auto operator<=>(const Iterator& other) const { return base_ <=> other.base_; }

    private:
        Base base_{};
    };
    using iterator = Iterator<T, typename std::vector<std::unique_ptr<T>>::iterator>;
    using const_iterator = Iterator<const T, typename std::vector<std::unique_ptr<T>>::const_iterator>;

    iterator begin() { return iterator(items_.begin()); }
    iterator end() { return iterator(items_.end()); }
    const_iterator begin() const { return const_iterator(items_.begin()); }
    const_iterator end() const { return const_iterator(items_.end()); }

private:
    void copyFrom(const Mx_Array& other) {
        items_.reserve(other.items_.size());
        for (const auto& item : other.items_)
            items_.emplace_back(new T(*item));
    }

    std::vector<std::unique_ptr<T>> items_;
};
