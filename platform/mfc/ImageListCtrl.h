#pragma once
// The core's CImageListCtrl: a list view of named thumbnails (macro previews, section pictures).
// Attach it to a template's list view, give it the thumbnail size, add the pictures by file, and draw:
//     m_pictures.init(this, 9091, CSize(96, 96));
//     for (...) m_pictures.addImage(name, path);
//     m_pictures.drawThumbnails();
// A picture that cannot be read gets a blank thumbnail, so the names and indexes stay aligned. The
// list view's notifications (NM_DBLCLK, LVN_ITEMCHANGED) reach the dialog as for any list view.
#include <string>
#include <vector>

#include "platform/mfc/ImageList.h"
#include "platform/mfc/ListCtrl.h"

class CImageListCtrl : public CListCtrl {
public:
    CImageListCtrl() = default;
    // Takes its image list back from the list view, which may outlive this object.
    ~CImageListCtrl() override;

    // Subclasses the dialog's list view `listId` and sets it to icon view. FALSE when the dialog has no
    // such control.
    BOOL init(CWnd* dialog, int listId, CSize thumbnail);
    void setThumbnailSize(CSize thumbnail);
    CSize thumbnailSize() const { return m_thumbnail; }

    // Queues a named picture; the list shows it after drawThumbnails. Returns its index.
    int addImage(const std::wstring& name, const std::wstring& imagePath);
    void clearImages();
    // Rebuilds the image list and the items from the queued pictures (the selection is cleared).
    // Returns how many pictures could be read.
    int drawThumbnails();

    int count() const { return static_cast<int>(m_entries.size()); }
    std::wstring name(int index) const;
    std::vector<std::wstring> names() const;
    // The first selected picture, or -1 / an empty name when none is selected.
    int selectedIndex() const;
    std::wstring selectedName() const;
    BOOL selectName(const std::wstring& name);
    CImageList& images() { return m_images; }

private:
    struct Entry {
        std::wstring name;
        std::wstring path;
    };
    CSize m_thumbnail{64, 64};
    std::vector<Entry> m_entries;
    CImageList m_images;
};
