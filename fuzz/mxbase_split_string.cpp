// Splits arbitrary text with the core's split functions and checks what must always hold: pieces
// joined again give the text back, dropped pieces are exactly the empty ones, trimmed pieces carry
// no blanks at their ends. The text also goes through the number reader, whose accepted texts must
// survive a format/parse round trip.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/arx/Utf8.h"
#include "platform/mxbase/NumberFunctions.h"
#include "platform/mxbase/StringFunctions.h"

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte chooses the separator: one of the product's usual ones, or a multi-character one.
    static constexpr const wchar_t* kSeparators[] = {L";", L",", L"=", L" ", L"::", L"ab", L"\\", L"¤"};
    const wchar_t* separatorText = kSeparators[data[0] % std::size(kSeparators)];
    Mx_String text(utf8::decode(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1)));
    Mx_String separator(separatorText);

    Mx_StringArray all;
    Mx_StringArray nonEmpty;
    int count = splitString(text, separator, all, false);
    check(count == all.length());
    check(text.isEmpty() ? count == 0 : arrToStr(all, separator) == text);
    splitString(text, separator, nonEmpty, true);
    int empties = 0;
    for (const Mx_String& piece : all)
        empties += piece.isEmpty() ? 1 : 0;
    check(nonEmpty.length() == all.length() - empties);
    for (const Mx_String& piece : nonEmpty)
        check(!piece.isEmpty() && !piece.contains(separator));

    wchar_t symbol = separatorText[0];
    Mx_StringArray listed;
    strToArr(text, listed, symbol);
    check(text.isEmpty() ? listed.isEmpty() : arrToStr(listed, Mx_String(symbol)) == text);

    Mx_StringArray trimmed;
    splitStringAtSymbol(text, symbol, trimmed, true);
    check(trimmed.length() <= listed.length());
    for (const Mx_String& piece : trimmed) {
        check(!piece.isEmpty() && !piece.contains(symbol));
        check(!isBlank(piece.at(0)) && !isBlank(piece.at(piece.length() - 1)));
    }

    if (text.contains(separator)) {
        check(getSubstrBefore(text, separator) + separator + getSubstrAfter(text, separator) == text);
    }

    double value = 0;
    if (parseNumber(text.view(), value)) {
        check(std::isfinite(value));
        double again = 0;
        check(parseNumber(formatShortest(value).view(), again) && again == value);
        check(parseNumber(formatKeyNumber(value).view(), again));
    }
    return 0;
}
