#pragma once
// The core library's wide-character string. A thin value type over std::wstring (wchar_t is 32 bits
// here, so one element is one code point). Positions and counts are int, as at every interface of the
// product; positions outside the text are clamped, never undefined.
//
// The boolean option of equal/startsWith/endsWith/contains/findFirstFrom/findLastFrom/replaceSubString
// means "case-sensitive": false compares ignoring case (see foldCase for which letters fold).
#include <cstddef>  // std::size_t
#include <string>   // also std::hash<std::wstring>
#include <string_view>

class Mx_String {
public:
    Mx_String() = default;
    Mx_String(const wchar_t* text);  // nullptr gives the empty string
    Mx_String(const std::wstring& text) : text_(text) {}
    Mx_String(std::wstring&& text) noexcept : text_(std::move(text)) {}
    explicit Mx_String(std::wstring_view text) : text_(text) {}
    explicit Mx_String(const char* utf8);  // nullptr gives the empty string; bad bytes become U+FFFD
    explicit Mx_String(const std::string& utf8) : Mx_String(utf8.c_str()) {}
    explicit Mx_String(wchar_t character) : text_(1, character) {}
    // A narrow character is a character too (Latin-1), not its code as a number.
    explicit Mx_String(char character)
        : text_(1, static_cast<wchar_t>(static_cast<unsigned char>(character))) {}
    explicit Mx_String(int value);
    explicit Mx_String(long value);
    explicit Mx_String(long long value);
    explicit Mx_String(unsigned value);
    explicit Mx_String(unsigned long value);
    // Fixed notation with `decimals` digits after "." whatever the process locale. With
    // `trimZeros` the trailing zeros of the fraction (and a bare ".") are dropped: 2.50 -> "2.5".
    Mx_String(double value, int decimals, bool trimZeros);

    const wchar_t* c_str() const { return text_.c_str(); }
    const std::wstring& str() const& { return text_; }
    // On a temporary the text is moved out, so `for (wchar_t c : makeName().str())` is safe.
    std::wstring str() && { return std::move(text_); }
    std::wstring_view view() const { return text_; }
    std::string toUtf8() const;

    int length() const { return static_cast<int>(text_.size()); }
    bool isEmpty() const { return text_.empty(); }
    void clear() { text_.clear(); }
    // Character at `index`, or L'\0' outside the text.
    wchar_t at(int index) const;
    wchar_t operator[](int index) const { return at(index); }

    Mx_String& operator=(const wchar_t* text);
    Mx_String& operator=(const std::wstring& text);
    Mx_String& operator=(std::wstring&& text) noexcept;

    Mx_String& append(const Mx_String& text);
    Mx_String& append(const wchar_t* text);
    Mx_String& append(wchar_t character);
    Mx_String& append(int value);
    Mx_String& operator+=(const Mx_String& text) { return append(text); }
    Mx_String& operator+=(const wchar_t* text) { return append(text); }
    Mx_String& operator+=(wchar_t character) { return append(character); }

    bool equal(const Mx_String& other, bool caseSensitive = true) const;
    bool equal(const wchar_t* other, bool caseSensitive = true) const;
    // Three-way comparison: <0, 0 or >0.
    int compare(const Mx_String& other, bool caseSensitive = true) const;

    bool startsWith(const Mx_String& prefix, bool caseSensitive = true) const;
    bool endsWith(const Mx_String& suffix, bool caseSensitive = true) const;
    bool contains(const Mx_String& part, bool caseSensitive = true) const;
    bool contains(wchar_t character) const;

    // Position of the first occurrence of `part` at or after `from`, or -1. An empty `part` is found
    // at `from` when `from` lies within 0..length().
    int findFirstFrom(const Mx_String& part, int from = 0, bool caseSensitive = true) const;
    // Position of the last occurrence of `part` that starts at or before `from` (-1 or anything past
    // the end means from the end), or -1.
    int findLastFrom(const Mx_String& part, int from = -1, bool caseSensitive = true) const;
    // findFirstFrom(part, false) would silently search from position 0 case-sensitively; the
    // option always comes third.
    int findFirstFrom(const Mx_String& part, bool caseSensitive) const = delete;
    int findLastFrom(const Mx_String& part, bool caseSensitive) const = delete;
    int findFirstFrom(wchar_t character, int from = 0) const;
    int findLastFrom(wchar_t character, int from = -1) const;

    // `count` characters from `position` (a negative count means to the end); clamped to the text.
    Mx_String getSubStringAt(int position, int count = -1) const;
    // Inserts at `position`, clamped to 0..length().
    Mx_String& insertAt(int position, const Mx_String& text);
    // Removes `count` characters from `position`; whatever lies outside the text is ignored.
    Mx_String& removeAt(int position, int count = 1);
    // Replaces every occurrence of `from` by `to`, scanning left to right without rescanning the
    // inserted text. Returns the number of replacements; an empty `from` replaces nothing.
    int replaceSubString(const Mx_String& from, const Mx_String& to, bool caseSensitive = true);

    Mx_String& makeUpper();
    Mx_String& makeLower();
    Mx_String toUpper() const { return Mx_String(*this).makeUpper(); }
    Mx_String toLower() const { return Mx_String(*this).makeLower(); }

    // Number conversion through the same rules as isNumber (blanks around allowed, "." only).
    // The bool forms report whether the whole text was a number; the others give 0 when it was not.
    bool toDouble(double& value) const;
    bool toInt(int& value) const;  // a whole number in int range; "3.0" counts, "3.5" does not
    double toDouble() const;
    int toInt() const;

    // Case folding used by every "ignore case" option: ASCII, Latin-1, Latin Extended-A, Greek and
    // Cyrillic letters fold to lower case; everything else compares as is. Independent of the
    // process locale so that results never change with the user's settings.
    static wchar_t foldCase(wchar_t c);
    static wchar_t upperCase(wchar_t c);

    bool operator==(const Mx_String& other) const { return text_ == other.text_; }
    bool operator==(const wchar_t* other) const;
    auto operator<=>(const Mx_String& other) const { return text_ <=> other.text_; }

private:
    std::wstring text_;
};

Mx_String operator+(const Mx_String& left, const Mx_String& right);
Mx_String operator+(const Mx_String& left, const wchar_t* right);
Mx_String operator+(const wchar_t* left, const Mx_String& right);
Mx_String operator+(const Mx_String& left, wchar_t right);

template <>
struct std::hash<Mx_String> {
    std::size_t operator()(const Mx_String& s) const noexcept { return std::hash<std::wstring>{}(s.str()); }
};
