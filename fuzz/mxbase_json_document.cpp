// Any text: the quick reader must take exactly what the JSON library's own parser takes, and read the
// same document from it (members in order, integers as integers), never crash.
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "platform/mxbase/JsonErrorText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    nlohmann::ordered_json document;
    std::string error;
    const bool ok = parseJsonWithin(text, 64, document, error);
    if (!ok && error.empty())
        std::abort();  // a refusal always says why
    if (!ok && error.rfind("nested deeper", 0) == 0)
        return 0;
    nlohmann::ordered_json expected;
    bool expectedOk = true;
    try {
        expected = nlohmann::ordered_json::parse(text);
    } catch (const nlohmann::json::exception&) {
        expectedOk = false;
    }
    if (ok != expectedOk)
        std::abort();
    if (ok && (document != expected || document.dump() != expected.dump()))
        std::abort();
    return 0;
}
