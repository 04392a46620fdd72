#include "platform/mfc/Resources.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <list>
#include <optional>

#include "platform/arx/Utf8.h"
#include "platform/mfc/ResourceStyles.h"

namespace ui {
namespace {

struct Module {
    HINSTANCE handle;
    std::unique_ptr<ResourceModule> resources;
};

struct ResourceState {
    std::list<Module> modules;
    std::uintptr_t nextHandle = 0x400000;
    HINSTANCE current = nullptr;
    std::vector<HINSTANCE> chain;
};

ResourceState& state() {
    static ResourceState* s = new ResourceState;  // never destroyed: resources outlive static dialogs
    return *s;
}

// ---- Resource text

struct Token {
    enum Kind { Word, Number, String, Bar } kind;
    std::string text;
    long long number = 0;
};

struct Line {
    int number = 0;
    std::vector<Token> tokens;
};

bool tokenize(const std::string& line, Line& out, std::string& error) {
    std::size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == ',' || c == '\r') {
            ++i;
        } else if (c == '#' || (c == '/' && i + 1 < line.size() && line[i + 1] == '/') || c == ';') {
            break;
        } else if (c == '|') {
            out.tokens.push_back({Token::Bar, "|"});
            ++i;
        } else if (c == '"') {
            std::string text;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char d = line[i++];
                if (d == '"') {
                    closed = true;
                    break;
                }
                if (d == '\\' && i < line.size()) {
                    char e = line[i++];
                    text += e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
                } else {
                    text += d;
                }
            }
            if (!closed) {
                error = "unterminated string";
                return false;
            }
            out.tokens.push_back({Token::String, text});
        } else if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) {
            std::size_t start = i++;
            while (i < line.size() && std::isalnum(static_cast<unsigned char>(line[i]))) ++i;
            std::string text = line.substr(start, i - start);
            char* end = nullptr;
            errno = 0;
            long long v = std::strtoll(text.c_str(), &end, 0);
            if (!end || *end != '\0' || errno != 0 || v < -0x80000000LL || v > 0xFFFFFFFFLL) {
                error = "bad number '" + text + "'";
                return false;
            }
            out.tokens.push_back({Token::Number, text, v});
        } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '#') {
            std::size_t start = i++;
            while (i < line.size() && (std::isalnum(static_cast<unsigned char>(line[i])) || line[i] == '_' || line[i] == '#')) ++i;
            out.tokens.push_back({Token::Word, line.substr(start, i - start)});
        } else {
            error = std::string("unexpected character '") + c + "'";
            return false;
        }
    }
    return true;
}

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

class Parser {
public:
    // `firstLine`: the line number of the text's first line in its file.
    Parser(ResourceModule& module, std::string_view origin, std::span<const embedded::File> files, int firstLine = 1)
        : m_module(module), m_origin(origin), m_files(files), m_firstLine(firstLine) {
        std::size_t slash = m_origin.rfind('/');
        m_folder = slash == std::string::npos ? std::string() : m_origin.substr(0, slash + 1);
    }

    bool parse(std::string_view text, std::wstring* error) {
        std::vector<Line> lines;
        int number = m_firstLine - 1;
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string_view::npos) end = text.size();
            ++number;
            Line line;
            line.number = number;
            std::string problem;
            if (!tokenize(std::string(text.substr(start, end - start)), line, problem)) return fail(number, problem, error);
            if (!line.tokens.empty()) lines.push_back(std::move(line));
            start = end + 1;
        }
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const Line& line = lines[i];
            std::string keyword = line.tokens[0].kind == Token::Word ? upper(line.tokens[0].text) : "";
            std::string problem;
            if (keyword == "DIALOG") {
                if (!parseDialog(lines, i, problem)) return fail(m_errorLine, problem, error);
            } else if (keyword == "BITMAP" || keyword == "ICON") {
                if (!parseFile(line, keyword == "ICON", problem)) return fail(line.number, problem, error);
            } else if (keyword == "STRING") {
                if (line.tokens.size() != 3 || line.tokens[1].kind != Token::Number || line.tokens[2].kind != Token::String)
                    return fail(line.number, "expected STRING <id> \"text\"", error);
                m_module.addString(static_cast<UINT>(line.tokens[1].number), utf8::decode(line.tokens[2].text));
            } else {
                return fail(line.number, "expected DIALOG, BITMAP, ICON or STRING", error);
            }
        }
        return true;
    }

