#include "platform/mxbase/MacroStandards.h"

#include <cwctype>
#include <string>

namespace {

// Separators as "/", letters folded: the form two names of one file share.
std::wstring folded(const Mx_String& text) {
    std::wstring out = text.str();
    for (wchar_t& c : out)
        c = c == L'\\' ? L'/' : static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return out;
}

bool endsWith(const std::wstring& text, const std::wstring& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

bool MacroStandards::findMapsTo(const Mx_String& path, Mx_String& found) const {
    const std::wstring wanted = folded(path);
    for (int i = 0; i < sheets.length() && i < mapsTo.length(); ++i) {
        std::wstring sheet = folded(sheets[i]);
        if (sheet.empty())
            continue;
        if (!endsWith(sheet, L".vls"))
            sheet += L".vls";
        const bool same = wanted == sheet || endsWith(wanted, L"connection standards/" + sheet) ||
                          (!endsWith(wanted, L".vls") && wanted + L".vls" == sheet);
        if (same && !mapsTo[i].isEmpty()) {
            found = mapsTo[i];
            return true;
        }
    }
    return false;
}
