#include "platform/mfc/CString.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <vector>

#include "platform/mfc/Resources.h"

namespace {

bool isSpace(wchar_t c) { return std::iswspace(static_cast<wint_t>(c)) != 0; }

bool inSet(wchar_t c, const wchar_t* set) { return set && c != L'\0' && std::wcschr(set, c) != nullptr; }

}  // namespace

wchar_t CString::GetAt(int index) const {
    return index >= 0 && index < GetLength() ? m_text[static_cast<std::size_t>(index)] : L'\0';
}

void CString::SetAt(int index, wchar_t ch) {
    if (index >= 0 && index < GetLength()) m_text[static_cast<std::size_t>(index)] = ch;
}

CString CString::Left(int count) const {
    count = std::clamp(count, 0, GetLength());
    return CString(m_text.substr(0, static_cast<std::size_t>(count)));
}

CString CString::Right(int count) const {
    count = std::clamp(count, 0, GetLength());
    return CString(m_text.substr(m_text.size() - static_cast<std::size_t>(count)));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(m_text.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(count)));
}

CString CString::SpanIncluding(const wchar_t* chars) const {
    std::size_t n = 0;
    while (n < m_text.size() && inSet(m_text[n], chars)) ++n;
    return CString(m_text.substr(0, n));
}

CString CString::SpanExcluding(const wchar_t* chars) const {
    std::size_t n = 0;
    while (n < m_text.size() && !inSet(m_text[n], chars)) ++n;
    return CString(m_text.substr(0, n));
}

CString CString::Tokenize(const wchar_t* delimiters, int& start) const {
    if (start < 0 || start >= GetLength()) {
        start = -1;
        return CString();
    }
    std::size_t i = static_cast<std::size_t>(start);
    while (i < m_text.size() && inSet(m_text[i], delimiters)) ++i;
    if (i >= m_text.size()) {
        start = -1;
        return CString();
    }
    std::size_t end = i;
    while (end < m_text.size() && !inSet(m_text[end], delimiters)) ++end;
    start = static_cast<int>(end + 1);
    return CString(m_text.substr(i, end - i));
}

