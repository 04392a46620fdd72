#include "platform/mxbase/JsonErrorText.h"

#include <rapidjson/reader.h>
#include <algorithm>
#include <cctype>
#include <charconv>  // from_chars
#include <cstdint>
#include <cstdio>   // sscanf
#include <cstring>  // memchr
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/arx/Utf8.h"

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

using Json = nlohmann::ordered_json;

// Builds the document from the parser's events. The library's own builder adds every member to its
// object as it comes, and an ordered object's members are copied, subtrees and all, each time the
// object grows; here the members of the open objects and arrays are gathered on one stack and moved into
// their container once, when it closes.
class DocumentBuilder {
public:
    explicit DocumentBuilder(Json& document) : document_(document) {}

    bool null() { return add(Json(nullptr)); }
    bool boolean(bool value) { return add(Json(value)); }
    bool number_integer(Json::number_integer_t value) { return add(Json(value)); }
    bool number_unsigned(Json::number_unsigned_t value) { return add(Json(value)); }
    bool number_float(Json::number_float_t value, const Json::string_t&) { return add(Json(value)); }
    bool string(Json::string_t& value) { return add(Json(std::move(value))); }
    bool binary(Json::binary_t& value) { return add(Json::binary(std::move(value))); }

    bool start_object(std::size_t) { return open(); }
    bool key(Json::string_t& name) {
        names_.push_back(std::move(name));
        return true;
    }
    bool end_object() {
        const Level level = levels_.back();
        levels_.pop_back();
        Json object = Json::object();
        auto& members = object.get_ref<Json::object_t&>();
        const std::size_t count = values_.size() - level.first;
        // Reserved once, so the names indexed below stay where they are.
        members.reserve(count);
        // A repeated name keeps its first place and takes the last value, as the library does. A
        // small object (a macro's are) is searched member by member; a large one through an index,
        // or an object of a hundred thousand members would take billions of comparisons.
        std::unordered_map<std::string_view, std::size_t> placed;
        if (count > kSearchedMembers)
            placed.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            std::string& name = names_[level.firstName + i];
            Json& value = values_[level.first + i];
            if (count <= kSearchedMembers) {
                auto same = std::find_if(members.begin(), members.end(),
                                         [&](const auto& m) { return m.first == name; });
                if (same != members.end())
                    same->second = std::move(value);
                else
                    members.emplace_back(std::move(name), std::move(value));
                continue;
            }
            if (auto same = placed.find(name); same != placed.end()) {
                (members.begin() + static_cast<std::ptrdiff_t>(same->second))->second = std::move(value);
                continue;
            }
            members.emplace_back(std::move(name), std::move(value));
            placed.emplace(members.back().first, members.size() - 1);
        }
        names_.resize(level.firstName);
        values_.resize(level.first);
        return add(std::move(object));
    }
    bool start_array(std::size_t) { return open(); }
    bool end_array() {
        const Level level = levels_.back();
        levels_.pop_back();
        Json array = Json::array();
        auto& items = array.get_ref<Json::array_t&>();
        items.reserve(values_.size() - level.first);
        for (std::size_t i = level.first; i < values_.size(); ++i)
            items.push_back(std::move(values_[i]));
        values_.resize(level.first);
        return add(std::move(array));
    }

    template <class Exception>
    bool parse_error(std::size_t, const std::string&, const Exception& error) {
        throw error;
    }

private:
    static constexpr std::size_t kSearchedMembers = 32;

    // An open container: where its values (and, for an object, its names) start in the shared lists.
    struct Level {
        std::size_t first;
        std::size_t firstName;
    };

    bool open() {
        levels_.push_back(Level{values_.size(), names_.size()});
        return true;
    }

    bool add(Json value) {
        if (levels_.empty())
            document_ = std::move(value);
        else
            values_.push_back(std::move(value));
        return true;
    }

    Json& document_;
    std::vector<Level> levels_;
    // The values and names of every open container, innermost last.
    std::vector<Json> values_;
    std::vector<std::string> names_;
};

