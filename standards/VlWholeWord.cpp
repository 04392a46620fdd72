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

}  // namespace

bool VlWholeWord::isWordCharacter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') || c == L'_';
}

int VlWholeWord::replace(Mx_String& text, const Mx_String& name, const Mx_String& replacement, bool skipQuoted) {
    if (name.isEmpty()) return 0;
    int count = 0;
    int from = 0;
    while (count < kMaxReplacements) {
        const int at = text.findFirstFrom(name, from, false);
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

int VlWholeWord::replaceAll(Mx_String& text, const Mx_StringArray& names, const Mx_StringArray& replacements,
                            bool skipQuoted) {
    int count = 0;
    for (int i = 0; i < names.length() && i < replacements.length(); ++i)
        count += replace(text, names[i], replacements[i], skipQuoted);
    return count;
}
