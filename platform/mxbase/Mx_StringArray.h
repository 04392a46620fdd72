#pragma once
// Growable array of Mx_String, indexed by int. Indexing outside the array is the caller's fault (as
// in the host); every mutating call checks its index instead and refuses, printing the host's error
// line for removeAt/insertAt so that a wrong index shows up on the command line rather than as
// corrupted data.
#include <initializer_list>
#include <vector>

#include "platform/mxbase/Mx_String.h"

class Mx_StringArray {
public:
    Mx_StringArray() = default;
    Mx_StringArray(std::initializer_list<Mx_String> items) : items_(items) {}
    explicit Mx_StringArray(std::vector<Mx_String> items) : items_(std::move(items)) {}

    int length() const { return static_cast<int>(items_.size()); }
    int logicalLength() const { return length(); }
    bool isEmpty() const { return items_.empty(); }
    bool isValidIndex(int index) const { return index >= 0 && index < length(); }

    Mx_String& operator[](int index) { return items_[static_cast<std::size_t>(index)]; }
    const Mx_String& operator[](int index) const { return items_[static_cast<std::size_t>(index)]; }
    // Element at `index`, or the empty string outside the array.
    const Mx_String& at(int index) const;
    Mx_String& first() { return items_.front(); }
    Mx_String& last() { return items_.back(); }
    const Mx_String& first() const { return items_.front(); }
    const Mx_String& last() const { return items_.back(); }

    // Appends and returns the new element's index.
    int append(const Mx_String& item);
    int append(Mx_String&& item);
    int append(const wchar_t* item) { return append(Mx_String(item)); }
    Mx_StringArray& append(const Mx_StringArray& other);
    // Inserts before `index` (0..length()); outside that nothing changes, the error line is printed
    // and the result is false.
    bool insertAt(int index, const Mx_String& item);
    // Removes the element at `index`; outside the array nothing changes, "*Error* Invalid index
    // passed to remove.\n" is printed and the result is false.
    bool removeAt(int index);
    bool removeLast();
    void removeAll() { items_.clear(); }

    // First index of `item`, or -1.
    int indexOf(const Mx_String& item, bool caseSensitive = true) const;
    // Whether `item` is present; `index` receives its first position (-1 when absent).
    bool find(const Mx_String& item, int& index, bool caseSensitive = true) const;
    bool contains(const Mx_String& item, bool caseSensitive = true) const;

    // Exchanges two elements; false (nothing changed) when either index is outside the array.
    bool swap(int first, int second);
    // Shrinks, or grows with empty strings. A negative length empties the array.
    void setLogicalLength(int length);
    void reserve(int capacity);

    const std::vector<Mx_String>& items() const { return items_; }
    std::vector<Mx_String>& items() { return items_; }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    bool operator==(const Mx_StringArray&) const = default;

private:
    std::vector<Mx_String> items_;
};
