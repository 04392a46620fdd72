#pragma once
// The host's command line and the few host calls the module makes that have no result but a side
// effect in the host (posted commands, display updates, editor commands). Everything is recorded in
// one inspectable log; what is printed also goes to the current sink (stdout for the command, a
// buffer for tests).
#include <functional>
#include <string>
#include <vector>

// printf-style output on the host command line. Returns the number of characters written.
int acutPrintf(const wchar_t* format, ...);
int acutPrintf(const char* format, ...);

// Queues a command string for the host to run once the module returns (recorded, never run here).
bool acedPostCommand(const wchar_t* command);
// Re-issues the host's command prompt.
bool acedPostCommandPrompt();
// Asks the host to redraw its views.
void acedUpdateDisplay();

namespace host {

enum class EventKind { Print, PostCommand, PostCommandPrompt, UpdateDisplay, BeginEditorCommand, CompleteEditorCommand, CancelEditorCommand };

struct Event {
    EventKind kind;
    std::wstring text;  // printed text or posted command; empty otherwise
};

// Where printed text goes. The default sink discards; the command installs a stdout sink.
using PrintSink = std::function<void(const std::wstring&)>;
void setPrintSink(PrintSink sink);
// Writes UTF-8 to stdout; used by the connsheet command.
void printToStdout(const std::wstring& text);

// Everything the module asked of the host since the last clear.
const std::vector<Event>& events();
void clearEvents();
// The concatenated printed text since the last clear.
std::wstring printedText();

// The host dialog base's editor-command pair: a dialog that lets the user pick in the drawing hides
// itself with begin, and shows itself again with complete (or cancel).
void beginEditorCommand();
void completeEditorCommand(bool restoreDialog = true);
void cancelEditorCommand();
bool inEditorCommand();

// Captures the command line for a scope: installs a buffer sink and clears the log, then restores the
// previous sink on every way out.
class CommandLineCapture {
public:
    CommandLineCapture();
    ~CommandLineCapture();
    CommandLineCapture(const CommandLineCapture&) = delete;
    CommandLineCapture& operator=(const CommandLineCapture&) = delete;

    const std::wstring& text() const { return text_; }

private:
    std::wstring text_;
    PrintSink previous_;
};

}  // namespace host
