// The streaming JSON writer against nlohmann's dump, which wrote our files before it: the same
// document, written value by value, must give the same bytes in both layouts, for every kind of text
// (malformed UTF-8 included) and number.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>  // memcpy
#include <filesystem>
#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <vector>

#include "platform/arx/Utf8.h"
#include "platform/mxbase/JsonTextWriter.h"

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;
using Layout = JsonTextWriter::Layout;

// A value of the wrong C++ type does not compile rather than change its JSON type on the way.
template <class T>
concept WritableAsBoolean = requires(JsonTextWriter& w, T value) {
    w.boolean(value);
};
template <class T>
concept WritableAsInteger = requires(JsonTextWriter& w, T value) {
    w.integer(value);
};
template <class T>
concept WritableAsNumber = requires(JsonTextWriter& w, T value) {
    w.number(value);
};
static_assert(WritableAsBoolean<bool> && !WritableAsBoolean<int> && !WritableAsBoolean<const char*>);
static_assert(WritableAsInteger<int> && WritableAsInteger<std::uint64_t> && !WritableAsInteger<double> &&
              !WritableAsInteger<bool>);
static_assert(WritableAsNumber<double> && WritableAsNumber<float> && !WritableAsNumber<int>);

void replay(JsonTextWriter& w, const Json& j) {
    switch (j.type()) {
        case Json::value_t::object:
            w.beginObject();
            for (const auto& [key, value] : j.items()) {
                w.key(key);
                replay(w, value);
            }
            w.endObject();
            break;
        case Json::value_t::array:
            w.beginArray();
            for (const Json& item : j)
                replay(w, item);
            w.endArray();
            break;
        case Json::value_t::string:
            w.string(j.get_ref<const std::string&>());
            break;
        case Json::value_t::boolean:
            w.boolean(j.get<bool>());
            break;
        case Json::value_t::number_integer:
            w.integer(j.get<std::int64_t>());
            break;
        case Json::value_t::number_unsigned:
            w.integer(j.get<std::uint64_t>());
            break;
        case Json::value_t::number_float:
            w.number(j.get<double>());
            break;
        default:
            w.null();
            break;
    }
}

std::string streamed(const Json& j, Layout layout) {
    std::string out;
    JsonTextWriter w(out, layout);
    replay(w, j);
    return out;
}

std::string dumped(const Json& j, Layout layout) {
    return j.dump(layout == Layout::indented ? 2 : -1, ' ', false,
                  nlohmann::detail::error_handler_t::replace);
}

// The document in a form that shows every byte, for failure messages.
std::string shown(const Json& j) {
    return j.dump(-1, ' ', true, nlohmann::detail::error_handler_t::replace);
}

void expectDumpedBytes(const Json& j) {
    for (Layout layout : {Layout::indented, Layout::oneLine})
        EXPECT_EQ(streamed(j, layout), dumped(j, layout)) << shown(j);
}

// Counts the texts whose writing differs from the dump, naming the first few, so a fault in a
// case-heavy loop gives a short report.
class Mismatches {
public:
    void check(const std::string& bytes) {
        const Json j(bytes);
        if (streamed(j, Layout::oneLine) == dumped(j, Layout::oneLine))
            return;
        if (++count_ <= 5)
            ADD_FAILURE() << "written differently from the dump: " << shown(j);
    }
    int count() const { return count_; }

private:
    int count_ = 0;
};

TEST(JsonTextWriter, LaysDocumentsOutAsDumpDoes) {
    const char* documents[] = {
        "{}",
        "[]",
        "[[]]",
        "[{}]",
        "{\"a\":{}}",
        "{\"a\":[],\"b\":{\"c\":[1,[2,{}],{\"d\":null}]},\"e\":[[[]]]}",
        "[1,\"x\",true,false,null,2.5,-3]",
        "{\"quote\\\"key\\n\":1,\"\":\"\"}",
        "42",
        "\"top\"",
        "null",
        "-0.0",
    };
    for (const char* text : documents)
        expectDumpedBytes(Json::parse(text));
    // Names short and plain, long, or needing escapes.
    for (const std::string& name : {std::string(59, 'k'), std::string(60, 'k'), std::string(300, 'k'),
                                    std::string(70, 'k') + "\t", std::string("\xC3\xBC\xFF")})
        expectDumpedBytes(Json{{"a", 1}, {name, {{name, name}}}});

    // Every JSON file of the sources: macros, peers' data, properties, registries.
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(CONNSHEET_SOURCE_DIR)) {
        const std::string path = entry.path().string();
        if (entry.path().extension() != ".json" || path.find("/build/") != std::string::npos ||
            path.find("/.git/") != std::string::npos)
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const Json j = Json::parse(in, nullptr, false);
        if (j.is_discarded())
            continue;  // deliberately broken fuzz inputs
        SCOPED_TRACE(path);
        expectDumpedBytes(j);
        ++files;
    }
    EXPECT_GE(files, 20);
}

