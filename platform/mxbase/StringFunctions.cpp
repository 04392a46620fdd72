#include "platform/mxbase/StringFunctions.h"

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/mxbase/NumberFunctions.h"

namespace {

bool isSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}
bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

// A wide string folded for "ignore case" comparisons, used as a hash key.
std::wstring folded(const Mx_String& text) {
    std::wstring result(text.str());
    for (wchar_t& c : result)
        c = Mx_String::foldCase(c);
    return result;
}

// Calls `visit(index, isRepeat)` for every element, in order, telling whether it repeats an earlier
// one. One hash-set pass: linear on average, whatever the array size.
template <typename Visit>
void forEachRepeat(const Mx_StringArray& items, bool caseSensitive, Visit visit) {
    std::unordered_set<std::wstring> seen;
    seen.reserve(static_cast<std::size_t>(items.length()));
    for (int i = 0; i < items.length(); ++i) {
        bool inserted =
            caseSensitive ? seen.insert(items[i].str()).second : seen.insert(folded(items[i])).second;
        if (!visit(i, !inserted))
            return;
    }
}

// Start of the file name: after the last "\" or "/".
std::size_t fileNameStart(std::wstring_view path) {
    std::size_t position = path.find_last_of(L"\\/");
    return position == std::wstring_view::npos ? 0 : position + 1;
}

// Position of the extension's "." in `path`, or npos when the file name has none.
std::size_t extensionDot(std::wstring_view path) {
    std::size_t nameStart = fileNameStart(path);
    std::size_t dot = path.rfind(L'.');
    if (dot == std::wstring_view::npos || dot <= nameStart)
        return std::wstring_view::npos;
    return dot;
}

}  // namespace

Mx_String appStrs(const Mx_String& s1, const Mx_String& s2, const Mx_String& s3, const Mx_String& s4,
                  const Mx_String& s5) {
    std::wstring result;
    result.reserve(
        static_cast<std::size_t>(s1.length() + s2.length() + s3.length() + s4.length() + s5.length()));
    result += s1.str();
    result += s2.str();
    result += s3.str();
    result += s4.str();
    result += s5.str();
    return Mx_String(std::move(result));
}

Mx_StringArray stringArr(const Mx_String& s1) {
    return Mx_StringArray{s1};
}
Mx_StringArray stringArr(const Mx_String& s1, const Mx_String& s2) {
    return Mx_StringArray{s1, s2};
}
Mx_StringArray stringArr(const Mx_String& s1, const Mx_String& s2, const Mx_String& s3) {
    return Mx_StringArray{s1, s2, s3};
}
Mx_StringArray stringArr(const Mx_String& s1, const Mx_String& s2, const Mx_String& s3, const Mx_String& s4) {
    return Mx_StringArray{s1, s2, s3, s4};
}
Mx_StringArray stringArr(const Mx_String& s1, const Mx_String& s2, const Mx_String& s3, const Mx_String& s4,
                         const Mx_String& s5) {
    return Mx_StringArray{s1, s2, s3, s4, s5};
}

int splitString(const Mx_String& text, const Mx_String& separator, Mx_StringArray& pieces, bool dropEmpty) {
    pieces.removeAll();
    std::wstring_view rest = text.view();
    if (rest.empty())
        return 0;
    std::wstring_view sep = separator.view();
    if (sep.empty()) {
        pieces.append(text);
        return 1;
    }
    for (;;) {
        std::size_t position = rest.find(sep);
        std::wstring_view piece = rest.substr(0, position);
        if (!dropEmpty || !piece.empty())
            pieces.append(Mx_String(piece));
        if (position == std::wstring_view::npos)
            break;
        rest.remove_prefix(position + sep.size());
    }
    return pieces.length();
}

int splitStringAtSymbol(const Mx_String& text, wchar_t symbol, Mx_StringArray& pieces, bool dropEmpty) {
    pieces.removeAll();
    std::wstring_view rest = text.view();
    if (rest.empty())
        return 0;
    for (;;) {
        std::size_t position = rest.find(symbol);
        std::wstring_view piece = rest.substr(0, position);
        while (!piece.empty() && isBlank(piece.front()))
            piece.remove_prefix(1);
        while (!piece.empty() && isBlank(piece.back()))
            piece.remove_suffix(1);
        if (!dropEmpty || !piece.empty())
            pieces.append(Mx_String(piece));
        if (position == std::wstring_view::npos)
            break;
        rest.remove_prefix(position + 1);
    }
    return pieces.length();
}

