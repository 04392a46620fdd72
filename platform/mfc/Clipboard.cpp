#include "platform/mfc/Clipboard.h"

namespace {

struct State {
    bool open = false;
    bool emptiedByOpener = false;
    std::optional<std::wstring> text;
    DWORD sequence = 0;
};

State& state()
{
    static State s;
    return s;
}

}  // namespace

BOOL OpenClipboard(HWND)
{
    State& s = state();
    if (s.open)
        return FALSE;
    s.open = true;
    s.emptiedByOpener = false;
    return TRUE;
}

BOOL CloseClipboard()
{
    State& s = state();
    if (!s.open)
        return FALSE;
    s.open = false;
    s.emptiedByOpener = false;
    return TRUE;
}

BOOL EmptyClipboard()
{
    State& s = state();
    if (!s.open)
        return FALSE;
    s.text.reset();
    s.emptiedByOpener = true;
    ++s.sequence;
    return TRUE;
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    return (format == CF_UNICODETEXT || format == CF_TEXT) && state().text ? TRUE : FALSE;
}

namespace ui {

bool Clipboard::setText(const std::wstring& text)
{
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    const bool set = setTextWhileOpen(text);
    CloseClipboard();
    return set;
}

std::optional<std::wstring> Clipboard::text()
{
    return state().text;
}

void Clipboard::clear()
{
    State& s = state();
    s.text.reset();
    s.open = false;
    s.emptiedByOpener = false;
    ++s.sequence;
}

bool Clipboard::setTextWhileOpen(const std::wstring& text)
{
    State& s = state();
    if (!s.open || !s.emptiedByOpener)
        return false;
    s.text = text;
    ++s.sequence;
    return true;
}

DWORD Clipboard::sequenceNumber()
{
    return state().sequence;
}

}  // namespace ui
