#pragma once
// The clipboard, text only (the grid copies and pastes cells as tab-separated text). It belongs to the
// process: there is no desktop to share it with, so what one part copies another pastes, and a test
// can put text there and read it back.
//
// The Win32 calls keep their rules: the clipboard must be opened (by one owner at a time) to empty it
// or to set data, and setting requires emptying first, so code that skips a step fails here as it
// would on Windows instead of working by accident.
#include <optional>
#include <string>

#include "platform/mfc/Win32Types.h"

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_UNICODETEXT = 13;

BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
BOOL IsClipboardFormatAvailable(UINT format);

namespace ui {

class Clipboard {
public:
    // Replaces the content (opening, emptying and closing as needed); false while someone else has it
    // open.
    static bool setText(const std::wstring& text);
    static std::optional<std::wstring> text();
    static void clear();
    // Inside OpenClipboard/EmptyClipboard: sets the text (CF_UNICODETEXT); false when not open and
    // emptied by this caller.
    static bool setTextWhileOpen(const std::wstring& text);
    // How many times the content changed (GetClipboardSequenceNumber).
    static DWORD sequenceNumber();
};

// Clears the clipboard for a test and again when the test ends.
class ClipboardScope {
public:
    ClipboardScope() { Clipboard::clear(); }
    ~ClipboardScope() { Clipboard::clear(); }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;
};

}  // namespace ui