private:
    bool fail(int line, const std::string& problem, std::wstring* error) {
        if (error) *error = utf8::decode(m_origin + ":" + std::to_string(line) + ": " + problem);
        return false;
    }

    // A style expression: names or numbers joined by '|'; "NOT name" removes bits.
    bool parseStyle(const std::vector<Token>& tokens, std::size_t& at, DWORD& style, std::string& problem) {
        bool expectOperand = true;
        while (at < tokens.size()) {
            const Token& t = tokens[at];
            if (t.kind == Token::Word && upper(t.text) == "EXSTYLE") break;
            if (t.kind == Token::Bar) {
                if (expectOperand) {
                    problem = "'|' without a style before it";
                    return false;
                }
                expectOperand = true;
                ++at;
                continue;
            }
            if (!expectOperand) {
                problem = "expected '|' before '" + t.text + "'";
                return false;
            }
            bool remove = false;
            if (t.kind == Token::Word && upper(t.text) == "NOT") {
                remove = true;
                if (++at >= tokens.size()) {
                    problem = "NOT without a style";
                    return false;
                }
            }
            const Token& operand = tokens[at];
            DWORD value = 0;
            if (operand.kind == Token::Number) {
                value = static_cast<DWORD>(operand.number);
            } else if (operand.kind == Token::Word) {
                if (!styleValue(upper(operand.text), value)) {
                    problem = "unknown style '" + operand.text + "'";
                    return false;
                }
            } else {
                problem = "expected a style";
                return false;
            }
            if (remove) style &= ~value;
            else style |= value;
            expectOperand = false;
            ++at;
        }
        if (expectOperand && at > 0 && tokens[at - 1].kind == Token::Bar) {
            problem = "style expression ends with '|'";
            return false;
        }
        return true;
    }

    bool number(const Token& t, int& out) {
        if (t.kind != Token::Number) return false;
        out = static_cast<int>(t.number);
        return true;
    }

    bool controlId(const Token& t, int& out) {
        if (number(t, out)) return true;
        if (t.kind != Token::Word) return false;
        std::string w = upper(t.text);
        static const std::pair<const char*, int> ids[] = {{"IDOK", 1},     {"IDCANCEL", 2}, {"IDABORT", 3}, {"IDRETRY", 4},
                                                          {"IDIGNORE", 5}, {"IDYES", 6},    {"IDNO", 7},    {"IDCLOSE", 8},
                                                          {"IDHELP", 9},   {"IDC_STATIC", -1}};
        for (auto& [name, value] : ids)
            if (w == name) {
                out = value;
                return true;
            }
        return false;
    }

    bool parseDialog(const std::vector<Line>& lines, std::size_t& i, std::string& problem) {
        const Line& head = lines[i];
        m_errorLine = head.number;
        DialogTemplate d;
        const auto& t = head.tokens;
        int id = 0;
        if (t.size() != 6 || !number(t[1], id) || !number(t[2], d.x) || !number(t[3], d.y) || !number(t[4], d.cx) ||
            !number(t[5], d.cy) || id <= 0 || d.cx < 0 || d.cy < 0) {
            problem = "expected DIALOG <id> <x> <y> <width> <height>";
            return false;
        }
        d.id = static_cast<UINT>(id);
        d.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        d.fontName = L"MS Shell Dlg";
        for (++i; i < lines.size(); ++i) {
            const Line& line = lines[i];
            m_errorLine = line.number;
            const auto& k = line.tokens;
            std::string keyword = k[0].kind == Token::Word ? upper(k[0].text) : "";
            if (keyword == "END") {
                if (k.size() != 1) {
                    problem = "unexpected text after END";
                    return false;
                }
                if (m_module.dialog(d.id)) {
                    problem = "dialog " + std::to_string(d.id) + " defined twice";
                    return false;
                }
                m_module.addDialog(std::move(d));
                return true;
            }
            if (keyword == "CAPTION") {
                if (k.size() != 2 || k[1].kind != Token::String) {
                    problem = "expected CAPTION \"text\"";
                    return false;
                }
                d.caption = utf8::decode(k[1].text);
            } else if (keyword == "STYLE" || keyword == "EXSTYLE") {
                std::size_t at = 1;
                DWORD style = 0;
                if (k.size() < 2 || !parseStyle(k, at, style, problem)) {
                    if (problem.empty()) problem = "expected a style";
                    return false;
                }
                if (at != k.size()) {
                    problem = "unexpected text after the style";
                    return false;
                }
                (keyword == "STYLE" ? d.style : d.exStyle) = style;
            } else if (keyword == "FONT") {
                if (k.size() != 3 || !number(k[1], d.fontSize) || k[2].kind != Token::String) {
                    problem = "expected FONT <size> \"face\"";
                    return false;
                }
                d.fontName = utf8::decode(k[2].text);
            } else if (keyword == "CONTROL") {
                ControlTemplate c;
                if (k.size() < 8 || k[1].kind != Token::Word || !controlId(k[2], c.id) || k[3].kind != Token::String ||
                    !number(k[4], c.x) || !number(k[5], c.y) || !number(k[6], c.cx) || !number(k[7], c.cy)) {
                    problem = "expected CONTROL <class> <id> \"text\" <x> <y> <width> <height> [style] [EXSTYLE style]";
                    return false;
                }
                c.className = utf8::decode(k[1].text);
                c.text = utf8::decode(k[3].text);
                c.style = WS_CHILD | WS_VISIBLE;
                std::size_t at = 8;
                if (!parseStyle(k, at, c.style, problem)) return false;
                if (at < k.size()) {
                    ++at;  // EXSTYLE
                    if (at >= k.size() || !parseStyle(k, at, c.exStyle, problem)) {
                        if (problem.empty()) problem = "EXSTYLE without a style";
                        return false;
                    }
                }
                d.controls.push_back(std::move(c));
            } else {
                problem = "expected CAPTION, STYLE, EXSTYLE, FONT, CONTROL or END";
                return false;
            }
        }
        m_errorLine = head.number;
        problem = "DIALOG " + std::to_string(d.id) + " has no END";
        return false;
    }

    bool parseFile(const Line& line, bool icon, std::string& problem) {
        const auto& t = line.tokens;
        int id = 0;
        if (t.size() != 3 || !number(t[1], id) || t[2].kind != Token::String) {
            problem = std::string("expected ") + (icon ? "ICON" : "BITMAP") + " <id> \"file\"";
            return false;
        }
        std::string path = m_folder + t[2].text;
        for (const embedded::File& f : m_files) {
            if (path == f.name) {
                std::vector<unsigned char> bytes(f.data, f.data + f.size);
                if (icon) m_module.addIcon(static_cast<UINT>(id), std::move(bytes));
                else m_module.addBitmap(static_cast<UINT>(id), std::move(bytes));
                return true;
            }
        }
        problem = "file not found: " + path;
        return false;
    }

    ResourceModule& m_module;
    std::string m_origin;
    std::string m_folder;
    std::span<const embedded::File> m_files;
    int m_firstLine;
    int m_errorLine = 0;
};

