#include "platform/arx/CommandLine.h"

#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <string>

#include "platform/arx/Utf8.h"

namespace host {
namespace {

struct State {
    PrintSink sink;
    std::vector<Event> events;
    int editorDepth = 0;
};

State& state() {
    static State s;
    return s;
}

void record(EventKind kind, std::wstring text = {}) { state().events.push_back({kind, std::move(text)}); }

// The host's wide printf reads "%s" and "%c" as wide, "%hs"/"%S" as narrow (the Windows C library's
// rule); the C library here reads them the other way round. Rewrites a format so that callers
// written for the host print what they mean instead of reading wide text as bytes.
std::wstring hostFormatToLocal(const wchar_t* format) {
    std::wstring out;
    for (const wchar_t* p = format; *p; ++p) {
        out += *p;
        if (*p != L'%') continue;
        if (p[1] == L'%') {
            out += *++p;
            continue;
        }
        // flags, width, precision
        while (p[1] && std::wcschr(L"-+ #0123456789.*", p[1])) out += *++p;
        wchar_t size = 0;
        if (p[1] == L'h' || p[1] == L'l' || p[1] == L'w') size = *++p;
        wchar_t conversion = p[1];
        if (!conversion) break;
        ++p;
        if (conversion == L's' || conversion == L'c') {
            out += (size == L'h') ? L"" : L"l";
            out += conversion;
        } else if (conversion == L'S' || conversion == L'C') {
            out += static_cast<wchar_t>(conversion == L'S' ? L's' : L'c');
        } else {
            if (size == L'l' || size == L'h') out += size;
            out += conversion;
        }
    }
    return out;
}

void emit(std::wstring text) {
    if (state().sink) state().sink(text);
    record(EventKind::Print, std::move(text));
}

}  // namespace

void setPrintSink(PrintSink sink) { state().sink = std::move(sink); }

void printToStdout(const std::wstring& text) {
    std::string utf8 = utf8::encode(text);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
}

const std::vector<Event>& events() { return state().events; }
void clearEvents() { state().events.clear(); }

std::wstring printedText() {
    std::wstring all;
    for (const Event& e : state().events)
        if (e.kind == EventKind::Print) all += e.text;
    return all;
}

void beginEditorCommand() {
    ++state().editorDepth;
    record(EventKind::BeginEditorCommand);
}
void completeEditorCommand(bool) {
    if (state().editorDepth > 0) --state().editorDepth;
    record(EventKind::CompleteEditorCommand);
}
void cancelEditorCommand() {
    if (state().editorDepth > 0) --state().editorDepth;
    record(EventKind::CancelEditorCommand);
}
bool inEditorCommand() { return state().editorDepth > 0; }

CommandLineCapture::CommandLineCapture() : previous_(std::move(state().sink)) {
    clearEvents();
    state().sink = [this](const std::wstring& t) { text_ += t; };
}
CommandLineCapture::~CommandLineCapture() { state().sink = std::move(previous_); }

}  // namespace host

int acutPrintf(const wchar_t* format, ...) {
    if (!format) return 0;
    const std::wstring local = host::hostFormatToLocal(format);
    va_list args;
    va_start(args, format);
    std::wstring buffer(256, L'\0');
    va_list copy;
    va_copy(copy, args);
    int n = std::vswprintf(buffer.data(), buffer.size(), local.c_str(), copy);
    va_end(copy);
    // vswprintf reports truncation only as -1: grow until it fits (bounded by a sane maximum).
    while (n < 0 && buffer.size() < (1u << 22)) {
        buffer.resize(buffer.size() * 4);
        va_copy(copy, args);
        n = std::vswprintf(buffer.data(), buffer.size(), local.c_str(), copy);
        va_end(copy);
    }
    va_end(args);
    if (n < 0) return 0;
    buffer.resize(static_cast<std::size_t>(n));
    host::emit(buffer);
    return n;
}

int acutPrintf(const char* format, ...) {
    if (!format) return 0;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n < 0) {
        va_end(args);
        return 0;
    }
    std::string buffer(static_cast<std::size_t>(n) + 1, '\0');
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    buffer.resize(static_cast<std::size_t>(n));
    std::wstring text = utf8::decode(buffer);
    host::emit(text);
    return static_cast<int>(text.size());
}

bool acedPostCommand(const wchar_t* command) {
    host::record(host::EventKind::PostCommand, command ? command : L"");
    return true;
}

bool acedPostCommandPrompt() {
    host::record(host::EventKind::PostCommandPrompt);
    return true;
}

void acedUpdateDisplay() { host::record(host::EventKind::UpdateDisplay); }