TEST(JsonTextWriter, AppendsToWhatTheStringHolds) {
    std::string out = "[";
    JsonTextWriter w(out, Layout::oneLine);
    w.beginObject();
    w.key("k").integer(1);
    w.endObject();
    EXPECT_EQ(out, "[{\"k\":1}");
}

TEST(JsonTextWriter, EscapesEveryShortByteStringAsDumpDoes) {
    Mismatches mismatches;
    for (int a = 0; a < 256; ++a) {
        mismatches.check(std::string(1, static_cast<char>(a)));
        for (int b = 0; b < 256; ++b)
            mismatches.check({static_cast<char>(a), static_cast<char>(b)});
    }
    // Longer strings from the bytes where UTF-8's rules change: lead bytes of every length and the
    // ones that narrow the next byte's range (E0, ED, F0, F4), the edges of those ranges, bytes that
    // can never appear (C0, C1, F5, FF) and the escaped ASCII.
    const unsigned char edges[] = {0x00, 0x1F, 0x22, 0x41, 0x5C, 0x7F, 0x80, 0x8F, 0x90,
                                   0x9F, 0xA0, 0xBF, 0xC0, 0xC1, 0xC2, 0xDF, 0xE0, 0xE1,
                                   0xED, 0xEF, 0xF0, 0xF1, 0xF4, 0xF5, 0xFF};
    for (unsigned char a : edges)
        for (unsigned char b : edges)
            for (unsigned char c : edges)
                for (unsigned char d : edges)
                    mismatches.check({static_cast<char>(a), static_cast<char>(b), static_cast<char>(c),
                                      static_cast<char>(d)});
    // Long texts cross the dump's internal 512-byte buffer at every offset.
    std::mt19937 random(7);
    std::string text;
    for (int round = 0; round < 2000; ++round) {
        text.clear();
        const int length = 480 + static_cast<int>(random() % 80);
        for (int i = 0; i < length; ++i)
            text += static_cast<char>(edges[random() % std::size(edges)]);
        mismatches.check(text);
    }
    EXPECT_EQ(mismatches.count(), 0);
}

TEST(JsonTextWriter, WritesEveryCodePointAsTheDumpOfItsUtf8) {
    int mismatches = 0;
    auto check = [&](const std::wstring& text) {
        std::string out;
        JsonTextWriter(out, Layout::oneLine).string(text);
        if (out != dumped(Json(utf8::encode(text)), Layout::oneLine) && ++mismatches <= 5)
            ADD_FAILURE() << "code points from " << static_cast<std::uint32_t>(text[0]);
    };
    std::wstring chunk;
    for (std::uint32_t code = 0; code <= 0x110000; ++code) {
        chunk += static_cast<wchar_t>(code);
        if (chunk.size() == 64) {
            check(chunk);
            chunk.clear();
        }
    }
    check(chunk);
    // Not code points at all: written as U+FFFD like the UTF-8 encoder does.
    check({static_cast<wchar_t>(0x7FFFFFFF), static_cast<wchar_t>(-1), L'a'});
    EXPECT_EQ(mismatches, 0);
}

TEST(JsonTextWriter, PrintsNumbersAsDumpDoes) {
    const double doubles[] = {0.0,
                              -0.0,
                              0.1,
                              0.1 + 0.2,
                              1.0 / 3.0,
                              25.0,
                              -12.25,
                              1e-7,
                              1e-5,
                              123456789.0,
                              1e16,
                              1e17,
                              1e20,
                              1e21,
                              1e300,
                              std::numeric_limits<double>::max(),
                              std::numeric_limits<double>::min(),
                              std::numeric_limits<double>::denorm_min(),
                              std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity()};
    for (double value : doubles)
        expectDumpedBytes(Json(value));
    expectDumpedBytes(Json(0.1f));  // a float is written as the double it widens to

    // Any bit pattern at all, NaNs with payloads included.
    std::mt19937_64 random(11);
    int mismatches = 0;
    for (int i = 0; i < 100000; ++i) {
        const std::uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        std::string out;
        JsonTextWriter(out, Layout::oneLine).number(value);
        if (out != Json(value).dump() && ++mismatches <= 5)
            ADD_FAILURE() << out << " for the bits " << bits;
    }
    EXPECT_EQ(mismatches, 0);

    const Json integers = {std::numeric_limits<std::int64_t>::min(),
                           std::numeric_limits<std::int64_t>::max(),
                           std::numeric_limits<std::uint64_t>::max(),
                           0,
                           -1,
                           10,
                           -10,
                           999999999};
    expectDumpedBytes(integers);
    std::string out;
    JsonTextWriter w(out, Layout::oneLine);
    w.beginArray();
    w.integer(std::numeric_limits<int>::min());
    w.integer(static_cast<unsigned char>(200));
    w.integer(static_cast<short>(-7));
    w.endArray();
    EXPECT_EQ(out, "[-2147483648,200,-7]");
}

}  // namespace
