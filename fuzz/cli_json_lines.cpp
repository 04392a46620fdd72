// Any bytes as a batch's JSON-lines file: the lines found and read back are the file's non-blank lines,
// line ends taken off, numbered as they stand; nothing crashes.
#include <unistd.h>  // getpid

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "cli/JsonLinesFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("connsheet-fuzz-lines-" + std::to_string(::getpid()));
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(size));
    connsheet::JsonLinesFile lines;
    std::string error;
    if (!lines.open(file.string(), error))
        std::abort();
    // The same cut made the plain way.
    std::size_t found = 0;
    int number = 0;
    std::string text;
    for (std::string_view rest = bytes; !rest.empty();) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.find_first_not_of(" \t") == std::string_view::npos)
            continue;
        if (found >= lines.lines().size() || lines.lines()[found].number != number ||
            !lines.read(found, text, error) || text != line)
            std::abort();
        ++found;
    }
    if (found != lines.lines().size())
        std::abort();
    return 0;
}