// What a resource text line starts with, as far as finding resources goes: "DIALOG 253 0 0 ..." is
// a dialog numbered 253, "END" ends one. Other lines are Other; a keyword without a number after it
// has no id. Keywords are matched without regard to case, as the reader does.
struct Heading {
    enum Kind { Other, Dialog, String, Bitmap, Icon, End } kind = Other;
    std::optional<long long> id;
};

Heading headingOf(std::string_view line) {
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == ',' || line[i] == '\r'))
            ++i;
    };
    // ASCII only, without the C library's locale-aware calls: every line of every text passes here
    // when a module's resources are listed.
    auto isAlnum = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    };
    auto isWordChar = [&](char c) { return isAlnum(c) || c == '_' || c == '#'; };
    skipBlanks();
    // Every keyword below starts with one of these letters: most lines are known to be Other here.
    if (i == line.size() || std::string_view("EDSBIedsbi").find(line[i]) == std::string_view::npos)
        return Heading{};
    const std::size_t wordStart = i;
    while (i < line.size() && isWordChar(line[i]))
        ++i;
    const std::string_view word = line.substr(wordStart, i - wordStart);
    auto is = [&](std::string_view keyword) {
        return word.size() == keyword.size() &&
               std::equal(word.begin(), word.end(), keyword.begin(),
                          [](char a, char b) { return (a >= 'a' && a <= 'z' ? char(a - 32) : a) == b; });
    };
    Heading heading;
    if (is("END"))
        heading.kind = Heading::End;
    else if (is("DIALOG"))
        heading.kind = Heading::Dialog;
    else if (is("STRING"))
        heading.kind = Heading::String;
    else if (is("BITMAP"))
        heading.kind = Heading::Bitmap;
    else if (is("ICON"))
        heading.kind = Heading::Icon;
    else
        return heading;
    skipBlanks();
    const std::size_t start = i;
    if (i < line.size() && line[i] == '-')
        ++i;
    while (i < line.size() && isAlnum(line[i]))
        ++i;
    if (i == start)
        return heading;
    const std::string text(line.substr(start, i - start));
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(text.c_str(), &end, 0);
    if (end && *end == '\0' && errno == 0)
        heading.id = v;
    return heading;
}