int CString::Find(wchar_t ch, int start) const {
    if (start < 0 || start >= GetLength()) return -1;
    std::size_t at = m_text.find(ch, static_cast<std::size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const wchar_t* sub, int start) const {
    if (!sub || start < 0 || start > GetLength()) return -1;
    std::size_t at = m_text.find(sub, static_cast<std::size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(wchar_t ch) const {
    std::size_t at = m_text.rfind(ch);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::FindOneOf(const wchar_t* chars) const {
    if (!chars) return -1;
    std::size_t at = m_text.find_first_of(chars);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::Compare(const wchar_t* other) const {
    int r = m_text.compare(other ? other : L"");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const wchar_t* other) const {
    const wchar_t* b = other ? other : L"";
    std::size_t i = 0;
    for (; i < m_text.size() && b[i] != L'\0'; ++i) {
        wint_t x = std::towlower(m_text[i]), y = std::towlower(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (i < m_text.size()) return 1;
    return b[i] != L'\0' ? -1 : 0;
}

CString& CString::MakeUpper() {
    for (wchar_t& c : m_text) c = static_cast<wchar_t>(std::towupper(c));
    return *this;
}

CString& CString::MakeLower() {
    for (wchar_t& c : m_text) c = static_cast<wchar_t>(std::towlower(c));
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(m_text.begin(), m_text.end());
    return *this;
}

CString& CString::Trim() { return TrimLeft().TrimRight(); }
CString& CString::Trim(wchar_t ch) { return TrimLeft(ch).TrimRight(ch); }
CString& CString::Trim(const wchar_t* chars) { return TrimLeft(chars).TrimRight(chars); }

CString& CString::TrimLeft() {
    std::size_t n = 0;
    while (n < m_text.size() && isSpace(m_text[n])) ++n;
    m_text.erase(0, n);
    return *this;
}

CString& CString::TrimLeft(wchar_t ch) {
    std::size_t n = 0;
    while (n < m_text.size() && m_text[n] == ch) ++n;
    m_text.erase(0, n);
    return *this;
}

CString& CString::TrimLeft(const wchar_t* chars) {
    std::size_t n = 0;
    while (n < m_text.size() && inSet(m_text[n], chars)) ++n;
    m_text.erase(0, n);
    return *this;
}

CString& CString::TrimRight() {
    while (!m_text.empty() && isSpace(m_text.back())) m_text.pop_back();
    return *this;
}

CString& CString::TrimRight(wchar_t ch) {
    while (!m_text.empty() && m_text.back() == ch) m_text.pop_back();
    return *this;
}

CString& CString::TrimRight(const wchar_t* chars) {
    while (!m_text.empty() && inSet(m_text.back(), chars)) m_text.pop_back();
    return *this;
}

int CString::Replace(wchar_t from, wchar_t to) {
    int n = 0;
    for (wchar_t& c : m_text)
        if (c == from) {
            c = to;
            ++n;
        }
    return n;
}

int CString::Replace(const wchar_t* from, const wchar_t* to) {
    if (!from || *from == L'\0') return 0;
    std::wstring f(from), t(to ? to : L"");
    int n = 0;
    std::size_t at = 0;
    while ((at = m_text.find(f, at)) != std::wstring::npos) {
        m_text.replace(at, f.size(), t);
        at += t.size();
        ++n;
    }
    return n;
}

int CString::Remove(wchar_t ch) {
    std::size_t before = m_text.size();
    m_text.erase(std::remove(m_text.begin(), m_text.end(), ch), m_text.end());
    return static_cast<int>(before - m_text.size());
}

int CString::Insert(int index, wchar_t ch) {
    index = std::clamp(index, 0, GetLength());
    m_text.insert(m_text.begin() + index, ch);
    return GetLength();
}

int CString::Insert(int index, const wchar_t* text) {
    index = std::clamp(index, 0, GetLength());
    m_text.insert(static_cast<std::size_t>(index), text ? text : L"");
    return GetLength();
}

int CString::Delete(int index, int count) {
    if (index < 0 || index >= GetLength() || count <= 0) return GetLength();
    m_text.erase(static_cast<std::size_t>(index), static_cast<std::size_t>(count));
    return GetLength();
}

namespace {

// The dialogs are written for the Windows C library, where %s and %c in a wide format take wide
// arguments and %hs / %S take narrow ones. The C library here reads %s as narrow, so the format is
// rewritten to say what the code means (%ls, %lc, %s) before it is used. %I64 becomes %ll.
std::wstring portableFormat(const wchar_t* format) {
    std::wstring out;
    for (const wchar_t* p = format; *p; ++p) {
        out += *p;
        if (*p != L'%') continue;
        ++p;
        if (*p == L'%') {
            out += *p;
            continue;
        }
        while (*p && std::wcschr(L"-+ #0123456789.*", *p)) out += *p++;
        bool narrow = false, wide = false;
        if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') {
            out += L"ll";
            p += 3;
        }
        if (*p == L'h' && (p[1] == L's' || p[1] == L'c')) {
            narrow = true;
            ++p;
        } else if (*p == L'l' && (p[1] == L's' || p[1] == L'c')) {
            wide = true;
            ++p;
        } else {
            while (*p && std::wcschr(L"hlLqjzt", *p)) out += *p++;
        }
        if (!*p) break;
        wchar_t conversion = *p;
        if (conversion == L'S' || conversion == L'C') {
            narrow = true;
            conversion = static_cast<wchar_t>(std::towlower(conversion));
        }
        if ((conversion == L's' || conversion == L'c') && (wide || !narrow)) out += L'l';
        out += conversion;
    }
    return out;
}

}  // namespace

void CString::FormatV(const wchar_t* format, va_list args) {
    m_text.clear();
    if (!format) return;
    std::wstring portable = portableFormat(format);
    format = portable.c_str();
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        int n = std::vswprintf(buffer.data(), buffer.size(), format, copy);
        va_end(copy);
        if (n >= 0 && static_cast<std::size_t>(n) < buffer.size()) {
            m_text.assign(buffer.data(), static_cast<std::size_t>(n));
            return;
        }
        // vswprintf reports only failure when the buffer is short; grow until it fits (or give up on
        // an encoding error, which no size cures).
        if (buffer.size() >= (1u << 24)) return;
        buffer.resize(buffer.size() * 4);
    }
}

void CString::Format(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(const wchar_t* format, ...) {
    std::wstring before = m_text;
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
    m_text = before + m_text;
}

BOOL CString::LoadString(UINT id) {
    const std::wstring* text = ui::findStringResource(id);
    if (!text) return FALSE;
    m_text = *text;
    return TRUE;
}

wchar_t* CString::GetBuffer(int minLength) {
    if (minLength > GetLength()) m_text.resize(static_cast<std::size_t>(minLength));
    return m_text.data();
}

wchar_t* CString::GetBufferSetLength(int length) {
    m_text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        std::size_t end = m_text.find(L'\0');
        if (end != std::wstring::npos) m_text.resize(end);
    } else {
        m_text.resize(std::min(static_cast<std::size_t>(newLength), m_text.size()));
    }
}
