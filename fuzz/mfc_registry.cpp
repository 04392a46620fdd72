// The registry file is the user's to edit; any content must load as a registry or be refused, and a
// loaded registry must write out and read back to the same content.
#include <cstdint>
#include <cstdlib>  // abort
#include <string>

#include "platform/mfc/RegistryStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    ui::RegistryStore store;
    std::string error;
    if (!store.fromJson(text, &error))
        return 0;
    const std::string written = store.toJson();
    ui::RegistryStore again;
    if (!again.fromJson(written, &error) || again.toJson() != written)
        std::abort();
    return 0;
}
