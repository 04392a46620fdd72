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

// How deeply the brackets of a document nest, strings skipped as the parser's lexer skips them. Up to
// the first syntax error this is the nesting the parser meets; past it the parser has stopped anyway.
int nesting(std::string_view text) {
    int depth = 0;
    int deepest = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            deepest = std::max(deepest, ++depth);
        } else if (c == '}' || c == ']') {
            --depth;
        }
    }
    return deepest;
}

}  // namespace

bool parseJsonWithin(std::string_view text, int maxDepth, nlohmann::ordered_json& document, std::string& error) {
    try {
        // A callback on every value costs as much as the parse itself: a document that cannot be too
        // deep (nearly all of them) is parsed without it.
        if (nesting(text) <= maxDepth) {
            document = nlohmann::ordered_json::parse(text.begin(), text.end());
            return true;
        }
        nlohmann::ordered_json::parser_callback_t limitDepth = [maxDepth](int depth, nlohmann::ordered_json::parse_event_t,
                                                                           nlohmann::ordered_json&) {
            if (depth > maxDepth)
                throw std::length_error("nested deeper than " + std::to_string(maxDepth) + " levels");
            return true;
        };
        document = nlohmann::ordered_json::parse(text.begin(), text.end(), limitDepth);
    } catch (const std::exception& e) {
        error = jsonErrorText(e);
        return false;
    }
    return true;
}
