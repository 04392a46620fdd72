// Two JSON texts separated by a NUL byte: the file as the author wrote it, and the program's new
// content. Whatever the layout kept, the text written must mean exactly the new content.
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "cli/JsonLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto nul = bytes.find('\0');
    if (nul == std::string_view::npos) return 0;
    const std::string original(bytes.substr(0, nul)), rewritten(bytes.substr(nul + 1));
    const std::string kept = connsheet::keepJsonLayout(original, rewritten);
    nlohmann::json meant;
    try {
        meant = nlohmann::json::parse(rewritten);
    } catch (const std::exception&) {
        if (kept != rewritten) std::abort();  // nothing to keep a layout for
        return 0;
    }
    try {
        if (nlohmann::json::parse(kept) != meant) std::abort();
    } catch (const std::exception&) {
        std::abort();
    }
    return 0;
}
