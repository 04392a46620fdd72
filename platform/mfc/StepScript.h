#pragma once
// A step file: what a user does in a dialog, written as lines of the automation verbs, so a person can
// drive any dialog from the command line and a picture can show it mid-use.
//
//   # comments and blank lines are skipped
//   type 1001 "Base plate"        text typed into a control ("\n", "\t", "\"" and "\\" escapes)
//   type-here "abc"               typed into the focused control
//   click IDOK                    controls by number or by IDOK, IDCANCEL, IDYES, IDNO, IDABORT,
//   double-click 1009             IDRETRY, IDIGNORE; 0 is the dialog itself
//   select 1007 "Cut"             a list or combo item by text ...
//   select 1009 2                 ... or by index
//   focus 1001
//   press RETURN shift            a key (RETURN, ESCAPE, TAB, SPACE, BACK, DELETE, INSERT, HOME, END,
//                                 PRIOR, NEXT, UP, DOWN, LEFT, RIGHT, F1-F12, a letter or digit, or a
//                                 number) with any of shift, ctrl, alt
//   mouse-down 1009 10 5 [right]  mouse at a point of a control's client area, with modifiers after
//   mouse-move 1009 20 5
//   mouse-up 1009 20 5 [right]
//   click-at 0 120 40 ctrl        a left click at a point, taken by the window the mouse hits there
//   drag 0 120 40 160 70          press at the first point, move through the next, release at the last
//   resize 400 300                the dialog's client size
//   close                         the close box
//
// parse() reads a whole file and refuses it at the first bad line with "file:line: problem", so
// nothing runs from a script that is wrong further down.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mfc/Automation.h"

namespace ui {

class StepScript {
public:
    struct Step {
        std::string verb;
        int id = 0;
        std::wstring text;
        std::vector<int> numbers;
        Keys keys = Keys::None;
        MouseButton button = MouseButton::Left;
        int line = 0;
    };

    // Null with `error` set ("name:line: problem") when a line cannot be read.
    static std::optional<StepScript> parse(std::string_view text, const std::string& name,
                                           std::string* error);
    // parse() of the file at `path`; "path: cannot read the steps" when it is no readable file.
    static std::optional<StepScript> load(const std::string& path, std::string* error);

    const std::vector<Step>& steps() const { return m_steps; }
    // Runs every step on the dialog; problems (a missing or disabled control) go to the automation's
    // problem reporter, as a user's click on nothing does nothing.
    void run(Automation& dialog) const;

private:
    std::vector<Step> m_steps;
};

}  // namespace ui
