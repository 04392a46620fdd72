#include "platform/mfc/StepScript.h"

#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "platform/arx/Utf8.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/Win32Types.h"

namespace ui {
namespace {

// Splits a line into words; a word in double quotes may hold spaces and escapes. False with a problem.
bool splitWords(std::string_view line, std::vector<std::string>& words, std::vector<bool>& quoted,
                std::string& problem) {
    std::size_t at = 0;
    while (at < line.size()) {
        if (std::isspace(static_cast<unsigned char>(line[at]))) {
            ++at;
            continue;
        }
        if (line[at] == '#')
            break;
        std::string word;
        if (line[at] == '"') {
            ++at;
            bool closed = false;
            while (at < line.size()) {
                const char c = line[at++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c != '\\') {
                    word += c;
                    continue;
                }
                if (at >= line.size())
                    break;
                const char e = line[at++];
                switch (e) {
                    case 'n':
                        word += '\n';
                        break;
                    case 't':
                        word += '\t';
                        break;
                    case 'r':
                        word += '\r';
                        break;
                    case '"':
                        word += '"';
                        break;
                    case '\\':
                        word += '\\';
                        break;
                    default:
                        problem = std::string("unknown escape \\") + e;
                        return false;
                }
            }
            if (!closed) {
                problem = "text not closed with \"";
                return false;
            }
            words.push_back(std::move(word));
            quoted.push_back(true);
            continue;
        }
        while (at < line.size() && !std::isspace(static_cast<unsigned char>(line[at])))
            word += line[at++];
        words.push_back(std::move(word));
        quoted.push_back(false);
    }
    return true;
}

std::optional<int> number(const std::string& word) {
    int value = 0;
    const char* end = word.data() + word.size();
    const auto result = std::from_chars(word.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return value;
}

std::optional<int> controlId(const std::string& word) {
    static const std::map<std::string, int> names{
        {"IDOK", IDOK},         {"IDCANCEL", IDCANCEL}, {"IDABORT", IDABORT}, {"IDRETRY", IDRETRY},
        {"IDIGNORE", IDIGNORE}, {"IDYES", IDYES},       {"IDNO", IDNO}};
    if (const auto it = names.find(word); it != names.end())
        return it->second;
    return number(word);
}

std::optional<int> keyCode(const std::string& word) {
    static const std::map<std::string, int> names{
        {"RETURN", VK_RETURN}, {"ENTER", VK_RETURN}, {"ESCAPE", VK_ESCAPE}, {"TAB", VK_TAB},
        {"SPACE", VK_SPACE},   {"BACK", VK_BACK},    {"DELETE", VK_DELETE}, {"INSERT", VK_INSERT},
        {"HOME", VK_HOME},     {"END", VK_END},      {"PRIOR", VK_PRIOR},   {"NEXT", VK_NEXT},
        {"UP", VK_UP},         {"DOWN", VK_DOWN},    {"LEFT", VK_LEFT},     {"RIGHT", VK_RIGHT}};
    if (const auto it = names.find(word); it != names.end())
        return it->second;
    if (word.size() == 1 && std::isalnum(static_cast<unsigned char>(word[0])))
        return std::toupper(static_cast<unsigned char>(word[0]));
    if (word.size() >= 2 && word[0] == 'F') {
        const std::optional<int> n = number(word.substr(1));
        if (n && *n >= 1 && *n <= 12)
            return int(VK_F1) + *n - 1;
    }
    const std::optional<int> n = number(word);
    if (n && *n > 0 && *n < 256)
        return n;
    return std::nullopt;
}

}  // namespace

std::optional<StepScript> StepScript::parse(std::string_view text, const std::string& name,
                                            std::string* error) {
    StepScript script;
    int lineNumber = 0;
    auto fail = [&](const std::string& problem) {
        if (error)
            *error = name + ":" + std::to_string(lineNumber) + ": " + problem;
        return std::nullopt;
    };
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        std::vector<std::string> words;
        std::vector<bool> quoted;
        std::string problem;
        if (!splitWords(line, words, quoted, problem))
            return fail(problem);
        if (words.empty())
            continue;
        Step step;
        step.verb = words[0];
        step.line = lineNumber;
        std::size_t next = 1;
        auto needId = [&]() -> bool {
            if (next >= words.size())
                return false;
            const std::optional<int> id = controlId(words[next]);
            if (!id)
                return false;
            step.id = *id;
            ++next;
            return true;
        };
        auto modifiers = [&]() -> bool {
            for (; next < words.size(); ++next) {
                if (words[next] == "shift")
                    step.keys = step.keys | Keys::Shift;
                else if (words[next] == "ctrl")
                    step.keys = step.keys | Keys::Ctrl;
                else if (words[next] == "alt")
                    step.keys = step.keys | Keys::Alt;
                else if (words[next] == "right" && step.verb.rfind("mouse-", 0) == 0)
                    step.button = MouseButton::Right;
                else
                    return false;
            }
            return true;
        };
        const std::string& verb = step.verb;
        if (verb == "click" || verb == "double-click" || verb == "focus") {
            if (!needId())
                return fail(verb + " needs a control: a number or IDOK, IDCANCEL, ...");
            if (verb == "focus" && next < words.size())
                return fail("unexpected \"" + words[next] + "\" after focus");
            if (!modifiers())
                return fail("unexpected \"" + words[next] + "\" after " + verb);
        } else if (verb == "type") {
            if (!needId())
                return fail("type needs a control and a text in double quotes");
            if (next + 1 != words.size() || !quoted[next])
                return fail("type needs a text in double quotes after the control");
            step.text = utf8::decode(words[next]);
        } else if (verb == "type-here") {
            if (words.size() != 2 || !quoted[1])
                return fail("type-here needs one text in double quotes");
            step.text = utf8::decode(words[1]);
        } else if (verb == "select") {
            if (!needId() || next + 1 != words.size())
                return fail("select needs a control and an item (an index or a text in double quotes)");
            if (quoted[next]) {
                step.text = utf8::decode(words[next]);
            } else {
                const std::optional<int> index = number(words[next]);
                if (!index || *index < 0)
                    return fail("\"" + words[next] + "\" is no item index");
                step.numbers.push_back(*index);
            }
        } else if (verb == "press") {
            const std::optional<int> key = next < words.size() ? keyCode(words[next]) : std::nullopt;
            if (!key)
                return fail("press needs a key: RETURN, ESCAPE, TAB, F1-F12, a letter, ...");
            step.numbers.push_back(*key);
            ++next;
            if (!modifiers())
                return fail("unexpected \"" + words[next] + "\" after the key");
        } else if (verb == "mouse-down" || verb == "mouse-move" || verb == "mouse-up") {
            if (!needId())
                return fail(verb + " needs a control and a point");
            for (int i = 0; i < 2; ++i) {
                const std::optional<int> n = next < words.size() ? number(words[next]) : std::nullopt;
                if (!n)
                    return fail(verb + " needs a point: x y in the control's client area");
                step.numbers.push_back(*n);
                ++next;
            }
            if (!modifiers())
                return fail("unexpected \"" + words[next] + "\" after the point");
        } else if (verb == "click-at" || verb == "drag") {
            if (!needId())
                return fail(verb + " needs a control and a point");
            while (next < words.size()) {
                const std::optional<int> n = number(words[next]);
                if (!n)
                    break;
                step.numbers.push_back(*n);
                ++next;
            }
            const std::size_t wanted = verb == "drag" ? 4 : 2;
            if (step.numbers.size() % 2 != 0 || step.numbers.size() < wanted ||
                (verb == "click-at" && step.numbers.size() != wanted))
                return fail(verb == "drag" ? "drag needs two or more points: x y x y ..."
                                           : "click-at needs a point: x y in the control's client area");
            if (!modifiers())
                return fail("unexpected \"" + words[next] + "\" after the points");
        } else if (verb == "resize") {
            for (std::size_t i = 1; i < words.size(); ++i) {
                const std::optional<int> n = number(words[i]);
                if (!n || *n < 0)
                    return fail("resize needs a width and a height");
                step.numbers.push_back(*n);
            }
            if (step.numbers.size() != 2)
                return fail("resize needs a width and a height");
        } else if (verb == "close") {
            if (words.size() != 1)
                return fail("close takes nothing after it");
        } else {
            return fail("unknown step \"" + verb + "\"");
        }
        script.m_steps.push_back(std::move(step));
    }
    return script;
}

void StepScript::run(Automation& dialog) const {
    for (const Step& step : m_steps) {
        if (step.verb == "click")
            dialog.click(step.id, step.keys);
        else if (step.verb == "double-click")
            dialog.doubleClick(step.id, step.keys);
        else if (step.verb == "focus")
            dialog.setFocus(step.id);
        else if (step.verb == "type")
            dialog.type(step.id, step.text);
        else if (step.verb == "type-here")
            dialog.typeHere(step.text);
        else if (step.verb == "select" && step.numbers.empty())
            dialog.select(step.id, step.text);
        else if (step.verb == "select")
            dialog.select(step.id, step.numbers[0]);
        else if (step.verb == "press")
            dialog.press(UINT(step.numbers[0]), step.keys);
        else if (step.verb == "mouse-down")
            dialog.mouseDown(step.id, POINT{step.numbers[0], step.numbers[1]}, step.button, step.keys);
        else if (step.verb == "mouse-move")
            dialog.mouseMove(step.id, POINT{step.numbers[0], step.numbers[1]}, step.keys);
        else if (step.verb == "mouse-up")
            dialog.mouseUp(step.id, POINT{step.numbers[0], step.numbers[1]}, step.button, step.keys);
        else if (step.verb == "click-at")
            dialog.clickAt(step.id, POINT{step.numbers[0], step.numbers[1]}, step.keys);
        else if (step.verb == "drag") {
            std::vector<POINT> path;
            for (std::size_t i = 0; i + 1 < step.numbers.size(); i += 2)
                path.push_back(POINT{step.numbers[i], step.numbers[i + 1]});
            dialog.drag(step.id, path, step.keys);
        } else if (step.verb == "resize")
            dialog.resize(step.numbers[0], step.numbers[1]);
        else if (step.verb == "close")
            dialog.close();
        if (!IsWindow(dialog.root()))
            return;  // the dialog ended: nothing is left to act on
    }
}

std::optional<StepScript> StepScript::load(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    std::error_code ignored;
    if (!in || !std::filesystem::is_regular_file(path, ignored)) {
        if (error != nullptr)
            *error = path + ": cannot read the steps";
        return std::nullopt;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return parse(text, path, error);
}

}  // namespace ui
