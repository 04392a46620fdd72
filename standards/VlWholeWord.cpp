#include "standards/VlWholeWord.h"

namespace {

// Mx_String::foldCase, with the letters of formulas (ASCII) folded here without a call.
inline wchar_t fold(wchar_t c) {
    if (c < 0x80) return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c;
    return Mx_String::foldCase(c);
}

// The first position at or after `from` where `text` holds `name`, letters folded on both sides
// (Mx_String::foldCase); -1 when there is none. The same match as the core's find ignoring case,
// without its per-position substring compare: equations are searched for every variable name, so
// this runs names x equations times per run. `Fold` gives the name's letters folded: a name folded
// once already is read as it is, another is folded as it is compared.
template <class Fold>
int findFolded(const std::wstring& text, std::wstring_view name, int from, Fold nameFolded) {
    const std::size_t length = name.size();
    if (from < 0) from = 0;
    if (length == 0 || length > text.size()) return -1;
    const wchar_t first = nameFolded(name[0]);
    for (std::size_t i = static_cast<std::size_t>(from); i + length <= text.size(); ++i) {
        if (fold(text[i]) != first) continue;
        std::size_t k = 1;
        while (k < length && fold(text[i + k]) == nameFolded(name[k]))
            ++k;
        if (k == length) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

int VlWholeWord::replace(Mx_String& text, const Mx_String& name, const Mx_String& replacement, bool skipQuoted) {
    if (name.isEmpty())
        return 0;
    int count = 0;
    int from = 0;
    // Whether a position lies inside a double-quoted literal: an odd number of quotes before it,
    // counted once as the search moves on (`inside` holds for the text before `quotesTo`).
    int quotesTo = 0;
    bool inside = false;
    while (count < kMaxReplacements) {
        const int at = findFolded(text.str(), name.view(), from, fold);
        if (at < 0) break;
        const int end = at + name.length();
        const bool before = at > 0 && isWordCharacter(text.at(at - 1));
        const bool after = end < text.length() && isWordCharacter(text.at(end));
        if (skipQuoted)
            for (; quotesTo < at; ++quotesTo)
                if (text.str()[static_cast<std::size_t>(quotesTo)] == L'"')
                    inside = !inside;
        if (before || after || (skipQuoted && inside)) {
            from = at + 1;
            continue;
        }
        text.removeAt(at, name.length());
        text.insertAt(at, replacement);
        // The replacement's own quotes count for what follows it.
        for (wchar_t c : replacement.view())
            if (c == L'"')
                inside = !inside;
        quotesTo = at + replacement.length();
        from = at + replacement.length();
        ++count;
    }
    return count;
}

std::wstring VlWholeWord::folded(const Mx_String& name) {
    std::wstring result = name.str();
    for (wchar_t& c : result) c = fold(c);
    return result;
}

bool VlWholeWord::mayContain(const std::wstring& text, const std::wstring& foldedName) {
    return !foldedName.empty() && findFolded(text, foldedName, 0, [](wchar_t c) { return c; }) >= 0;
}

int VlWholeWord::replaceAll(Mx_String& text, const Mx_StringArray& names, const Mx_StringArray& replacements,
                            bool skipQuoted) {
    int count = 0;
    for (int i = 0; i < names.length() && i < replacements.length(); ++i)
        count += replace(text, names[i], replacements[i], skipQuoted);
    return count;
}
