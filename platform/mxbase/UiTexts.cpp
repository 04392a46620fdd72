#include "platform/mxbase/UiTexts.h"

#include <charconv>  // from_chars
#include <mutex>
#include <optional>
#include <span>
#include <unordered_map>

#include "platform/arx/Embedded.h"
#include "platform/arx/Utf8.h"

namespace embedded {
std::span<const File> uiTexts();  // generated from res/texts/*.txt
}  // namespace embedded

namespace uitexts {
namespace {

constexpr std::string_view kBuiltinName = "res/texts/en.txt";

struct Table {
    std::unordered_map<int, std::wstring> dialog;
    std::unordered_map<int, std::wstring> core;
};

// Undoes the escapes of a text: \n, \t and \\. Any other backslash stays as it is, so a path written
// with single backslashes survives.
std::wstring unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            char next = text[i + 1];
            if (next == 'n' || next == 't' || next == '\\') {
                out += next == 'n' ? '\n' : next == 't' ? '\t' : '\\';
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return utf8::decode(out);
}

Table parse(std::string_view text, std::vector<std::string>& problems) {
    Table table;
    auto* section = &table.dialog;
    int lineNumber = 0;
    std::size_t start = 0;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") start = 3;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        auto problem = [&](const std::string& what) {
            problems.push_back("line " + std::to_string(lineNumber) + ": " + what);
        };
        if (line == "[dialog]") {
            section = &table.dialog;
            continue;
        }
        if (line == "[core]") {
            section = &table.core;
            continue;
        }
        int number = 0;
        auto [rest, error] = std::from_chars(line.data(), line.data() + line.size(), number);
        if (error != std::errc() || number < 0) {
            problem("no text number");
            continue;
        }
        std::string_view after = line.substr(static_cast<std::size_t>(rest - line.data()));
        if (after.empty() || after.front() != '\t') {
            problem("the number must be followed by a tab");
            continue;
        }
        after.remove_prefix(1);
        if (after.empty()) {
            problem("empty text for " + std::to_string(number));
            continue;
        }
        if (!section->emplace(number, unescape(after)).second) {
            problem("text " + std::to_string(number) + " appears twice; the first is kept");
        }
    }
    return table;
}

std::mutex gMutex;
std::optional<Table> gTable;  // parsed on first use

std::string_view builtinText() {
    for (const embedded::File& file : embedded::uiTexts()) {
        if (std::string_view(file.name) == kBuiltinName) return file.text();
    }
    return {};
}

// Runs f on the table, parsing the built-in one first when nothing is loaded yet.
template <typename F>
auto withTable(F f) {
    std::lock_guard lock(gMutex);
    if (!gTable) {
        std::vector<std::string> ignored;
        gTable = parse(builtinText(), ignored);
    }
    return f(*gTable);
}

std::wstring lookup(int number, Section section) {
    std::optional<std::wstring> found = withTable([&](const Table& table) -> std::optional<std::wstring> {
        const auto& texts = section == Section::Dialog ? table.dialog : table.core;
        auto it = texts.find(number);
        if (it == texts.end()) return std::nullopt;
        return it->second;
    });
    if (found) return *found;
    return L"<text " + std::to_wstring(number) + L">";
}

}  // namespace

bool has(int number, Section section) {
    return withTable([&](const Table& table) {
        const auto& texts = section == Section::Dialog ? table.dialog : table.core;
        return texts.count(number) > 0;
    });
}

int count(Section section) {
    return withTable([&](const Table& table) {
        return static_cast<int>(section == Section::Dialog ? table.dialog.size() : table.core.size());
    });
}

std::vector<std::string> load(std::string_view text) {
    std::vector<std::string> problems;
    Table table = parse(text, problems);
    std::lock_guard lock(gMutex);
    gTable = std::move(table);
    return problems;
}

std::vector<std::string> loadBuiltin() {
    std::string_view text = builtinText();
    if (text.empty()) return {"the text table \"" + std::string(kBuiltinName) + "\" is not in the library"};
    return load(text);
}

}  // namespace uitexts

Mx_String dialString(int number) { return Mx_String(uitexts::lookup(number, uitexts::Section::Dialog)); }

Mx_String coreString(int number) { return Mx_String(uitexts::lookup(number, uitexts::Section::Core)); }
