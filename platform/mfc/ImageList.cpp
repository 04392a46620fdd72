#include "platform/mfc/ImageList.h"

#include "platform/mfc/Bitmap.h"
#include "platform/mfc/Dc.h"

BOOL CImageList::Create(int cx, int cy, UINT flags, int, int)
{
    if (m_created || cx <= 0 || cy <= 0)
        return FALSE;
    m_created = true;
    m_masked = (flags & ILC_MASK) != 0;
    m_width = cx;
    m_height = cy;
    return TRUE;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_created)
        return FALSE;
    m_created = false;
    m_images.clear();
    return TRUE;
}

ui::BitmapImage CImageList::fit(const ui::BitmapImage& picture) const
{
    if (picture.width() == m_width && picture.height() == m_height)
        return picture;
    ui::BitmapImage result(m_width, m_height, 0, picture.bitsPerPixel());
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            result.setPixel(x, y, picture.pixel(x * picture.width() / m_width, y * picture.height() / m_height));
    return result;
}

int CImageList::Add(const ui::BitmapImage& picture, const ui::BitmapImage* mask)
{
    if (!m_created || picture.isNull())
        return -1;
    Entry entry{fit(picture), {}};
    if (m_masked)
        entry.mask = mask && !mask->isNull() ? fit(*mask) : ui::BitmapImage(m_width, m_height, 0, 1);
    m_images.push_back(std::move(entry));
    return GetImageCount() - 1;
}

int CImageList::Add(CBitmap* bitmap, CBitmap* mask)
{
    const ui::BitmapImage* picture = bitmap ? bitmap->image() : nullptr;
    if (!picture)
        return -1;
    return Add(*picture, mask ? mask->image() : nullptr);
}

int CImageList::Add(CBitmap* bitmap, COLORREF maskColor)
{
    const ui::BitmapImage* picture = bitmap ? bitmap->image() : nullptr;
    if (!picture)
        return -1;
    const ui::BitmapImage mask = picture->maskOf(maskColor);
    return Add(*picture, &mask);
}

int CImageList::Add(HICON icon)
{
    const auto picture = ui::gdi::icon(icon);
    if (!picture)
        return -1;
    const ui::BitmapImage mask = picture->maskOf(picture->pixel(0, picture->height() - 1));
    return Add(*picture, &mask);
}

BOOL CImageList::Replace(int index, CBitmap* bitmap, CBitmap* mask)
{
    if (!image(index) || !bitmap || !bitmap->image())
        return FALSE;
    Entry& entry = m_images[std::size_t(index)];
    entry.picture = fit(*bitmap->image());
    if (m_masked)
        entry.mask = mask && mask->image() ? fit(*mask->image()) : ui::BitmapImage(m_width, m_height, 0, 1);
    return TRUE;
}

BOOL CImageList::Remove(int index)
{
    if (index == -1) {
        m_images.clear();
        return TRUE;
    }
    if (!image(index))
        return FALSE;
    m_images.erase(m_images.begin() + index);
    return TRUE;
}

BOOL CImageList::SetImageCount(UINT count)
{
    if (!m_created)
        return FALSE;
    m_images.resize(count, Entry{ui::BitmapImage(m_width, m_height), m_masked ? ui::BitmapImage(m_width, m_height, 0, 1) : ui::BitmapImage()});
    return TRUE;
}

const ui::BitmapImage* CImageList::image(int index) const
{
    if (index < 0 || index >= GetImageCount())
        return nullptr;
    return &m_images[std::size_t(index)].picture;
}

const ui::BitmapImage* CImageList::mask(int index) const
{
    if (index < 0 || index >= GetImageCount() || !m_masked)
        return nullptr;
    return &m_images[std::size_t(index)].mask;
}

BOOL CImageList::Draw(CDC* dc, int index, POINT at, UINT style)
{
    const ui::BitmapImage* picture = image(index);
    if (!dc || !picture)
        return FALSE;
    const ui::BitmapImage* pictureMask = mask(index);
    if ((style & ILD_TRANSPARENT) && pictureMask) {
        dc->DrawTransparent(at.x, at.y, *picture, *pictureMask);
    } else {
        // Opaque: the mask is ignored and the picture drawn as is.
        dc->DrawTransparent(at.x, at.y, *picture, ui::BitmapImage(picture->width(), picture->height(), 0, 1));
    }
    return TRUE;
}
