// BMP files reach the reader from the library and the installation folder; whatever they hold, the
// reader must refuse or decode without reading outside the bytes, and a decoded picture must encode and
// decode to itself.
#include <cstdint>
#include <cstdlib>  // abort

#include "platform/mfc/BitmapFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const ui::BmpReadResult read = ui::readBmp(data, size);
    if (!read.ok)
        return 0;
    if (read.image.width() <= 0 || read.image.height() <= 0)
        std::abort();
    // Keep the round trip cheap on huge pictures.
    if (std::int64_t(read.image.width()) * read.image.height() <= 4096) {
        const ui::BmpReadResult again = ui::readBmp(ui::encodeBmp(read.image));
        if (!again.ok || again.image.pixels() != read.image.pixels())
            std::abort();
    }
    return 0;
}
