#include "standards/VlNameErrorCause.h"

#include <cwctype>

#include "platform/grid/Builtins.h"
#include "platform/grid/Sheet.h"
#include "platform/mxbase/Mx_String.h"

namespace {

bool isWordCharacter(wchar_t c) { return std::iswalnum(c) || c == L'_' || c == L'.' || c == L'$'; }

// "B12", "$B$12", "AB3": letters then digits (a range's two ends are two words).
bool isCellReference(std::wstring_view word) {
    std::size_t i = 0;
    if (i < word.size() && word[i] == L'$') ++i;
    const std::size_t letters = i;
    while (i < word.size() && std::iswalpha(word[i])) ++i;
    if (i == letters || i - letters > 3) return false;
    if (i < word.size() && word[i] == L'$') ++i;
    const std::size_t digits = i;
    while (i < word.size() && std::iswdigit(word[i])) ++i;
    return i == word.size() && i > digits;
}

std::wstring upper(std::wstring_view text) {
    std::wstring result(text);
    for (wchar_t& c : result) c = static_cast<wchar_t>(std::towupper(c));
    return result;
}

}  // namespace

std::string vlNameErrorCause(const grid::Sheet& sheet, std::wstring_view formula) {
    std::string found;
    std::size_t i = 0;
    while (i < formula.size()) {
        const wchar_t c = formula[i];
        if (c == L'"') {  // a text literal, "" inside it standing for one quote
            for (++i; i < formula.size(); ++i) {
                if (formula[i] != L'"') continue;
                if (i + 1 < formula.size() && formula[i + 1] == L'"') {
                    ++i;
                    continue;
                }
                break;
            }
            ++i;
            continue;
        }
        if (!isWordCharacter(c) || std::iswdigit(c) || c == L'.') {
            // Numbers ("1.5", "2E3") are skipped whole.
            if (std::iswdigit(c) || c == L'.')
                while (i < formula.size() && (std::iswalnum(formula[i]) || formula[i] == L'.')) ++i;
            else
                ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < formula.size() && isWordCharacter(formula[i])) ++i;
        const std::wstring_view word = formula.substr(start, i - start);
        std::size_t next = i;
        while (next < formula.size() && formula[next] == L' ') ++next;
        const std::wstring name = upper(word);
        std::string what;
        if (next < formula.size() && formula[next] == L'(') {
            if (!grid::findBuiltin(name) && !sheet.hasCustomFunction(word)) what = "unknown function ";
        } else if (!isCellReference(word) && name != L"TRUE" && name != L"FALSE") {
            what = "unknown name ";
        }
        if (what.empty()) continue;
        found += (found.empty() ? ": " : ", ") + what + Mx_String(std::wstring(word)).toUtf8();
    }
    return found;
}
