// Step files come from users: a malformed one is refused with its line, never read out of bounds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/mfc/StepScript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto script = ui::StepScript::parse(text, "fuzz.steps", &error);
    if (!script && error.rfind("fuzz.steps:", 0) != 0)
        __builtin_trap();  // a refusal always names the file and line
    return 0;
}
