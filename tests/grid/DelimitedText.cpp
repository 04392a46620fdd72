#include "platform/grid/DelimitedText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace grid {
namespace {

// Every field as "row,col:text" (quoted fields marked with q), or the error.
std::vector<std::string> fields(std::string_view bytes, Delimiter d = Delimiter::Comma) {
    DelimitedReader reader(bytes, d);
    DelimitedReader::Field f;
    std::vector<std::string> out;
    for (;;) {
        auto status = reader.next(f);
        if (status == DelimitedReader::Status::End) break;
        if (status == DelimitedReader::Status::Error) {
            out.push_back("error " + reader.error());
            break;
        }
        out.push_back(std::to_string(f.row) + "," + std::to_string(f.column) + (f.quoted ? "q:" : ":") +
                      std::string(f.text));
    }
    return out;
}

using V = std::vector<std::string>;

TEST(DelimitedReader, SplitsRecordsAndFields) {
    struct Case {
        const char* input;
        V expected;
    } cases[] = {
        {"", {}},
        {"a", {"1,1:a"}},
        {"a,b\n", {"1,1:a", "1,2:b"}},
        {"a,b\r\nc", {"1,1:a", "1,2:b", "2,1:c"}},
        {"a\rb\r", {"1,1:a", "2,1:b"}},  // old Mac line ends
        {"a,,\n", {"1,1:a", "1,2:", "1,3:"}},
        {"a\n\nb", {"1,1:a", "2,1:", "3,1:b"}},  // an empty line is a record
        {" a , b ", {"1,1: a ", "1,2: b "}},     // blanks are kept
        {"x\"y\"z,1", {"1,1:x\"y\"z", "1,2:1"}},  // a stray quote inside an unquoted field
        {"\xEF\xBB\xBFid,n", {"1,1:id", "1,2:n"}},  // byte-order mark skipped
        {"\xEF\xBB\xBF", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(fields(c.input), c.expected) << c.input;
}

TEST(DelimitedReader, QuotedFields) {
    struct Case {
        const char* input;
        V expected;
    } cases[] = {
        {"\"a,b\",c", {"1,1q:a,b", "1,2:c"}},
        {"\"say \"\"hi\"\"\"", {"1,1q:say \"hi\""}},
        {"\"\"", {"1,1q:"}},
        {"\"\"\"\"", {"1,1q:\""}},
        {"\"two\nlines\",x\ny", {"1,1q:two\nlines", "1,2:x", "2,1:y"}},
        {"\"a\"\r\n\"b\"", {"1,1q:a", "2,1q:b"}},
        {"\"a\"\"b\"\"c\",\"\"\"x\"", {"1,1q:a\"b\"c", "1,2q:\"x"}},
    };
    for (const auto& c : cases) EXPECT_EQ(fields(c.input), c.expected) << c.input;
}

TEST(DelimitedReader, TabsSeparateOnlyInTsv) {
    EXPECT_EQ(fields("a\tb,c\n", Delimiter::Tab), (V{"1,1:a", "1,2:b,c"}));
    EXPECT_EQ(fields("a\tb,c\n", Delimiter::Comma), (V{"1,1:a\tb", "1,2:c"}));
}

TEST(DelimitedReader, ErrorsNameTheLine) {
    struct Case {
        const char* input;
        const char* error;
    } cases[] = {
        {"a\n\"open\nstill open", "line 2: unterminated quoted field"},
        {"a\n\"ab\"c,d", "line 2: unexpected character after a closing quote"},
        {"ok\n\"x\ny\"z", "line 3: unexpected character after a closing quote"},
        // CR LF counts once, a lone CR once, inside quotes as outside; doubled quotes in between.
        {"ok\n\"x\r\ny\"\"\ry\rz\"w", "line 5: unexpected character after a closing quote"},
        {"a\nb\xff", "line 2: text is not valid UTF-8"},
        {"\"\xc3\x28\"", "line 1: text is not valid UTF-8"},
    };
    for (const auto& c : cases) {
        auto got = fields(c.input);
        ASSERT_FALSE(got.empty()) << c.input;
        EXPECT_TRUE(got.back().starts_with(std::string("error ") + c.error)) << got.back();
    }
}

TEST(DelimitedReader, ErrorAndEndAreFinal) {
    DelimitedReader reader("\"x", Delimiter::Comma);
    DelimitedReader::Field f;
    EXPECT_EQ(reader.next(f), DelimitedReader::Status::Error);
    EXPECT_EQ(reader.next(f), DelimitedReader::Status::Error);
    EXPECT_EQ(reader.line(), 1);

    DelimitedReader done("a", Delimiter::Comma);
    EXPECT_EQ(done.next(f), DelimitedReader::Status::Field);
    EXPECT_EQ(done.next(f), DelimitedReader::Status::End);
    EXPECT_EQ(done.next(f), DelimitedReader::Status::End);
}

TEST(DelimitedText, SniffsTheDelimiterFromTheFirstLine) {
    EXPECT_EQ(sniffDelimiter("a\tb\n"), Delimiter::Tab);
    EXPECT_EQ(sniffDelimiter("a,b\n"), Delimiter::Comma);
    EXPECT_EQ(sniffDelimiter("\"a\tb\",c\n"), Delimiter::Comma);  // tab inside quotes
    EXPECT_EQ(sniffDelimiter("a,b\nc\td"), Delimiter::Comma);      // only the first line counts
    EXPECT_EQ(sniffDelimiter(""), Delimiter::Comma);
}

TEST(DelimitedText, WrittenFieldsReadBackUnchanged) {
    const char* texts[] = {"plain", "", "a,b", "say \"hi\"", "\"", "two\nlines", "cr\r", " padded ",
                           "tab\there", "=A1*2", "ümlaut €"};
    for (Delimiter d : {Delimiter::Comma, Delimiter::Tab}) {
        std::string line;
        for (const char* t : texts) {
            if (!line.empty()) line += static_cast<char>(d);
            appendDelimitedField(line, t, d);
        }
        DelimitedReader reader(line, d);
        DelimitedReader::Field f;
        for (const char* t : texts) {
            ASSERT_EQ(reader.next(f), DelimitedReader::Status::Field) << reader.error();
            EXPECT_EQ(f.text, t);
            EXPECT_EQ(f.row, 1);
            EXPECT_GE(f.line, 1);
        }
        EXPECT_EQ(reader.next(f), DelimitedReader::Status::End);
    }
    std::string out;
    appendDelimitedField(out, "plain", Delimiter::Comma);
    appendDelimitedField(out, "a\tb", Delimiter::Comma);  // a tab needs no quotes in CSV
    EXPECT_EQ(out, "plaina\tb");
}

}  // namespace
}  // namespace grid
