#pragma once
// CDlgSelectImage: the image selection dialog (template 8719, resizable) over a VlSelectImageDlgData:
// the pictures as named thumbnails; OK or a double click on a thumbnail takes the selected picture's
// name and closes, and nothing closes it while no picture is selected. The size is kept under
// "DLG_SELECT_IMAGE".
#include "dialogs/VlSelectImageDlgData.h"
#include "platform/mfc/CAcUiDialog.h"
#include "platform/mfc/ImageListCtrl.h"
#include "platform/mxbase/ui/CResizer.h"

class CDlgSelectImage : public CAcUiDialog {
public:
    enum : UINT { IDD = 8719 };
    enum : int { IDC_IMAGES = 9091 };

    explicit CDlgSelectImage(CWnd* parent = nullptr);

    VlSelectImageDlgData data;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnGetMinMaxInfo(MINMAXINFO* info) override;
    void OnDestroy() override;

private:
    bool takeSelection();

    CImageListCtrl m_images;
    CResizer m_resizer;
    int m_initialWidth = 50;
    int m_initialHeight = 50;
};
