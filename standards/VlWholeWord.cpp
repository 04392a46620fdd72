#include "standards/VlWholeWord.h"

namespace {

// Whether `position` lies inside a double-quoted literal: an odd number of quotes before it.
bool insideQuotes(const Mx_String& text, int position) {
    bool inside = false;
    const std::wstring& s = text.str();
    for (int i = 0; i < position && i < static_cast<int>(s.size()); ++i)
        if (s[static_cast<std::size_t>(i)] == L'"') inside = !inside;
    return inside;
}

// Mx_String::foldCase, with the letters of formulas (ASCII) folded here without a call.
inline wchar_t fold(wchar_t c) {
    if (c < 0x80) return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c;
    return Mx_String::foldCase(c);
}

// The first position at or after `from` where `text` holds the name whose letters, folded
// (Mx_String::foldCase), are `folded`; -1 when there is none. The same match as the core's find
// ignoring case, without its per-position substring compare: equations are searched for every
// variable name, so this runs names x equations times per run.
int findFolded(const std::wstring& text, const std::wstring& folded, int from) {
    const std::size_t length = folded.size();
    if (from < 0) from = 0;
    if (length == 0 || length > text.size()) return -1;
    const wchar_t first = folded[0];
    for (std::size_t i = static_cast<std::size_t>(from); i + length <= text.size(); ++i) {
        if (fold(text[i]) != first) continue;
        std::size_t k = 1;
        while (k < length && fold(text[i + k]) == folded[k]) ++k;
        if (k == length) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

int VlWholeWord::replace(Mx_String& text, const Mx_String& name, const Mx_String& replacement, bool skipQuoted) {
    if (name.isEmpty()) return 0;
    std::wstring folded = name.str();
    for (wchar_t& c : folded) c = fold(c);
    int count = 0;
    int from = 0;
    while (count < kMaxReplacements) {
        const int at = findFolded(text.str(), folded, from);
        if (at < 0) break;
        const int end = at + name.length();
        const bool before = at > 0 && isWordCharacter(text.at(at - 1));
        const bool after = end < text.length() && isWordCharacter(text.at(end));
        if (before || after || (skipQuoted && insideQuotes(text, at))) {
            from = at + 1;
            continue;
        }
        text.removeAt(at, name.length());
        text.insertAt(at, replacement);
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
    return !foldedName.empty() && findFolded(text, foldedName, 0) >= 0;
}

int VlWholeWord::replaceAll(Mx_String& text, const Mx_StringArray& names, const Mx_StringArray& replacements,
                            bool skipQuoted) {
    int count = 0;
    for (int i = 0; i < names.length() && i < replacements.length(); ++i)
        count += replace(text, names[i], replacements[i], skipQuoted);
    return count;
}
