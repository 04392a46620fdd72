#include "platform/mfc/Bitmap.h"

#include <cstring>  // memcpy

#include "platform/arx/Utf8.h"
#include "platform/mfc/BitmapFile.h"
#include "platform/mfc/Font.h"
#include "platform/mfc/GdiObjects.h"

namespace {

std::shared_ptr<ui::BitmapImage> copyOf(const std::shared_ptr<const ui::BitmapImage>& image)
{
    return image ? std::make_shared<ui::BitmapImage>(*image) : nullptr;
}

std::shared_ptr<const ui::BitmapImage> resourceImage(LPCTSTR name, UINT type = IMAGE_BITMAP)
{
    if (name == nullptr)
        return nullptr;
    if (IS_INTRESOURCE(name)) {
        const int id = int(reinterpret_cast<std::uintptr_t>(name));
        return type == IMAGE_ICON ? ui::gdi::findIconResource(id) : ui::gdi::findBitmapResource(id);
    }
    return ui::gdi::findBitmapResource(std::wstring(name));
}

// Nearest-neighbour resize, enough for thumbnails and icon sizes.
std::shared_ptr<ui::BitmapImage> stretched(std::shared_ptr<ui::BitmapImage> image, int cx, int cy)
{
    if (!image || (cx <= 0 && cy <= 0) || (cx == image->width() && cy == image->height()))
        return image;
    const int width = cx > 0 ? cx : image->width();
    const int height = cy > 0 ? cy : image->height();
    auto result = std::make_shared<ui::BitmapImage>(width, height, 0, image->bitsPerPixel());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            result->setPixel(x, y, image->pixel(x * image->width() / width, y * image->height() / height));
    return result;
}

}  // namespace

BOOL CBitmap::LoadBitmap(UINT resourceId)
{
    return LoadBitmap(MAKEINTRESOURCE(resourceId));
}

BOOL CBitmap::LoadBitmap(LPCTSTR resourceName)
{
    if (m_hObject != nullptr)
        return FALSE;
    m_hObject = ::LoadBitmap(nullptr, resourceName);
    return m_hObject ? TRUE : FALSE;
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    if (m_hObject != nullptr || width <= 0 || height <= 0 || planes != 1)
        return FALSE;
    if (bitsPerPixel != 1 && bitsPerPixel != 24 && bitsPerPixel != 32)
        return FALSE;
    auto image = std::make_shared<ui::BitmapImage>(width, height, 0, int(bitsPerPixel == 1 ? 1 : 24));
    if (bits != nullptr) {
        const auto* bytes = static_cast<const std::uint8_t*>(bits);
        const std::size_t stride = ((std::size_t(width) * bitsPerPixel + 15) / 16) * 2;
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* row = bytes + std::size_t(y) * stride;
            for (int x = 0; x < width; ++x) {
                if (bitsPerPixel == 1) {
                    image->setPixel(x, y, (row[x / 8] >> (7 - x % 8)) & 1 ? 0xFFFFFF : 0);
                } else {
                    const std::size_t at = std::size_t(x) * (bitsPerPixel / 8);
                    image->setPixel(x, y, RGB(row[at + 2], row[at + 1], row[at]));
                }
            }
        }
    }
    m_hObject = ui::gdi::addBitmap(std::move(image));
    return TRUE;
}

BOOL CBitmap::CreateBitmapFrom(const ui::BitmapImage& image)
{
    if (m_hObject != nullptr || image.isNull())
        return FALSE;
    m_hObject = ui::gdi::addBitmap(std::make_shared<ui::BitmapImage>(image));
    return TRUE;
}

int CBitmap::GetBitmap(BITMAP* info) const
{
    return GetObject(m_hObject, int(sizeof(BITMAP)), info);
}

CSize CBitmap::GetBitmapDimension() const
{
    const auto image = ui::gdi::bitmap(static_cast<HBITMAP>(m_hObject));
    return image ? CSize(image->width(), image->height()) : CSize();
}

ui::BitmapImage* CBitmap::image() const
{
    return ui::gdi::bitmap(static_cast<HBITMAP>(m_hObject)).get();
}

HBITMAP LoadBitmap(HINSTANCE, LPCTSTR name)
{
    // Each load is a bitmap of its own, as in Windows: drawing on it never changes the resource.
    return ui::gdi::addBitmap(copyOf(resourceImage(name)));
}

HICON LoadIcon(HINSTANCE, LPCTSTR name)
{
    return reinterpret_cast<HICON>(ui::gdi::addBitmap(copyOf(resourceImage(name, IMAGE_ICON))));
}

HANDLE LoadImage(HINSTANCE, LPCTSTR name, UINT type, int cx, int cy, UINT flags)
{
    if (name == nullptr || (type != IMAGE_BITMAP && type != IMAGE_ICON))
        return nullptr;
    std::shared_ptr<ui::BitmapImage> image;
    if (flags & LR_LOADFROMFILE) {
        if (IS_INTRESOURCE(name))
            return nullptr;
        std::wstring path(name);
        for (wchar_t& c : path)
            if (c == L'\\')
                c = L'/';
        ui::BmpReadResult read = ui::readBmpFile(utf8::encode(path));
        if (!read.ok)
            return nullptr;
        image = std::make_shared<ui::BitmapImage>(std::move(read.image));
    } else {
        image = copyOf(resourceImage(name, type));
    }
    if (!image)
        return nullptr;
    return ui::gdi::addBitmap(stretched(std::move(image), cx, cy));
}

BOOL DestroyIcon(HICON icon)
{
    return DeleteObject(icon);
}

int GetObject(HGDIOBJ object, int size, void* buffer)
{
    if (const auto image = ui::gdi::bitmap(static_cast<HBITMAP>(object))) {
        if (buffer == nullptr)
            return int(sizeof(BITMAP));
        if (size < int(sizeof(BITMAP)))
            return 0;
        BITMAP info;
        info.bmWidth = image->width();
        info.bmHeight = image->height();
        info.bmBitsPixel = WORD(image->bitsPerPixel());
        info.bmWidthBytes = ((image->width() * image->bitsPerPixel() + 15) / 16) * 2;
        std::memcpy(buffer, &info, sizeof(info));
        return int(sizeof(BITMAP));
    }
    if (const LOGFONT* font = ui::gdi::font(static_cast<HFONT>(object))) {
        if (buffer == nullptr)
            return int(sizeof(LOGFONT));
        if (size < int(sizeof(LOGFONT)))
            return 0;
        std::memcpy(buffer, font, sizeof(LOGFONT));
        return int(sizeof(LOGFONT));
    }
    return 0;
}

namespace ui::gdi {

std::shared_ptr<BitmapImage> icon(HICON handle)
{
    return bitmap(reinterpret_cast<HBITMAP>(handle));
}

HBITMAP loadBitmapFile(const std::wstring& path, std::string* error)
{
    std::wstring native(path);
    for (wchar_t& c : native)
        if (c == L'\\')
            c = L'/';
    BmpReadResult read = readBmpFile(utf8::encode(native));
    if (!read.ok) {
        if (error)
            *error = read.error;
        return nullptr;
    }
    return addBitmap(std::make_shared<BitmapImage>(std::move(read.image)));
}

}  // namespace ui::gdi