// RapidJSON's reader, which reads a document several times as fast as the library's own, feeding the
// same builder. It is as strict as the library's parser but for what it lets into a string: it is not
// asked to check UTF-8 (its check goes a byte at a time) and would take a "\uDC00" standing alone (a
// low surrogate without its high one), which the library refuses. So every string is checked here,
// a word at a time, for valid UTF-8, which a lone surrogate is not; a string that fails ends the quick
// read, and the library reads the document again and says what is wrong.
class FastEvents {
public:
    explicit FastEvents(DocumentBuilder& builder) : builder_(builder) {}

    bool Null() { return builder_.null(); }
    bool Bool(bool value) { return builder_.boolean(value); }
    // Numbers come as their text (see parseJsonWithin) and are read as the library reads them: an
    // integer that fits as an integer (signed when negative), anything else as the nearest double. A
    // number beyond any double is the library's to take.
    bool RawNumber(const char* text, rapidjson::SizeType length, bool) {
        const char* end = text + length;
        if (std::find_if(text, end, [](char c) { return c == '.' || c == 'e' || c == 'E'; }) == end) {
            if (*text == '-') {
                std::int64_t value = 0;
                if (std::from_chars(text, end, value).ec == std::errc())
                    return builder_.number_integer(value);
            } else {
                std::uint64_t value = 0;
                if (std::from_chars(text, end, value).ec == std::errc())
                    return builder_.number_unsigned(value);
            }
        }
        double value = 0.0;
        const auto [at, problem] = std::from_chars(text, end, value);
        if (problem != std::errc() || at != end)
            return false;
        return builder_.number_float(value, empty_);
    }
    bool Int(int) { return false; }
    bool Uint(unsigned) { return false; }
    bool Int64(std::int64_t) { return false; }
    bool Uint64(std::uint64_t) { return false; }
    bool Double(double) { return false; }
    bool String(const char* text, rapidjson::SizeType length, bool) {
        if (!wellFormed(text, length))
            return false;
        Json::string_t value(text, length);
        return builder_.string(value);
    }
    bool StartObject() { return builder_.start_object(0); }
    bool Key(const char* text, rapidjson::SizeType length, bool) {
        if (!wellFormed(text, length))
            return false;
        Json::string_t name(text, length);
        return builder_.key(name);
    }
    bool EndObject(rapidjson::SizeType) { return builder_.end_object(); }
    bool StartArray() { return builder_.start_array(0); }
    bool EndArray(rapidjson::SizeType) { return builder_.end_array(); }

private:
    static bool wellFormed(const char* text, std::size_t length) {
        return utf8::isValid(std::string_view(text, length));
    }

    DocumentBuilder& builder_;
    const Json::string_t empty_;
};

}  // namespace

bool parseJsonWithin(std::string_view text, int maxDepth, nlohmann::ordered_json& document,
                     std::string& error) {
    try {
        // A callback on every value costs as much as the parse itself: a document that cannot be too
        // deep (nearly all of them) is parsed without it.
        if (nesting(text) <= maxDepth) {
            // The quick reader first. Text it refuses (or with a NUL byte, which ends its input) goes to
            // the library's parser, which takes what it takes and says where and why it does not.
            if (!text.empty() && std::memchr(text.data(), 0, text.size()) == nullptr) {
                // Read in place, in a copy: strings are unescaped where they stand and numbers handed
                // over as their text, so the reader needs no stack of its own (its first push onto an
                // empty one offsets a null pointer).
                std::string copy(text);
                Json built;
                DocumentBuilder builder(built);
                FastEvents events(builder);
                rapidjson::InsituStringStream stream(copy.data());
                rapidjson::Reader reader;
                constexpr unsigned kFlags =
                    rapidjson::kParseInsituFlag | rapidjson::kParseNumbersAsStringsFlag;
                if (!reader.Parse<kFlags>(stream, events).IsError()) {
                    document = std::move(built);
                    return true;
                }
            }
            Json built;
            DocumentBuilder builder(built);
            Json::sax_parse(text.begin(), text.end(), &builder);
            document = std::move(built);
            return true;
        }
        nlohmann::ordered_json::parser_callback_t limitDepth =
            [maxDepth](int depth, nlohmann::ordered_json::parse_event_t, nlohmann::ordered_json&) {
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
