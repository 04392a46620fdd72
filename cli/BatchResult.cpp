#include "cli/BatchResult.h"

#include <cstring>  // memcpy

namespace connsheet {
namespace {

// Native byte order: the record only travels between a parent and the workers it forked.
void putNumber(std::string& out, std::uint64_t value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void putText(std::string& out, std::string_view text) {
    putNumber(out, text.size());
    out.append(text);
}

void putTexts(std::string& out, const std::vector<std::string>& texts) {
    putNumber(out, texts.size());
    for (const std::string& text : texts)
        putText(out, text);
}

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool number(std::uint64_t& value) {
        if (bytes_.size() < sizeof value)
            return false;
        std::memcpy(&value, bytes_.data(), sizeof value);
        bytes_.remove_prefix(sizeof value);
        return true;
    }
    bool text(std::string& value) {
        std::uint64_t size = 0;
        if (!number(size) || size > bytes_.size())
            return false;
        value.assign(bytes_.substr(0, size));
        bytes_.remove_prefix(size);
        return true;
    }
    bool texts(std::vector<std::string>& values) {
        std::uint64_t count = 0;
        // Each text takes at least its length: a count beyond that is corrupt, not a huge allocation.
        if (!number(count) || count > bytes_.size() / sizeof(std::uint64_t))
            return false;
        values.resize(count);
        for (std::string& value : values)
            if (!text(value))
                return false;
        return true;
    }
    // A list of texts of even length, read as pairs.
    bool pairs(std::vector<std::pair<std::string, std::string>>& values) {
        std::uint64_t count = 0;
        if (!number(count) || count % 2 != 0 || count > bytes_.size() / sizeof(std::uint64_t))
            return false;
        values.resize(count / 2);
        for (auto& [first, second] : values)
            if (!text(first) || !text(second))
                return false;
        return true;
    }
    bool atEnd() const { return bytes_.empty(); }

private:
    std::string_view bytes_;
};

}  // namespace

const char* statusName(BatchResult::Status status) {
    switch (status) {
        case BatchResult::Status::succeeded:
            return "succeeded";
        case BatchResult::Status::failed:
            return "failed";
        case BatchResult::Status::unreadable:
            return "unreadable";
        case BatchResult::Status::crashed:
            return "crashed";
    }
    return "failed";
}

std::string encodeBatchResult(const BatchResult& result) {
    std::string out;
    encodeBatchResult(result, out);
    return out;
}

void encodeBatchResult(const BatchResult& result, std::string& out) {
    std::size_t size = 8 * 8 + result.problem.size() + result.macro.size();
    for (const auto& [name, value] : result.outputs)
        size += 16 + name.size() + value.size();
    for (const auto* texts : {&result.warnings, &result.failedEquations, &result.notSet})
        for (const std::string& text : *texts)
            size += 8 + text.size();
    out.reserve(out.size() + size);
    putNumber(out, result.index);
    putNumber(out, static_cast<std::uint64_t>(result.status));
    putText(out, result.problem);
    // The outputs as one list of texts: name, value, name, value ...
    putNumber(out, result.outputs.size() * 2);
    for (const auto& [name, value] : result.outputs) {
        putText(out, name);
        putText(out, value);
    }
    putTexts(out, result.warnings);
    putTexts(out, result.failedEquations);
    putTexts(out, result.notSet);
    putText(out, result.macro);
}

bool decodeBatchResult(std::string_view bytes, BatchResult& result) {
    Reader reader(bytes);
    std::uint64_t index = 0, status = 0;
    if (!reader.number(index) || !reader.number(status) ||
        status > static_cast<std::uint64_t>(BatchResult::Status::crashed) || !reader.text(result.problem) ||
        !reader.pairs(result.outputs) || !reader.texts(result.warnings) ||
        !reader.texts(result.failedEquations) || !reader.texts(result.notSet) || !reader.text(result.macro))
        return false;
    result.index = index;
    result.status = static_cast<BatchResult::Status>(status);
    return reader.atEnd();
}

}  // namespace connsheet
