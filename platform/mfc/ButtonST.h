#pragma once
// The core's CButtonST: a push button, or an image check box, that shows an icon or a bitmap from the
// resources instead of (or beside) its text, and a tooltip. Attach it to a template button:
//     m_up.SubclassDlgItem(IDC_UP, this);
//     m_up.SetIcon(257);
//     m_up.SetTooltipText(dialString(173).c_str());
// A button whose template style is a check box keeps behaving as one (BST_CHECKED on click); it is
// only drawn as a picture.
#include <string>

#include "platform/mfc/CButton.h"
#include "platform/mfc/ToolTip.h"

class CButtonST : public CButton {
public:
    CButtonST() = default;
    ~CButtonST() override;

    // From the resources (icon first, then bitmap of that number); FALSE when there is none, and the
    // button keeps its text. Icon 0 removes the picture.
    BOOL SetIcon(int iconId);
    BOOL SetIcon(HICON icon);  // the button takes ownership
    // A bitmap resource, the pixels of `transparent` colour showing the button face.
    BOOL SetBitmaps(int bitmapId, COLORREF transparent);
    // A picture file (for pictures under "icons\"); FALSE when it cannot be read.
    BOOL SetBitmapFile(const std::wstring& path, COLORREF transparent);
    bool hasPicture() const { return m_picture != nullptr; }
    HBITMAP picture() const { return m_picture; }

    // The tooltip text (empty: no tooltip). Made on first use with the button's parent.
    void SetTooltipText(LPCTSTR text, BOOL activate = TRUE);
    void SetTooltipText(int textResourceId, BOOL activate = TRUE);
    void ActivateTooltip(BOOL activate = TRUE);
    CString tooltipText() const;

    // A flat button shows no edge until it is pressed or checked; DrawBorder(FALSE) never shows one.
    void SetFlat(BOOL flat = TRUE) { m_flat = flat != FALSE; }
    void DrawBorder(BOOL draw = TRUE) { m_border = draw != FALSE; }
    void SetAlign(int align) { m_align = align; }

protected:
    // The picture (its transparent colour showing the face) left of the text, or centred without
    // text; a checked image check box and a pressed button are drawn pushed in.
    void OnPaint() override;

private:
    void releasePicture();
    HBITMAP m_picture = nullptr;
    COLORREF m_transparent = 0xFFFFFF;
    CToolTipCtrl m_tooltip;
    bool m_flat = true;
    bool m_border = true;
    int m_align = 0;
};
