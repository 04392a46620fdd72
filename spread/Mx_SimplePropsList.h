#pragma once
// Mx_SimplePropsList: an ordered list of typed properties kept as one text, the form in which a sheet
// carries its editor settings in its corner cell's tag and settings files store them.
//
// Each property is written as name, separator, type code in decimal, separator, value, separator; the
// separator is "¤" (U+00A4). Names are looked up ignoring case; setting an existing name replaces its
// type and value in place, a new name is appended.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/mxbase/Mx_String.h"

class Mx_SimplePropsList {
public:
    // The type codes of the text form.
    enum Type : int { kNone = 0, kDouble = 1, kInt = 2, kLong = 3, kString = 4 };
    static constexpr wchar_t kSeparator = L'\u00A4';

    int length() const { return static_cast<int>(items_.size()); }
    bool isEmpty() const { return items_.empty(); }
    void clear() {
        items_.clear();
        index_.clear();
    }

    void setInt(const Mx_String& name, int value);
    void setLong(const Mx_String& name, long value);
    // Written with `decimals` digits (at most 2 are kept by the text form); fewer than 1 writes the
    // value rounded to a whole number.
    void setDouble(const Mx_String& name, double value, int decimals = 2);
    void setString(const Mx_String& name, const Mx_String& value);

    bool contains(const Mx_String& name) const { return find(name) != nullptr; }
    // The type of the named property; kNone when it is missing.
    Type typeOf(const Mx_String& name) const;
    Mx_String nameAt(int index) const;

    // Each get leaves value untouched and returns false when the name is missing or has no value
    // (type 0). Numbers convert into one another (a double into an int rounded); a string property
    // reads as a number by its leading number; getString gives the text form of any value.
    bool getInt(const Mx_String& name, int& value) const;
    bool getDouble(const Mx_String& name, double& value) const;
    bool getString(const Mx_String& name, Mx_String& value) const;

    std::wstring toText() const;
    // Replaces the contents with the properties of the text: fields are taken three at a time (an
    // incomplete last group is ignored); an unknown type code gives a property of type 0.
    void fromText(std::wstring_view text);

    bool operator==(const Mx_SimplePropsList& other) const { return items_ == other.items_; }

private:
    struct Item {
        Mx_String name;
        Type type = kNone;
        long long integer = 0;  // kInt, kLong
        double number = 0;      // kDouble
        int decimals = 2;       // kDouble
        Mx_String text;         // kString
        bool operator==(const Item&) const = default;
    };

    Item& slot(const Mx_String& name);
    const Item* find(const Mx_String& name) const;

    // The key of a name in index_: the name with its letters folded.
    static std::wstring key(const Mx_String& name);

    std::vector<Item> items_;
    // Folded name -> position in items_, so that reading a long text stays linear.
    std::unordered_map<std::wstring, std::size_t> index_;
};

// The leading-number conversions of the text form: blanks, a sign and digits, as far as they go (0
// when there are none); integers are clamped to the range of int instead of overflowing.
int leadingInt(std::wstring_view text);
double leadingDouble(std::wstring_view text);
