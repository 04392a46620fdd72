// LEFT, RIGHT, MID, LEN, UPPER, LOWER, PROPER, TRIM, FIND, SEARCH, SUBSTITUTE, REPLACE, CONCATENATE,
// REPT, EXACT, VALUE, TEXT, CHAR, CODE.
#include <array>

#include "platform/grid/functions/FunctionSupport.h"
#include "platform/grid/functions/NumberFormat.h"

namespace grid::functions {
namespace {

// A character count or position argument; `minimum` is the smallest accepted value.
struct Count {
    std::int64_t value = 0;
    std::optional<ErrorCode> error;
};
Count countArg(std::span<const Arg> args, std::size_t index, std::int64_t fallback, std::int64_t minimum,
               CallContext& context) {
    if (index >= args.size()) return {fallback, std::nullopt};
    IntegerOrError n = integerArg(args[index], context);
    if (n.error) return {0, n.error};
    if (n.value < minimum) return {0, ErrorCode::Value};
    return {n.value, std::nullopt};
}

std::size_t clampToSize(std::int64_t n, std::size_t size) {
    return n >= static_cast<std::int64_t>(size) ? size : static_cast<std::size_t>(n);
}

Value fnLeft(std::span<const Arg> args, CallContext& context) {
    TextOrError t = textArg(args[0], context);
    if (t.error) return errorResult(*t.error);
    Count n = countArg(args, 1, 1, 0, context);
    if (n.error) return errorResult(*n.error);
    return textResult(t.text.substr(0, clampToSize(n.value, t.text.size())));
}

Value fnRight(std::span<const Arg> args, CallContext& context) {
    TextOrError t = textArg(args[0], context);
    if (t.error) return errorResult(*t.error);
    Count n = countArg(args, 1, 1, 0, context);
    if (n.error) return errorResult(*n.error);
    std::size_t count = clampToSize(n.value, t.text.size());
    return textResult(t.text.substr(t.text.size() - count));
}

Value fnMid(std::span<const Arg> args, CallContext& context) {
    TextOrError t = textArg(args[0], context);
    if (t.error) return errorResult(*t.error);
    Count start = countArg(args, 1, 1, 1, context);
    if (start.error) return errorResult(*start.error);
    Count n = countArg(args, 2, 0, 0, context);
    if (n.error) return errorResult(*n.error);
    std::size_t from = clampToSize(start.value - 1, t.text.size());
    return textResult(t.text.substr(from, clampToSize(n.value, t.text.size())));
}

Value fnLen(std::span<const Arg> args, CallContext& context) {
    TextOrError t = textArg(args[0], context);
    if (t.error) return errorResult(*t.error);
    return Value::number(static_cast<double>(t.text.size()));
}

template <wchar_t (*Map)(wchar_t)>
Value mapCharacters(std::span<const Arg> args, CallContext& context) {
    TextOrError t = textArg(args[0], context);
    if (t.error) return errorResult(*t.error);
    for (wchar_t& c : t.text) c = Map(c);
    return textResult(std::move(t.text));
}

// Letters as far as PROPER is concerned: those with a case, and the sharp s that has none.
bool isCasedLetter(wchar_t c) { return upperChar(c) != c || lowerChar(c) != c || c == 0xDF; }

// PROPER: a letter that follows anything but a letter starts a word.
Value fnProper(std::span<const Arg> args, CallContext& context) {
    TextOrError t = textArg(args[0], context);
    if (t.error) return errorResult(*t.error);
    bool inWord = false;
    for (wchar_t& c : t.text) {
        bool letter = isCasedLetter(c);
        c = letter && !inWord ? upperChar(c) : lowerChar(c);
        inWord = letter;
    }
    return textResult(std::move(t.text));
}

// TRIM strips blanks at both ends and makes every inner run of blanks a single one.
Value fnTrim(std::span<const Arg> args, CallContext& context) {
    TextOrError t = textArg(args[0], context);
    if (t.error) return errorResult(*t.error);
    std::wstring out;
    out.reserve(t.text.size());
    bool pendingBlank = false;
    for (wchar_t c : t.text) {
        if (c == L' ') {
            pendingBlank = !out.empty();
            continue;
        }
        if (pendingBlank) out += L' ';
        pendingBlank = false;
        out += c;
    }
    return textResult(std::move(out));
}

// FIND and SEARCH share their argument handling: the start is 1-based and may be one past the end.
Value findWith(std::span<const Arg> args, CallContext& context, bool search) {
    TextOrError needle = textArg(args[0], context);
    if (needle.error) return errorResult(*needle.error);
    TextOrError haystack = textArg(args[1], context);
    if (haystack.error) return errorResult(*haystack.error);
    Count start = countArg(args, 2, 1, 1, context);
    if (start.error) return errorResult(*start.error);
    if (start.value > static_cast<std::int64_t>(haystack.text.size()) + 1) return errorResult(ErrorCode::Value);
    auto from = static_cast<std::size_t>(start.value - 1);
    if (needle.text.empty()) return Value::number(static_cast<double>(start.value));
    std::wstring_view text = haystack.text;
    if (!search) {
        std::size_t at = text.find(needle.text, from);
        if (at == std::wstring_view::npos) return errorResult(ErrorCode::Value);
        return Value::number(static_cast<double>(at + 1));
    }
    // The pattern is a head without "*" and a tail from the first "*" on. Only the leftmost place
    // where the head fits matters: a tail that fails after it fails after any later place too. So
    // one pass finds the answer, instead of trying the whole pattern at every position.
    std::wstring_view pattern = needle.text;
    std::size_t headEnd = 0, headLength = 0;
    while (headEnd < pattern.size() && pattern[headEnd] != L'*') {
        bool escaped = pattern[headEnd] == L'~' && headEnd + 1 < pattern.size() &&
                       (pattern[headEnd + 1] == L'*' || pattern[headEnd + 1] == L'?' || pattern[headEnd + 1] == L'~');
        headEnd += escaped ? 2 : 1;
        ++headLength;
    }
    std::wstring_view head = pattern.substr(0, headEnd), tail = pattern.substr(headEnd);
    for (std::size_t at = from; at + headLength <= text.size(); ++at) {
        if (!wildcardMatch(head, text.substr(at, headLength), CaseMatch::Insensitive)) continue;
        if (tail.empty() ||
            wildcardMatch(tail, text.substr(at + headLength), CaseMatch::Insensitive, MatchExtent::Prefix))
            return Value::number(static_cast<double>(at + 1));
        break;
    }
    return errorResult(ErrorCode::Value);
}

Value fnFind(std::span<const Arg> args, CallContext& context) { return findWith(args, context, false); }
Value fnSearch(std::span<const Arg> args, CallContext& context) { return findWith(args, context, true); }

// SUBSTITUTE(t, old, new[, n]): every occurrence of old, or only the n-th.
Value fnSubstitute(std::span<const Arg> args, CallContext& context) {
    TextOrError t = textArg(args[0], context);
    if (t.error) return errorResult(*t.error);
    TextOrError from = textArg(args[1], context);
    if (from.error) return errorResult(*from.error);
    TextOrError to = textArg(args[2], context);
    if (to.error) return errorResult(*to.error);
    Count which = countArg(args, 3, 0, 1, context);
    if (which.error) return errorResult(*which.error);
    if (from.text.empty()) return textResult(std::move(t.text));
    std::wstring out;
    std::size_t position = 0;
    std::int64_t occurrence = 0;
    while (true) {
        std::size_t at = t.text.find(from.text, position);
        if (at == std::wstring::npos) break;
        ++occurrence;
        out.append(t.text, position, at - position);
        out += which.value == 0 || occurrence == which.value ? to.text : from.text;
        position = at + from.text.size();
        if (out.size() > kMaxTextLength) return errorResult(ErrorCode::Value);
    }
    out.append(t.text, position);
    return textResult(std::move(out));
}

// REPLACE(t, start, n, new): n characters from start replaced by new.
Value fnReplace(std::span<const Arg> args, CallContext& context) {
    TextOrError t = textArg(args[0], context);
    if (t.error) return errorResult(*t.error);
    Count start = countArg(args, 1, 1, 1, context);
    if (start.error) return errorResult(*start.error);
    Count n = countArg(args, 2, 0, 0, context);
    if (n.error) return errorResult(*n.error);
    TextOrError with = textArg(args[3], context);
    if (with.error) return errorResult(*with.error);
    std::size_t from = clampToSize(start.value - 1, t.text.size());
    std::size_t count = clampToSize(n.value, t.text.size() - from);
    t.text.replace(from, count, with.text);
    return textResult(std::move(t.text));
}

Value fnConcatenate(std::span<const Arg> args, CallContext& context) {
    std::wstring out;
    for (const Arg& arg : args) {
        TextOrError t = textArg(arg, context);
        if (t.error) return errorResult(*t.error);
        out += t.text;
        if (out.size() > kMaxTextLength) return errorResult(ErrorCode::Value);
    }
    return textResult(std::move(out));
}

Value fnRept(std::span<const Arg> args, CallContext& context) {
    TextOrError t = textArg(args[0], context);
    if (t.error) return errorResult(*t.error);
    Count n = countArg(args, 1, 0, 0, context);
    if (n.error) return errorResult(*n.error);
    if (t.text.empty() || n.value == 0) return textResult(std::wstring());
    if (n.value > static_cast<std::int64_t>(kMaxTextLength / t.text.size())) return errorResult(ErrorCode::Value);
    std::wstring out;
    out.reserve(t.text.size() * static_cast<std::size_t>(n.value));
    for (std::int64_t i = 0; i < n.value; ++i) out += t.text;
    return textResult(std::move(out));
}

Value fnExact(std::span<const Arg> args, CallContext& context) {
    TextOrError a = textArg(args[0], context);
    if (a.error) return errorResult(*a.error);
    TextOrError b = textArg(args[1], context);
    if (b.error) return errorResult(*b.error);
    return Value::logical(a.text == b.text);
}

// VALUE reads numeric text as arithmetic does, and also a percentage ("15%").
Value fnValue(std::span<const Arg> args, CallContext& context) {
    Value v = scalarOf(args[0], context);
    if (v.isError()) return v;
    if (v.isEmpty()) return Value::number(0.0);
    if (v.isNumber()) return Value::number(v.asNumber());
    std::wstring_view text = v.asText();
    while (!text.empty() && text.back() == L' ') text.remove_suffix(1);
    if (!text.empty() && text.back() == L'%') {
        if (auto n = parseNumber(text.substr(0, text.size() - 1))) return Value::number(*n / 100);
        return errorResult(ErrorCode::Value);
    }
    if (auto n = parseNumber(text)) return Value::number(*n);
    return errorResult(ErrorCode::Value);
}

// TEXT(x, format): numbers (and numeric text) through the format code; other text as is, or
// through the code's text section.
Value fnText(std::span<const Arg> args, CallContext& context) {
    Value v = scalarOf(args[0], context);
    if (v.isError()) return v;
    TextOrError code = textArg(args[1], context);
    if (code.error) return errorResult(*code.error);
    if (v.isText()) {
        if (auto n = parseNumber(v.asText())) return textResult(NumberFormat::format(*n, code.text));
        return textResult(NumberFormat::formatText(v.asText(), code.text));
    }
    return textResult(NumberFormat::format(v.isNumber() ? v.asNumber() : 0.0, code.text));
}

// Characters 128..159 of the Windows Western code page, which CHAR and CODE use as the legacy
// component did; the holes of the code page map to themselves.
constexpr std::array<wchar_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

Value fnChar(std::span<const Arg> args, CallContext& context) {
    IntegerOrError n = integerArg(args[0], context);
    if (n.error) return errorResult(*n.error);
    if (n.value < 1 || n.value > 255) return errorResult(ErrorCode::Value);
    auto code = static_cast<wchar_t>(n.value);
    if (code >= 0x80 && code < 0xA0) code = kWindows1252High[static_cast<std::size_t>(code - 0x80)];
    return Value::text(std::wstring(1, code));
}

Value fnCode(std::span<const Arg> args, CallContext& context) {
    TextOrError t = textArg(args[0], context);
    if (t.error) return errorResult(*t.error);
    if (t.text.empty()) return errorResult(ErrorCode::Value);
    wchar_t c = t.text.front();
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return Value::number(c);
    for (std::size_t i = 0; i < kWindows1252High.size(); ++i)
        if (kWindows1252High[i] == c) return Value::number(static_cast<double>(0x80 + i));
    return Value::number('?');  // not in the code page: written as "?" there
}

constexpr BuiltinInfo kBuiltins[] = {
    {L"CHAR", 1, 1, fnChar},
    {L"CODE", 1, 1, fnCode},
    {L"CONCATENATE", 1, -1, fnConcatenate},
    {L"EXACT", 2, 2, fnExact},
    {L"FIND", 2, 3, fnFind},
    {L"LEFT", 1, 2, fnLeft},
    {L"LEN", 1, 1, fnLen},
    {L"LOWER", 1, 1, mapCharacters<lowerChar>},
    {L"MID", 3, 3, fnMid},
    {L"PROPER", 1, 1, fnProper},
    {L"REPLACE", 4, 4, fnReplace},
    {L"REPT", 2, 2, fnRept},
    {L"RIGHT", 1, 2, fnRight},
    {L"SEARCH", 2, 3, fnSearch},
    {L"SUBSTITUTE", 3, 4, fnSubstitute},
    {L"TEXT", 2, 2, fnText},
    {L"TRIM", 1, 1, fnTrim},
    {L"UPPER", 1, 1, mapCharacters<upperChar>},
    {L"VALUE", 1, 1, fnValue},
};

}  // namespace

std::span<const BuiltinInfo> textBuiltins() { return kBuiltins; }

}  // namespace grid::functions
