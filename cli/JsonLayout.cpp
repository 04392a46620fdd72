#include "cli/JsonLayout.h"

#include <algorithm>
#include <map>
#include <nlohmann/json.hpp>
#include <vector>

namespace connsheet {
namespace {

using Json = nlohmann::json;

// Where each value stands in the original text, by its JSON pointer. Only containers and scalars are
// told apart; the scalars' text is left to the JSON library to read.
class SpanReader {
public:
    explicit SpanReader(std::string_view text) : text_(text) {}

    // False for anything but one well-formed JSON value (with blanks around it).
    bool read(std::map<std::string, std::pair<std::size_t, std::size_t>>& scalars) {
        scalars_ = &scalars;
        skipBlanks();
        if (!value("", 0))
            return false;
        skipBlanks();
        return pos_ == text_.size();
    }

private:
    static constexpr int kMaxDepth = 64;

    void skipBlanks() {
        while (pos_ < text_.size() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' || text_[pos_] == '\r'))
            ++pos_;
    }

    // A string's raw text, quotes included; its unescaped content goes to `content` when asked.
    bool string(std::string* content) {
        const std::size_t start = pos_;
        if (pos_ >= text_.size() || text_[pos_] != '"')
            return false;
        for (++pos_; pos_ < text_.size(); ++pos_) {
            if (text_[pos_] == '\\') {
                ++pos_;
                continue;
            }
            if (text_[pos_] != '"')
                continue;
            ++pos_;
            if (content) {
                try {
                    *content = Json::parse(text_.substr(start, pos_ - start)).get<std::string>();
                } catch (const std::exception&) {
                    return false;
                }
            }
            return true;
        }
        return false;
    }

    static std::string escapePointer(const std::string& name) {
        std::string escaped;
        for (char c : name)
            escaped += c == '~' ? "~0" : c == '/' ? "~1" : std::string(1, c);
        return escaped;
    }

    bool value(const std::string& pointer, int depth) {
        if (depth > kMaxDepth || pos_ >= text_.size())
            return false;
        const char c = text_[pos_];
        if (c == '{' || c == '[') {
            const bool object = c == '{';
            ++pos_;
            skipBlanks();
            if (pos_ < text_.size() && text_[pos_] == (object ? '}' : ']')) {
                ++pos_;
                (*scalars_)[pointer] = {0, 0};  // an empty container is a value of its own
                return true;
            }
            for (int index = 0;; ++index) {
                std::string member = std::to_string(index);
                if (object) {
                    if (!string(&member))
                        return false;
                    skipBlanks();
                    if (pos_ >= text_.size() || text_[pos_] != ':')
                        return false;
                    ++pos_;
                    skipBlanks();
                    member = escapePointer(member);
                }
                if (!value(pointer + "/" + member, depth + 1))
                    return false;
                skipBlanks();
                if (pos_ < text_.size() && text_[pos_] == ',') {
                    ++pos_;
                    skipBlanks();
                    continue;
                }
                if (pos_ < text_.size() && text_[pos_] == (object ? '}' : ']')) {
                    ++pos_;
                    return true;
                }
                return false;
            }
        }
        const std::size_t start = pos_;
        if (c == '"') {
            if (!string(nullptr))
                return false;
        } else {
            while (pos_ < text_.size() &&
                   std::string_view(",]} \t\r\n").find(text_[pos_]) == std::string_view::npos)
                ++pos_;
        }
        if (!scalars_->emplace(pointer, std::make_pair(start, pos_)).second)
            return false;  // a member named twice
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::map<std::string, std::pair<std::size_t, std::size_t>>* scalars_ = nullptr;
};

}  // namespace

std::string keepJsonLayout(std::string_view original, const std::string& rewritten) {
    std::map<std::string, std::pair<std::size_t, std::size_t>> spans;
    Json before, after;
    try {
        before = Json::parse(original);
        after = Json::parse(rewritten);
    } catch (const std::exception&) {
        return rewritten;
    }
    if (!SpanReader(original).read(spans))
        return rewritten;

    // Every scalar and empty container of the new document, by pointer; the two must have the same.
    const Json flatBefore = before.flatten(), flatAfter = after.flatten();
    if (flatBefore.size() != flatAfter.size() || flatBefore.size() != spans.size())
        return rewritten;
    std::vector<std::pair<std::pair<std::size_t, std::size_t>, std::string>> changes;
    for (const auto& [pointer, value] : flatAfter.items()) {
        const auto old = flatBefore.find(pointer);
        const auto span = spans.find(pointer);
        if (old == flatBefore.end() || span == spans.end())
            return rewritten;
        if (old->type() != value.type() && !(old->is_number() && value.is_number()))
            return rewritten;
        if (*old == value) continue;  // the library compares 10 and 10.0 as numbers
        if (span->second.first == span->second.second)
            return rewritten;  // an empty container that filled
        changes.push_back({span->second, value.dump(-1, ' ', false, Json::error_handler_t::replace)});
    }
    std::sort(changes.begin(), changes.end(),
              [](const auto& a, const auto& b) { return a.first.first > b.first.first; });
    std::string patched(original);
    for (const auto& [span, text] : changes)
        patched.replace(span.first, span.second - span.first, text);
    return patched;
}

}  // namespace connsheet