bool isResourceText(std::string_view fileName) {
    return fileName.size() >= 3 && fileName.substr(fileName.size() - 3) == ".rc";
}

template <class T>
const T* findById(const std::deque<std::pair<UINT, T>>& entries, UINT id) {
    for (const auto& [key, value] : entries)
        if (key == id) return &value;
    return nullptr;
}

template <class T>
void putById(std::deque<std::pair<UINT, T>>& entries, UINT id, T value) {
    for (auto& [key, existing] : entries)
        if (key == id) {
            existing = std::move(value);
            return;
        }
    entries.emplace_back(id, std::move(value));
}

template <class Lookup>
auto lookup(Lookup get) -> decltype(get(std::declval<ResourceModule&>())) {
    ResourceState& s = state();
    if (ResourceModule* m = findResourceModule(s.current))
        if (auto found = get(*m)) return found;
    for (HINSTANCE h : s.chain)
        if (ResourceModule* m = findResourceModule(h))
            if (auto found = get(*m)) return found;
    return nullptr;
}

}  // namespace

RECT dialogUnitsToPixels(int x, int y, int cx, int cy) {
    auto scale = [](int v, int base, int divisor) {
        long long n = static_cast<long long>(v) * base;
        // Round half away from zero, as MulDiv does.
        long long r = n >= 0 ? (n + divisor / 2) / divisor : -((-n + divisor / 2) / divisor);
        return static_cast<LONG>(r);
    };
    LONG left = scale(x, kDialogBaseUnitX, 4);
    LONG top = scale(y, kDialogBaseUnitY, 8);
    return {left, top, left + scale(cx, kDialogBaseUnitX, 4), top + scale(cy, kDialogBaseUnitY, 8)};
}

bool ResourceModule::addText(std::string_view text, std::string_view origin, std::span<const embedded::File> files,
                             std::wstring* error) {
    Parser parser(*this, origin, files);
    return parser.parse(text, error);
}

void ResourceModule::addTextsOnDemand(std::span<const embedded::File> files) {
    m_pendingFiles = files;
    for (std::size_t f = 0; f < files.size(); ++f) {
        if (!isResourceText(files[f].name))
            continue;
        const std::string_view text = files[f].text();
        std::optional<Pending> dialog;  // a DIALOG whose END is still to come
        std::size_t dialogStart = 0;
        int number = 0;
        for (std::size_t start = 0; start <= text.size();) {
            std::size_t end = text.find('\n', start);
            if (end == std::string_view::npos)
                end = text.size();
            ++number;
            const Heading heading = headingOf(text.substr(start, end - start));
            if (dialog) {
                if (heading.kind == Heading::End) {
                    dialog->lines = text.substr(dialogStart, end - dialogStart);
                    m_pending.push_back(*dialog);
                    dialog.reset();
                }
            } else if (heading.kind != Heading::Other && heading.kind != Heading::End && heading.id &&
                       *heading.id > 0 && *heading.id <= 0xFFFFFFFFLL) {
                const auto id = static_cast<UINT>(*heading.id);
                switch (heading.kind) {
                    case Heading::Dialog:
                        dialog = Pending{Pending::Dialog, id, {}, f, number};
                        dialogStart = start;
                        break;
                    case Heading::String:
                    case Heading::Bitmap:
                    case Heading::Icon: {
                        const Pending::Kind kind = heading.kind == Heading::String   ? Pending::String
                                                   : heading.kind == Heading::Bitmap ? Pending::Bitmap
                                                                                     : Pending::Icon;
                        m_pending.push_back({kind, id, text.substr(start, end - start), f, number});
                        break;
                    }
                    default:
                        break;
                }
            }
            start = end + 1;
        }
        // Without its END the dialog's lines run to the end of the text, and reading them says so.
        if (dialog) {
            dialog->lines = text.substr(dialogStart);
            m_pending.push_back(*dialog);
        }
    }
}

