#pragma once
// MFC's CImageList: a row of equally sized pictures, each with an optional transparency mask, that
// list views and tab controls draw from by index.
#include <vector>

#include "platform/mfc/AfxTypes.h"
#include "platform/mfc/BitmapImage.h"

class CBitmap;
class CDC;

constexpr UINT ILC_MASK = 0x1;
constexpr UINT ILC_COLOR = 0x0;
constexpr UINT ILC_COLOR24 = 0x18;
constexpr UINT ILC_COLOR32 = 0x20;
constexpr UINT ILD_NORMAL = 0x0;
constexpr UINT ILD_TRANSPARENT = 0x1;

class CImageList {
public:
    CImageList() = default;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    // Pictures of cx x cy; `initial` and `grow` are capacity hints and change nothing here.
    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    BOOL DeleteImageList();
    bool isCreated() const { return m_created; }

    // Each Add scales the picture to the list's size (nearest neighbour) and returns its index, or -1
    // when the list is not created or the picture is empty.
    int Add(CBitmap* bitmap, CBitmap* mask);
    // The mask is made from the pixels of colour `maskColor`.
    int Add(CBitmap* bitmap, COLORREF maskColor);
    int Add(HICON icon);
    int Add(const ui::BitmapImage& picture, const ui::BitmapImage* mask = nullptr);
    BOOL Replace(int index, CBitmap* bitmap, CBitmap* mask);
    BOOL Remove(int index);  // -1 removes all
    int GetImageCount() const { return static_cast<int>(m_images.size()); }
    BOOL SetImageCount(UINT count);
    CSize imageSize() const { return CSize(m_width, m_height); }
    // Null for an index outside the list.
    const ui::BitmapImage* image(int index) const;
    const ui::BitmapImage* mask(int index) const;

    BOOL Draw(CDC* dc, int index, POINT at, UINT style);

private:
    struct Entry {
        ui::BitmapImage picture;
        ui::BitmapImage mask;  // empty when the list has no masks
    };
    ui::BitmapImage fit(const ui::BitmapImage& picture) const;
    bool m_created = false;
    bool m_masked = false;
    int m_width = 0;
    int m_height = 0;
    std::vector<Entry> m_images;
};
