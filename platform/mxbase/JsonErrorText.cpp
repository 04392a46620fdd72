#include "platform/mxbase/JsonErrorText.h"

#include <algorithm>
#include <cctype>
#include <cstdio>  // sscanf
#include <stdexcept>
#include <nlohmann/json.hpp>

namespace {

// Drops "[json.exception.type_error.302] " and the like.
std::string withoutId(const std::string& text) {
    if (text.rfind("[json.exception.", 0) != 0)
        return text;
    const auto close = text.find("] ");
    return close == std::string::npos ? text : text.substr(close + 2);
}

}  // namespace

std::string jsonErrorText(const std::exception& error) {
    const auto* parse = dynamic_cast<const nlohmann::json::parse_error*>(&error);
    if (!parse)
        return withoutId(error.what());
    std::string text = withoutId(error.what());
    int line = 0, column = 0, consumed = 0;
    if (std::sscanf(text.c_str(), "parse error at line %d, column %d: %n", &line, &column, &consumed) == 2 &&
        consumed > 0) {
        text = text.substr(static_cast<std::size_t>(consumed));
    } else {
        line = 1;
        column = static_cast<int>(parse->byte);
        if (text.rfind("parse error: ", 0) == 0)
            text = text.substr(13);
    }
    // "syntax error while parsing value - invalid literal" says the same twice.
    for (const char* lead : {"syntax error while parsing ", "parse error: "}) {
        if (text.rfind(lead, 0) != 0)
            continue;
        const auto dash = text.find(" - ");
        if (dash != std::string::npos)
            text = text.substr(dash + 3);
    }
    return std::to_string(line) + ":" + std::to_string(std::max(column, 1)) + ": " + text;
}

std::string withFileName(const std::string& file, const std::string& text) {
    const bool positioned = !text.empty() && std::isdigit(static_cast<unsigned char>(text.front()));
    return file + (positioned ? ":" : ": ") + text;
}

namespace {

// Whether a value, a key or a container stands more than `maxDepth` containers deep, as the parser's
// depth would report it: a scan over the text, skipping strings, far cheaper than a callback on every
// parse event. Malformed text is left to the parser.
bool deeperThan(std::string_view text, int maxDepth) {
    int open = 0;
    const std::size_t size = text.size();
    constexpr std::string_view kBlank = " \t\n\r,:";
    constexpr std::string_view kScalarEnd = " \t\n\r,:]}[{\"";
    for (std::size_t i = 0; i < size; ++i) {
        const char c = text[i];
        if (kBlank.find(c) != std::string_view::npos)
            continue;
        if (c == '}' || c == ']') {
            --open;
            continue;
        }
        // A container, a string or a scalar starts here, at the depth of what is open.
        if (open > maxDepth)
            return true;
        if (c == '{' || c == '[') {
            ++open;
        } else if (c == '"') {
            for (++i; i < size && text[i] != '"'; ++i)
                if (text[i] == '\\')
                    ++i;
        } else {
            while (i + 1 < size && kScalarEnd.find(text[i + 1]) == std::string_view::npos)
                ++i;
        }
    }
    return false;
}

}  // namespace

bool parseJsonWithin(std::string_view text, int maxDepth, nlohmann::ordered_json& document, std::string& error) {
    try {
        if (deeperThan(text, maxDepth))
            throw std::length_error("nested deeper than " + std::to_string(maxDepth) + " levels");
        document = nlohmann::ordered_json::parse(text.begin(), text.end());
    } catch (const std::exception& e) {
        error = jsonErrorText(e);
        return false;
    }
    return true;
}
