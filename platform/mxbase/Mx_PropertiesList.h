#pragma once
// An ordered list of typed properties (name, type, value), kept in a text file of its own (dialog
// templates are such files). Names are looked up ignoring case; setting an existing name replaces its
// type and value in place, a new name is appended. The file layout is described in docs/core.md.
#include <string>
#include <string_view>
#include <vector>

#include "platform/mxbase/Mx_String.h"

class Mx_PropertiesList {
public:
    enum class Type { None, Int, Double, String, Bool };

    int length() const { return static_cast<int>(items_.size()); }
    bool isEmpty() const { return items_.empty(); }
    void clear() { items_.clear(); }

    void setInt(const Mx_String& name, int value);
    void setDouble(const Mx_String& name, double value);
    void setString(const Mx_String& name, const Mx_String& value);
    void setBool(const Mx_String& name, bool value);

    // Each get leaves value untouched and returns false when the name is missing or its value does not
    // fit: an int reads as a double; a double reads as an int only when it is whole and in range; a
    // bool reads as an int (0 or 1); getString gives the text form of any value.
    bool getInt(const Mx_String& name, int& value) const;
    bool getDouble(const Mx_String& name, double& value) const;
    bool getString(const Mx_String& name, Mx_String& value) const;
    bool getBool(const Mx_String& name, bool& value) const;

    bool contains(const Mx_String& name) const { return indexOf(name) >= 0; }
    // Type of the named property; None when it is missing.
    Type typeOf(const Mx_String& name) const;
    bool remove(const Mx_String& name);
    // Name of the property at index (empty outside the list).
    Mx_String nameAt(int index) const;

    // Replaces the contents with the file's properties. False when the file cannot be read or a line
    // is malformed; the well-formed lines are kept either way.
    bool readFromFile(const Mx_String& path);
    // Writes the list atomically. False when the file could not be written; the old file then stays.
    bool writeToFile(const Mx_String& path) const;

    // The same as text, for files read some other way and for tests. readFromText returns the number
    // of malformed lines it skipped.
    int readFromText(std::wstring_view text);
    std::wstring toText() const;

    bool operator==(const Mx_PropertiesList&) const = default;

private:
    struct Item {
        Mx_String name;
        Type type = Type::None;
        std::wstring text;  // the value in its file form: decimal for numbers, "0"/"1" for bools
        bool operator==(const Item&) const = default;
    };

    int indexOf(const Mx_String& name) const;
    void set(const Mx_String& name, Type type, std::wstring text);
    const Item* find(const Mx_String& name) const;

    std::vector<Item> items_;
};