void ResourceModule::readPending(Pending::Kind kind, UINT id) const {
    auto found = std::find_if(m_pending.begin(), m_pending.end(),
                              [&](const Pending& p) { return p.kind == kind && p.id == id; });
    if (found == m_pending.end())
        return;
    // NOTE: modules are only ever built on the heap as mutable objects; reading on demand fills them
    // in behind lookups that do not change what the module holds, only when it reads it.
    auto& self = const_cast<ResourceModule&>(*this);
    const Pending pending = *found;
    self.m_pending.erase(self.m_pending.begin() + (found - m_pending.begin()));
    Parser parser(self, m_pendingFiles[pending.file].name, m_pendingFiles, pending.firstLine);
    std::wstring problem;  // a wrong resource is simply not found
    parser.parse(pending.lines, &problem);
}

const DialogTemplate* ResourceModule::dialog(UINT id) const {
    for (int attempt = 0; attempt < 2; ++attempt) {
        for (const DialogTemplate& d : m_dialogs)
            if (d.id == id)
                return &d;
        if (m_pending.empty())
            break;
        readPending(Pending::Dialog, id);
    }
    return nullptr;
}

const std::vector<unsigned char>* ResourceModule::bitmap(UINT id) const {
    if (!m_pending.empty() && !findById(m_bitmaps, id))
        readPending(Pending::Bitmap, id);
    return findById(m_bitmaps, id);
}

const std::vector<unsigned char>* ResourceModule::icon(UINT id) const {
    if (!m_pending.empty() && !findById(m_icons, id))
        readPending(Pending::Icon, id);
    return findById(m_icons, id);
}

const std::wstring* ResourceModule::string(UINT id) const {
    if (!m_pending.empty() && !findById(m_strings, id))
        readPending(Pending::String, id);
    return findById(m_strings, id);
}

std::vector<UINT> ResourceModule::dialogIds() const {
    std::vector<UINT> waiting;
    for (const Pending& p : m_pending)
        if (p.kind == Pending::Dialog)
            waiting.push_back(p.id);
    for (UINT id : waiting)
        readPending(Pending::Dialog, id);
    std::vector<UINT> ids;
    for (const DialogTemplate& d : m_dialogs) ids.push_back(d.id);
    return ids;
}

void ResourceModule::addDialog(DialogTemplate dialogTemplate) {
    for (DialogTemplate& d : m_dialogs)
        if (d.id == dialogTemplate.id) {
            d = std::move(dialogTemplate);
            return;
        }
    m_dialogs.push_back(std::move(dialogTemplate));
}

void ResourceModule::addBitmap(UINT id, std::vector<unsigned char> bytes) { putById(m_bitmaps, id, std::move(bytes)); }
void ResourceModule::addIcon(UINT id, std::vector<unsigned char> bytes) { putById(m_icons, id, std::move(bytes)); }
void ResourceModule::addString(UINT id, std::wstring text) { putById(m_strings, id, std::move(text)); }

ModuleLoad loadResourceModule(std::string name, std::span<const embedded::File> files) {
    auto module = std::make_unique<ResourceModule>(std::move(name));
    ModuleLoad result;
    for (const embedded::File& f : files) {
        std::string_view fileName(f.name);
        if (fileName.size() < 3 || fileName.substr(fileName.size() - 3) != ".rc") continue;
        if (!module->addText(f.text(), fileName, files, &result.error)) return result;
    }
    ResourceState& s = state();
    result.module = reinterpret_cast<HINSTANCE>(s.nextHandle);
    s.nextHandle += 0x10000;
    s.modules.push_back({result.module, std::move(module)});
    return result;
}

