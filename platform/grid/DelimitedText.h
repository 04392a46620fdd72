#pragma once
// CSV and TSV text: a tokenizer that walks a file field by field without copying it, and the quoting
// used when a sheet is written back out. Sheets are filled from it by DelimitedGridFile.
//
// The rules are those of RFC 4180 and of what spreadsheet programs write:
// - a record ends at LF, CRLF or a lone CR; a line break at the very end starts no further record;
// - a field that starts with '"' is quoted: it runs to the next '"' that is not doubled ("" is one
//   quote) and may hold delimiters and line breaks; only a delimiter or the end of the record may follow
//   the closing quote;
// - an unquoted field is taken exactly as it stands, blanks and stray quotes included;
// - an empty line is a record with one empty field;
// - a UTF-8 byte-order mark at the start is skipped, and the text must be valid UTF-8.
#include <cstdint>
#include <string>
#include <string_view>

namespace grid {

enum class Delimiter : char { Comma = ',', Tab = '\t' };

class DelimitedReader {
public:
    enum class Status : std::uint8_t { Field, End, Error };

    struct Field {
        std::int32_t row = 0;     // from 1
        std::int32_t column = 0;  // from 1
        std::int32_t line = 0;    // the line of the file where the field starts, from 1
        std::string_view text;    // UTF-8, quotes removed; valid until the next call
        bool quoted = false;
    };

    // The bytes must outlive the reader.
    DelimitedReader(std::string_view bytes, Delimiter delimiter);

    // Reads the next field into `field`. After Error, error() says what and where; End and Error are
    // final (every further call repeats them).
    Status next(Field& field);

    // "line 4: unterminated quoted field (opened at line 2)"; empty unless next() gave Error.
    const std::string& error() const { return error_; }
    // The line (from 1) where reading stopped.
    std::int32_t line() const { return line_; }

private:
    Status fail(std::int32_t line, std::string_view problem);
    // Counts the line breaks of bytes [from, to) into line_: LF, CR LF and a lone CR each end a line.
    void countLineBreaks(std::size_t from, std::size_t to);

    std::string_view bytes_;
    std::size_t pos_ = 0;
    char delimiter_;
    std::int32_t line_ = 1;
    std::int32_t row_ = 1;
    std::int32_t column_ = 1;
    bool done_ = false;
    bool failed_ = false;
    std::string scratch_;  // unescaped text of quoted fields holding ""
    std::string error_;
};

// The delimiter a file without a telling extension most likely uses: a tab outside quotes on the first
// line means TSV, anything else CSV.
Delimiter sniffDelimiter(std::string_view bytes);

// Appends one field to `out`, quoted only when it has to be (delimiter, quote, line break, or blanks at
// either end that a reader might trim).
void appendDelimitedField(std::string& out, std::string_view utf8Text, Delimiter delimiter);

}  // namespace grid
