#pragma once
// MFC's CBitmap and the Win32 calls that make bitmaps and icons: from the module's bitmap resources (by
// number, looked up along the resource chain), from BMP files, or blank.
//
// An icon here is a picture too: an icon resource may simply be a BMP, and its transparent colour is
// the colour of its bottom-left pixel, as for toolbar bitmaps.
#include <memory>
#include <string>

#include "platform/mfc/BitmapImage.h"
#include "platform/mfc/CSize.h"
#include "platform/mfc/GdiObject.h"

struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 1;
    WORD bmBitsPixel = 0;
    void* bmBits = nullptr;
};

constexpr UINT IMAGE_CURSOR = 2;
constexpr UINT LR_DEFAULTCOLOR = 0x0;
constexpr UINT LR_LOADFROMFILE = 0x10;
constexpr UINT LR_DEFAULTSIZE = 0x40;
constexpr UINT LR_SHARED = 0x8000;

class CBitmap : public CGdiObject {
public:
    // From the bitmap resources of the current module and then along the resource chain.
    BOOL LoadBitmap(UINT resourceId);
    BOOL LoadBitmap(LPCTSTR resourceName);
    // A bitmap of the given size from packed rows of `bits` (1 or 24/32 bits per pixel, rows padded to
    // 16 bits as CreateBitmap expects), or blank when bits is null.
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    BOOL CreateBitmapFrom(const ui::BitmapImage& image);

    int GetBitmap(BITMAP* info) const;
    CSize GetBitmapDimension() const;
    // The pixels (shared with any device context the bitmap is selected into); null when empty.
    ui::BitmapImage* image() const;

    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};

// By number (MAKEINTRESOURCE) from the resource chain; hinst is ignored: lookups always follow the
// current resource handle and its chain, which is what every caller in this system relies on.
HBITMAP LoadBitmap(HINSTANCE hinst, LPCTSTR name);
HICON LoadIcon(HINSTANCE hinst, LPCTSTR name);
// IMAGE_BITMAP or IMAGE_ICON, from a resource or (LR_LOADFROMFILE) from a BMP file given by a product
// path ("\" or "/"). Null when missing or malformed. cx/cy other than 0 stretch the picture.
HANDLE LoadImage(HINSTANCE hinst, LPCTSTR name, UINT type, int cx, int cy, UINT flags);
BOOL DestroyIcon(HICON icon);
// GetObject for bitmaps (fills a BITMAP) and fonts (fills a LOGFONT); 0 for anything else.
int GetObject(HGDIOBJ object, int size, void* buffer);

namespace ui::gdi {
// The picture of an icon handle; its transparent colour is picture's bottom-left pixel.
std::shared_ptr<BitmapImage> icon(HICON handle);
// A bitmap read from a BMP file given by a product path; null when missing or refused. error (when
// given) says why.
HBITMAP loadBitmapFile(const std::wstring& path, std::string* error = nullptr);
// The picture of bitmap resource `id` along the resource chain; null when there is none.
std::shared_ptr<const BitmapImage> findBitmapResource(int id);
std::shared_ptr<const BitmapImage> findBitmapResource(const std::wstring& name);
// The picture of icon resource `id`, or of the bitmap of that number when there is no such icon (an
// icon and a bitmap may share a number: each kind finds its own first).
std::shared_ptr<const BitmapImage> findIconResource(int id);
}  // namespace ui::gdi
