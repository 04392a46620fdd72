#pragma once
// Files compiled into the binary by cs_embed() (cmake/Embed.cmake).
#include <cstddef>
#include <span>
#include <string_view>

namespace embedded {

struct File {
    const char* name;  // path relative to the project root, "/" separated
    const unsigned char* data;
    std::size_t size;

    std::string_view text() const { return {reinterpret_cast<const char*>(data), size}; }
};

}  // namespace embedded