HINSTANCE loadResourceModuleOnDemand(std::string name, std::span<const embedded::File> files) {
    auto module = std::make_unique<ResourceModule>(std::move(name));
    module->addTextsOnDemand(files);
    ResourceState& s = state();
    const auto handle = reinterpret_cast<HINSTANCE>(s.nextHandle);
    s.nextHandle += 0x10000;
    s.modules.push_back({handle, std::move(module)});
    return handle;
}

ModuleLoad loadResourceModuleFromText(std::string name, std::string_view text, std::span<const embedded::File> files) {
    auto module = std::make_unique<ResourceModule>(name);
    ModuleLoad result;
    if (!module->addText(text, name, files, &result.error)) return result;
    ResourceState& s = state();
    result.module = reinterpret_cast<HINSTANCE>(s.nextHandle);
    s.nextHandle += 0x10000;
    s.modules.push_back({result.module, std::move(module)});
    return result;
}

void unloadResourceModule(HINSTANCE module) {
    ResourceState& s = state();
    removeFromResourceChain(module);
    if (s.current == module) s.current = nullptr;
    s.modules.remove_if([&](const Module& m) { return m.handle == module; });
}

ResourceModule* findResourceModule(HINSTANCE module) {
    if (!module) return nullptr;
    for (Module& m : state().modules)
        if (m.handle == module) return m.resources.get();
    return nullptr;
}

void addToResourceChain(HINSTANCE module) {
    auto& chain = state().chain;
    if (findResourceModule(module) && std::find(chain.begin(), chain.end(), module) == chain.end()) chain.push_back(module);
}

void removeFromResourceChain(HINSTANCE module) {
    auto& chain = state().chain;
    chain.erase(std::remove(chain.begin(), chain.end(), module), chain.end());
}

const DialogTemplate* findDialogTemplate(UINT id) {
    return lookup([id](ResourceModule& m) { return m.dialog(id); });
}

const std::vector<unsigned char>* findBitmapResource(UINT id) {
    return lookup([id](ResourceModule& m) { return m.bitmap(id); });
}

const std::vector<unsigned char>* findIconResource(UINT id) {
    return lookup([id](ResourceModule& m) { return m.icon(id); });
}

const std::wstring* findStringResource(UINT id) {
    return lookup([id](ResourceModule& m) { return m.string(id); });
}

}  // namespace ui

HINSTANCE AfxGetResourceHandle() { return ui::state().current; }

void AfxSetResourceHandle(HINSTANCE module) { ui::state().current = module; }

HINSTANCE AfxGetInstanceHandle() { return ui::state().current; }

HINSTANCE AfxFindResourceHandle(UINT dialogId) {
    ui::ResourceState& s = ui::state();
    if (ui::ResourceModule* m = ui::findResourceModule(s.current); m && m->dialog(dialogId)) return s.current;
    for (HINSTANCE h : s.chain)
        if (ui::ResourceModule* m = ui::findResourceModule(h); m && m->dialog(dialogId)) return h;
    return nullptr;
}

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& module, HINSTANCE instance) {
    if (!ui::findResourceModule(instance)) return FALSE;
    module.hModule = instance;
    module.hResource = instance;
    module.bInitialized = TRUE;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& module, BOOL) {
    ui::removeFromResourceChain(module.hResource);
    module.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& module) : m_module(module.hResource) {
    ui::addToResourceChain(m_module);
}

CDynLinkLibrary::~CDynLinkLibrary() { ui::removeFromResourceChain(m_module); }

namespace embedded {
std::span<const File> platformResources();
}

namespace ui {

HINSTANCE platformResources() {
    static HINSTANCE module = [] {
        ModuleLoad load = loadResourceModule("res/dialogs", embedded::platformResources());
        // The embedded texts are checked by the tests; a broken one leaves the module empty rather
        // than missing, so lookups simply fail.
        if (!load) load = loadResourceModuleFromText("res/dialogs", "");
        return load.module;
    }();
    return module;
}

}  // namespace ui
