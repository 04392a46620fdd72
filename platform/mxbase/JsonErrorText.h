#pragma once
// What went wrong in a JSON document, in our own words. The JSON library's messages start with its
// internal error ids ("[json.exception.parse_error.101] parse error at line 3, column 11: ..."), which
// mean nothing to whoever wrote the file; callers put the file's name in front of what this returns.
#include <exception>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

// "3:11: invalid literal; last read: 'x'" for a parse error (line and column, then the problem);
// the message without the library's id for any other of its errors; what() for anything else.
std::string jsonErrorText(const std::exception& error);

// "FILE:3:11: problem" when the text starts with a position, "FILE: problem" otherwise.
std::string withFileName(const std::string& file, const std::string& text);

// Parses a document nested at most `maxDepth` levels (a deeper one is refused before it can exhaust
// the stack). False with jsonErrorText's words in `error`.
bool parseJsonWithin(std::string_view text, int maxDepth, nlohmann::ordered_json& document, std::string& error);
