#pragma once
// Whole-word replacement of names in a cell or equation text: an occurrence of a name counts only when
// the characters around it are not letters A-Z / a-z, digits or "_", so replacing Width leaves Widths
// and Width_2 alone. Names match ignoring case, as the sheets are written by hand.
#include <string>

#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class VlWholeWord {
public:
    // At most this many occurrences of one name are replaced in one text.
    static constexpr int kMaxReplacements = 99999999;

    static bool isWordCharacter(wchar_t c) {
        return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') || c == L'_';
    }
    // A-Z to a-z, everything else as it is.
    static wchar_t foldAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; }
    // Replaces every whole-word occurrence of `name` in `text`; the search goes on after the inserted
    // text, so a replacement that contains the name is not replaced again. With `skipQuoted`,
    // occurrences inside double-quoted string literals stay as they are. Returns the count.
    static int replace(Mx_String& text, const Mx_String& name, const Mx_String& replacement, bool skipQuoted);
    // The same for each name in list order with the replacement of the same index (names beyond the
    // replacements are skipped).
    static int replaceAll(Mx_String& text, const Mx_StringArray& names, const Mx_StringArray& replacements,
                          bool skipQuoted);

    // A name with its letters folded, for mayContain.
    static std::wstring folded(const Mx_String& name);
    // Whether `text` holds the folded name anywhere, ignoring case, word or not: false means replace
    // would find nothing.
    static bool mayContain(const std::wstring& text, const std::wstring& foldedName);
};