int strToArr(const Mx_String& text, Mx_StringArray& pieces, wchar_t separator) {
    pieces.removeAll();
    std::wstring_view rest = text.view();
    if (rest.empty())
        return 0;
    for (;;) {
        std::size_t position = rest.find(separator);
        pieces.append(Mx_String(rest.substr(0, position)));
        if (position == std::wstring_view::npos)
            break;
        rest.remove_prefix(position + 1);
    }
    return pieces.length();
}

Mx_String arrToStr(const Mx_StringArray& items, const Mx_String& separator) {
    std::wstring result;
    std::size_t size = 0;
    for (const Mx_String& item : items)
        size += item.str().size() + separator.str().size();
    result.reserve(size);
    for (int i = 0; i < items.length(); ++i) {
        if (i > 0)
            result += separator.str();
        result += items[i].str();
    }
    return Mx_String(std::move(result));
}

Mx_String getSubstrAfter(const Mx_String& text, const Mx_String& delimiter, bool fromLast) {
    const std::wstring& s = text.str();
    std::size_t position = fromLast ? s.rfind(delimiter.str()) : s.find(delimiter.str());
    if (position == std::wstring::npos)
        return Mx_String();
    return Mx_String(s.substr(position + delimiter.str().size()));
}

Mx_String getSubstrBefore(const Mx_String& text, const Mx_String& delimiter, bool fromLast) {
    const std::wstring& s = text.str();
    std::size_t position = fromLast ? s.rfind(delimiter.str()) : s.find(delimiter.str());
    if (position == std::wstring::npos)
        return Mx_String();
    return Mx_String(s.substr(0, position));
}

bool isNumber(const Mx_String& text) {
    double value = 0;
    return parseNumber(text.view(), value);
}

Mx_String removeExtension(const Mx_String& path) {
    std::size_t dot = extensionDot(path.view());
    if (dot == std::wstring_view::npos)
        return path;
    return Mx_String(path.str().substr(0, dot));
}

Mx_String changeExtension(const Mx_String& path, const Mx_String& extension) {
    Mx_String result = removeExtension(path);
    if (extension.isEmpty())
        return result;
    if (extension.at(0) != L'.')
        result.append(L'.');
    return result.append(extension);
}

Mx_String getFileName(const Mx_String& path, bool withExtension) {
    Mx_String name(path.str().substr(fileNameStart(path.view())));
    return withExtension ? name : removeExtension(name);
}

Mx_String ensureEndBSlash(const Mx_String& path) {
    if (path.isEmpty() || isSeparator(path.at(path.length() - 1)))
        return path;
    return path + L'\\';
}

bool hasDuplicates(const Mx_StringArray& items, bool caseSensitive) {
    bool found = false;
    forEachRepeat(items, caseSensitive, [&](int, bool isRepeat) {
        found = isRepeat;
        return !found;
    });
    return found;
}

int getDuplicates(const Mx_StringArray& items, AcArray<int>& positions, bool caseSensitive) {
    positions.removeAll();
    forEachRepeat(items, caseSensitive, [&](int index, bool isRepeat) {
        if (isRepeat)
            positions.append(index);
        return true;
    });
    return positions.length();
}

int getDuplicates(const Mx_StringArray& items, Mx_StringArray& names, bool caseSensitive) {
    AcArray<int> positions;
    getDuplicates(items, positions, caseSensitive);
    names.removeAll();
    // Each repeated name once, as it was first written.
    std::unordered_map<std::wstring, int> firstIndex;
    std::unordered_set<std::wstring> reported;
    for (int i = 0; i < items.length(); ++i) {
        firstIndex.emplace(caseSensitive ? items[i].str() : folded(items[i]), i);
    }
    for (int index : positions) {
        std::wstring key = caseSensitive ? items[index].str() : folded(items[index]);
        if (reported.insert(key).second)
            names.append(items[firstIndex[key]]);
    }
    return names.length();
}

