// Bitmap resources come from the resource modules (Resources.h) as BMP bytes; they are decoded on
// each load, which keeps no second copy alive and lets a test swap resource modules freely.
#include <string_view>

#include "platform/mfc/Bitmap.h"
#include "platform/mfc/BitmapFile.h"
#include "platform/mfc/Resources.h"

namespace ui::gdi {

namespace {

std::shared_ptr<const BitmapImage> decode(const std::vector<unsigned char>* bytes)
{
    if (!bytes)
        return nullptr;
    BmpReadResult read = readBmp(bytes->data(), bytes->size());
    if (!read.ok)
        return nullptr;
    return std::make_shared<const BitmapImage>(std::move(read.image));
}

}  // namespace

std::shared_ptr<const BitmapImage> findBitmapResource(int id)
{
    if (id <= 0 || id > 0xFFFF)
        return nullptr;
    // An icon resource can stand in for a bitmap of the same number, and the reverse: both are
    // pictures here, and the module's templates use the numbers interchangeably.
    if (auto image = decode(ui::findBitmapResource(UINT(id))))
        return image;
    return decode(ui::findIconResource(UINT(id)));
}

std::shared_ptr<const BitmapImage> findIconResource(int id)
{
    if (id <= 0 || id > 0xFFFF)
        return nullptr;
    if (auto image = decode(ui::findIconResource(UINT(id))))
        return image;
    return decode(ui::findBitmapResource(UINT(id)));
}

std::shared_ptr<const BitmapImage> findBitmapResource(const std::wstring& name)
{
    // Resources are numbered; a name of the form "#123" is the number written as text.
    if (name.size() < 2 || name[0] != L'#')
        return nullptr;
    int id = 0;
    for (std::size_t i = 1; i < name.size(); ++i) {
        if (name[i] < L'0' || name[i] > L'9' || id > 0xFFFF)
            return nullptr;
        id = id * 10 + (name[i] - L'0');
    }
    return findBitmapResource(id);
}

}  // namespace ui::gdi
