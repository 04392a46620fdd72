#pragma once
// Writes JSON text straight into a string, value after value, without building a document first.
//
// The text is byte for byte what nlohmann's dump gives for the same document (dump(2, ' ') or
// dump(-1), ensure_ascii off, invalid UTF-8 replaced), so files written either way compare equal:
// - indented: "{" and a line feed, two blanks per level, `"key": value`, "," and a line feed between
//   items; an empty object or array stays "{}" or "[]" on its line. oneLine: no blank, no line feed.
// - texts: `\"` `\\` `\b` `\f` `\n` `\r` `\t`, other bytes below 0x20 as `\u00xx`, everything else as
//   it is; a malformed UTF-8 sequence becomes U+FFFD as nlohmann replaces it.
// - integers in decimal; doubles as the shortest text that reads back the same, always with a point or
//   an exponent ("25.0", "1e+20"), "null" for NaN and infinities.
// Members are written in the order they are given; the writer does not look for duplicate keys.
// Nothing is allocated per value: everything is appended to the caller's string.
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

class JsonTextWriter {
public:
    enum class Layout {
        indented,  // nlohmann's dump(2, ' ')
        oneLine,   // nlohmann's dump(-1)
    };

    // Appends to `out`, which must outlive the writer.
    JsonTextWriter(std::string& out, Layout layout) : out_(out), layout_(layout) {}

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();

    // The name of the next member of the open object; its value is the next thing written.
    JsonTextWriter& key(std::string_view name);

    // UTF-8 text.
    void string(std::string_view utf8);
    // Code points, written as UTF-8; a surrogate or a value above U+10FFFF is written as U+FFFD.
    void string(std::wstring_view text);

    // Each kind of number has its own call, so a value keeps the JSON type its C++ type gives it:
    // an int never turns into a double on the way (nor the other way round).
    template <std::integral T>
    requires(!std::same_as<T, bool>) void integer(T value) {
        if constexpr (std::is_signed_v<T>)
            signedInteger(value);
        else
            unsignedInteger(value);
    }
    template <std::floating_point T>
    void number(T value) {
        real(static_cast<double>(value));
    }
    void boolean(bool value);
    template <class T>
    void boolean(T) = delete;  // not a bool: say which number or text it is meant to be
    void null();

private:
    void beforeValue();
    void beforeItem();
    void newLine(int level);
    void close(char bracket);
    void escaped(std::string_view utf8);
    void signedInteger(std::int64_t value);
    void unsignedInteger(std::uint64_t value);
    void real(double value);

    // Containers nest at most this deep; a macro document uses five levels.
    static constexpr int kMaxDepth = 63;

    std::string& out_;
    Layout layout_;
    int depth_ = 0;
    std::uint64_t hasItems_ = 0;  // bit n: the container open at level n has an item already
    bool afterKey_ = false;
};