Mx_String getAlfabet(int column) {
    std::wstring letters;
    // Bijective base 26: there is no zero digit, so subtract one before each division.
    long long n = column;
    while (n > 0) {
        --n;
        letters.insert(letters.begin(), static_cast<wchar_t>(L'A' + n % 26));
        n /= 26;
    }
    return Mx_String(std::move(letters));
}

Mx_String generateRandomString(int length, bool withDigits) {
    static constexpr std::wstring_view kLettersAndDigits =
        L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static constexpr std::wstring_view kCapitals = L"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::wstring_view alphabet = withDigits ? kLettersAndDigits : kCapitals;
    thread_local std::mt19937_64 engine{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::wstring result;
    if (length > 0)
        result.reserve(static_cast<std::size_t>(length));
    for (int i = 0; i < length; ++i)
        result += alphabet[pick(engine)];
    return Mx_String(std::move(result));
}

Mx_String findNonExistingString(const Mx_StringArray& existing, const Mx_String& base) {
    std::unordered_set<std::wstring> taken;
    taken.reserve(static_cast<std::size_t>(existing.length()));
    for (const Mx_String& item : existing)
        taken.insert(folded(item));
    if (!base.isEmpty() && !taken.contains(folded(base)))
        return base;

    // Split a trailing number off the base: "HEA100" counts on from 100, "Table" from 0.
    std::wstring_view text = base.view();
    std::size_t digitsStart = text.size();
    while (digitsStart > 0 && text[digitsStart - 1] >= L'0' && text[digitsStart - 1] <= L'9')
        --digitsStart;
    std::wstring prefix(text.substr(0, digitsStart));
    std::wstring_view digits = text.substr(digitsStart);
    unsigned long long start = 0;
    // Long digit runs would overflow; they are treated as part of the prefix.
    if (!digits.empty() && digits.size() <= 18) {
        for (wchar_t c : digits)
            start = start * 10 + static_cast<unsigned long long>(c - L'0');
    } else {
        prefix = std::wstring(text);
    }
    // At most existing.length() + 1 candidates can be tried before one is free.
    for (unsigned long long n = start + 1;; ++n) {
        Mx_String candidate(prefix + std::to_wstring(n));
        if (!taken.contains(folded(candidate)))
            return candidate;
    }
}

bool findFirstNumbers(const Mx_String& text, int& position, Mx_String& digits) {
    std::wstring_view view = text.view();
    std::size_t first = view.find_first_of(L"0123456789");
    if (first == std::wstring_view::npos)
        return false;
    std::size_t last = view.find_first_not_of(L"0123456789", first);
    position = static_cast<int>(first);
    digits = Mx_String(
        view.substr(first, last == std::wstring_view::npos ? std::wstring_view::npos : last - first));
    return true;
}

void sortArray(Mx_StringArray& items, bool ascending, bool caseSensitive) {
    auto less = [caseSensitive](const Mx_String& a, const Mx_String& b) {
        if (!caseSensitive) {
            int order = a.compare(b, false);
            if (order != 0)
                return order < 0;
        }
        return a.str() < b.str();
    };
    std::vector<Mx_String>& list = items.items();
    if (ascending) {
        std::stable_sort(list.begin(), list.end(), less);
    } else {
        std::stable_sort(list.begin(), list.end(),
                         [&](const Mx_String& a, const Mx_String& b) { return less(b, a); });
    }
}

Mx_String stripSymbols(const Mx_String& text, const Mx_String& symbols, StripSide side) {
    std::wstring_view view = text.view();
    std::wstring_view set = symbols.view();
    if (side != StripSide::End) {
        std::size_t first = view.find_first_not_of(set);
        view.remove_prefix(first == std::wstring_view::npos ? view.size() : first);
    }
    if (side != StripSide::Start) {
        std::size_t last = view.find_last_not_of(set);
        view = view.substr(0, last == std::wstring_view::npos ? 0 : last + 1);
    }
    return Mx_String(view);
}
