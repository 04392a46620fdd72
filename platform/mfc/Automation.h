#pragma once
// Acting on a window as a user would, and reading it back: the vocabulary of UI tests.
//
// Every action goes through the same paths as real input: mouse and keys through dispatchInput
// (PreTranslateMessage first), text typed character by character as WM_CHAR, so controls send their
// own notifications. After each action posted messages are delivered. Controls are found by id among
// the window's descendants (depth first), so controls inside child pages are reachable too.
//
// An action that a user could not do (control missing, hidden or disabled) does nothing and is
// reported through the problem reporter (ScriptedDriver collects them; GTestSupport.h turns them into
// test failures).
//
// Custom controls add verbs with a class built on an Automation and an id, e.g.
//     struct GridVerbs { ui::Automation& dlg; int id; void setCell(...); };
//     auto grid = dlg.control<GridVerbs>(IDC_GRID);
#include <functional>
#include <string>
#include <vector>

#include "platform/mfc/Win32Types.h"

class CWnd;

namespace ui {

enum class Keys : unsigned { None = 0, Shift = 1, Ctrl = 2, Alt = 4 };
constexpr Keys operator|(Keys a, Keys b) { return static_cast<Keys>(static_cast<unsigned>(a) | static_cast<unsigned>(b)); }
constexpr bool has(Keys set, Keys k) { return (static_cast<unsigned>(set) & static_cast<unsigned>(k)) != 0; }

enum class MouseButton { Left, Right };

using ProblemReporter = std::function<void(const std::wstring& problem)>;
// Where automation problems go; the default reporter writes them to stderr.
void setProblemReporter(ProblemReporter reporter);
void reportProblem(const std::wstring& problem);

class Automation {
public:
    explicit Automation(HWND root) : m_root(root) {}
    explicit Automation(CWnd& root);

    HWND root() const { return m_root; }
    // The descendant with that id, or null (reported) when missing. id 0 names the root itself.
    HWND find(int id) const;
    bool exists(int id) const;
    CWnd* wnd(int id) const;
    template <class Verbs>
    Verbs control(int id) { return Verbs{*this, id}; }

    // ---- Actions
    // Button: press and release the left button at its centre (BN_CLICKED; check boxes toggle,
    // radio buttons check). Other controls get the same mouse input.
    void click(int id, Keys keys = Keys::None);
    void doubleClick(int id, Keys keys = Keys::None);
    // Focuses the control (as Tab does: an edit selects all its text), then types each character, so
    // the text replaces the content; an empty text empties it. '\n' presses Return, '\t' Tab.
    void type(int id, const std::wstring& text);
    // Types into the focused window without changing focus or selection.
    void typeHere(const std::wstring& text);
    // A key press (down, char for printable keys, up) at the focused window, with modifiers held.
    void press(UINT virtualKey, Keys keys = Keys::None);
    void keyDown(UINT virtualKey, Keys keys = Keys::None);
    void keyUp(UINT virtualKey, Keys keys = Keys::None);
    // Mouse input at a point in the control's client coordinates (id 0 = the root).
    void mouseDown(int id, POINT at, MouseButton button = MouseButton::Left, Keys keys = Keys::None);
    void mouseMove(int id, POINT at, Keys keys = Keys::None);
    void mouseUp(int id, POINT at, MouseButton button = MouseButton::Left, Keys keys = Keys::None);
    // A left click at a point of the control's client area, received by whichever window takes the mouse
    // there (MouseInput.h): a disabled child's parent, the window beneath a transparent static, ...
    void clickAt(int id, POINT at, Keys keys = Keys::None);
    // Presses the left button at path[0], moves through the next points and releases at the last one,
    // all in the control's client area. The press goes to the window hit there; a tracking loop that it
    // starts (CRectTracker::Track / TrackRubberBand) follows the path, otherwise the moves and the release
    // arrive as messages, to the window holding the capture or else to the window under each point.
    void drag(int id, const std::vector<POINT>& path, Keys keys = Keys::None);
    // Chooses an item as the user would (combo: CBN_SELCHANGE; list box: LBN_SELCHANGE with
    // LBS_NOTIFY; other item controls through their procedure).
    void select(int id, int index);
    // Chooses the item with exactly that text.
    void select(int id, const std::wstring& itemText);
    void setFocus(int id);
    // WM_CLOSE to the root (the caption's close box).
    void close();
    // Drags the root's frame to that window size, as a user would: WM_GETMINMAXINFO limits it, then
    // the window is sized (WM_SIZE).
    void resize(int width, int height);
    // Sends a message to a control, for verbs not covered here.
    LRESULT send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // ---- Reading
    std::wstring text(int id) const;
    bool enabled(int id) const;
    bool visible(int id) const;  // the control and its ancestors visible
    int checked(int id) const;   // BST_UNCHECKED / BST_CHECKED / BST_INDETERMINATE; -1 not a check
    std::vector<std::wstring> items(int id) const;
    int selection(int id) const;
    RECT rect(int id) const;  // in the root's client coordinates
    bool focused(int id) const;
    int focusedId() const;
    DWORD style(int id) const;
    // The text dump of the root's tree (dumpWindowTree).
    std::wstring dump() const;

private:
    HWND requireInput(int id, const char* verb) const;
    // `buttons`: MK_ flags of buttons held besides what the message implies (a drag holds the left one).
    void mouse(HWND target, UINT message, POINT at, Keys keys, WPARAM buttons = 0);
    HWND m_root;
};

// One line per window, children indented by two spaces:
//   Button #1 "OK" [visible enabled focus default] (10,10 85x23) checked
// class, id, text, states, rectangle in the parent's client coordinates (screen for top-level),
// then what the class procedure adds. Deterministic: handles and addresses never appear.
std::wstring dumpWindowTree(HWND root);

}  // namespace ui
