#include "platform/mfc/ImageListCtrl.h"

#include <algorithm>  // max

#include "platform/arx/Utf8.h"
#include "platform/mfc/BitmapFile.h"
#include "platform/mfc/GdiColors.h"

CImageListCtrl::~CImageListCtrl()
{
    if (m_hWnd && GetImageList(LVSIL_NORMAL) == &m_images)
        SetImageList(nullptr, LVSIL_NORMAL);
}

BOOL CImageListCtrl::init(CWnd* dialog, int listId, CSize thumbnail)
{
    if (!dialog || !dialog->GetDlgItem(listId))
        return FALSE;
    if (!m_hWnd && !SubclassDlgItem(UINT(listId), dialog))
        return FALSE;
    ModifyStyle(LVS_TYPEMASK, LVS_ICON | LVS_SINGLESEL);
    setThumbnailSize(thumbnail);
    return TRUE;
}

void CImageListCtrl::setThumbnailSize(CSize thumbnail)
{
    // A zero size (the first picture could not be read) still needs a list to hold blank entries.
    m_thumbnail = CSize(std::max<int>(thumbnail.cx, 1), std::max<int>(thumbnail.cy, 1));
    m_images.DeleteImageList();
    m_images.Create(m_thumbnail.cx, m_thumbnail.cy, ILC_COLOR24 | ILC_MASK, 0, 8);
    if (m_hWnd)
        SetImageList(&m_images, LVSIL_NORMAL);
}

int CImageListCtrl::addImage(const std::wstring& name, const std::wstring& imagePath)
{
    m_entries.push_back({name, imagePath});
    return count() - 1;
}

void CImageListCtrl::clearImages()
{
    m_entries.clear();
    m_images.Remove(-1);
    if (m_hWnd)
        DeleteAllItems();
}

int CImageListCtrl::drawThumbnails()
{
    if (!m_images.isCreated())
        setThumbnailSize(m_thumbnail);
    m_images.Remove(-1);
    if (m_hWnd)
        DeleteAllItems();
    int readable = 0;
    for (int i = 0; i < count(); ++i) {
        std::wstring native = m_entries[std::size_t(i)].path;
        for (wchar_t& c : native)
            if (c == L'\\')
                c = L'/';
        const ui::BmpReadResult read = ui::readBmpFile(utf8::encode(native));
        if (read.ok) {
            ++readable;
            m_images.Add(read.image);
        } else {
            m_images.Add(ui::BitmapImage(m_thumbnail.cx, m_thumbnail.cy, GetSysColor(COLOR_WINDOW)));
        }
        if (m_hWnd)
            InsertItem(i, m_entries[std::size_t(i)].name.c_str(), i);
    }
    if (m_hWnd)
        Invalidate();
    return readable;
}

std::wstring CImageListCtrl::name(int index) const
{
    return index >= 0 && index < count() ? m_entries[std::size_t(index)].name : std::wstring();
}

std::vector<std::wstring> CImageListCtrl::names() const
{
    std::vector<std::wstring> result;
    for (const Entry& entry : m_entries)
        result.push_back(entry.name);
    return result;
}

int CImageListCtrl::selectedIndex() const
{
    return m_hWnd ? GetNextItem(-1, LVNI_SELECTED) : -1;
}

std::wstring CImageListCtrl::selectedName() const
{
    return name(selectedIndex());
}

BOOL CImageListCtrl::selectName(const std::wstring& wanted)
{
    for (int i = 0; i < count(); ++i)
        if (m_entries[std::size_t(i)].name == wanted)
            return SetItemState(i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    return FALSE;
}
