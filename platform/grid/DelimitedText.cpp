#include "platform/grid/DelimitedText.h"

#include <cstring>  // memchr

#include "platform/arx/Utf8.h"

namespace grid {
namespace {

bool isAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

bool validText(std::string_view text) { return isAscii(text) || utf8::isValid(text); }

}  // namespace

DelimitedReader::DelimitedReader(std::string_view bytes, Delimiter delimiter)
    : bytes_(bytes), delimiter_(static_cast<char>(delimiter)) {
    if (bytes_.starts_with("\xEF\xBB\xBF")) pos_ = 3;
    // An empty file holds no record at all, not one empty field.
    if (pos_ == bytes_.size()) done_ = true;
}

void DelimitedReader::countLineBreaks(std::size_t from, std::size_t to) {
    const char* const base = bytes_.data();
    // Nearly every field holds no line break: two vectorised searches tell.
    if (!std::memchr(base + from, '\n', to - from) && !std::memchr(base + from, '\r', to - from)) return;
    for (std::size_t k = from; k < to; ++k) {
        const char c = base[k];
        if (c == '\n' || (c == '\r' && !(k + 1 < bytes_.size() && base[k + 1] == '\n'))) ++line_;
    }
}

DelimitedReader::Status DelimitedReader::fail(std::int32_t line, std::string_view problem) {
    failed_ = true;
    line_ = line;
    error_ = "line " + std::to_string(line) + ": " + std::string(problem);
    return Status::Error;
}

DelimitedReader::Status DelimitedReader::next(Field& field) {
    if (failed_) return Status::Error;
    if (done_) return Status::End;

    const std::size_t size = bytes_.size();
    const std::int32_t startLine = line_;
    field.row = row_;
    field.column = column_;
    field.line = startLine;
    field.quoted = false;

    if (pos_ < size && bytes_[pos_] == '"') {
        // Quoted: from one quote to the next (memchr), copying into scratch only when a doubled quote
        // forces unescaping.
        field.quoted = true;
        std::size_t start = ++pos_;
        bool escaped = false;
        scratch_.clear();
        const char* const base = bytes_.data();
        for (;;) {
            const void* found = pos_ < size ? std::memchr(base + pos_, '"', size - pos_) : nullptr;
            if (!found) return fail(startLine, "unterminated quoted field");
            const std::size_t quote = static_cast<std::size_t>(static_cast<const char*>(found) - base);
            countLineBreaks(pos_, quote);
            if (escaped) scratch_.append(base + pos_, quote - pos_);
            pos_ = quote;
            if (pos_ + 1 < size && base[pos_ + 1] == '"') {
                if (!escaped) scratch_.assign(bytes_.substr(start, pos_ - start));
                escaped = true;
                scratch_ += '"';
                pos_ += 2;
                continue;
            }
            break;
        }
        field.text = escaped ? std::string_view(scratch_) : bytes_.substr(start, pos_ - start);
        ++pos_;  // the closing quote
        if (pos_ < size && bytes_[pos_] != delimiter_ && bytes_[pos_] != '\n' && bytes_[pos_] != '\r')
            return fail(line_, "unexpected character after a closing quote (a quote inside a quoted "
                               "field must be doubled)");
        if (!validText(field.text)) return fail(startLine, "text is not valid UTF-8");
    } else {
        // The scan for the field's end also tells whether it is plain ASCII, which needs no check.
        std::size_t start = pos_;
        unsigned char bits = 0;
        while (pos_ < size) {
            char c = bytes_[pos_];
            if (c == delimiter_ || c == '\n' || c == '\r') break;
            bits |= static_cast<unsigned char>(c);
            ++pos_;
        }
        field.text = bytes_.substr(start, pos_ - start);
        if ((bits & 0x80) && !utf8::isValid(field.text)) return fail(startLine, "text is not valid UTF-8");
    }

    // What ends the field decides where the next one starts.
    if (pos_ >= size) {
        done_ = true;
    } else if (bytes_[pos_] == delimiter_) {
        ++pos_;
        ++column_;
    } else {
        pos_ += (bytes_[pos_] == '\r' && pos_ + 1 < size && bytes_[pos_ + 1] == '\n') ? 2 : 1;
        ++line_;
        ++row_;
        column_ = 1;
        if (pos_ >= size) done_ = true;
    }
    return Status::Field;
}

Delimiter sniffDelimiter(std::string_view bytes) {
    bool quoted = false;
    for (char c : bytes) {
        if (c == '"') quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r')) break;
        else if (!quoted && c == '\t') return Delimiter::Tab;
    }
    return Delimiter::Comma;
}

void appendDelimitedField(std::string& out, std::string_view text, Delimiter delimiter) {
    char d = static_cast<char>(delimiter);
    // A leading U+FEFF would read as a byte-order mark at the start of a file and vanish: quoted, it
    // stays data.
    bool quote = !text.empty() && (text.front() == ' ' || text.back() == ' ' || text.front() == '"' ||
                                   text.starts_with("\xEF\xBB\xBF"));
    for (std::size_t i = 0; i < text.size() && !quote; ++i) {
        char c = text[i];
        quote = c == d || c == '"' || c == '\n' || c == '\r';
    }
    if (!quote) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

}  // namespace grid
