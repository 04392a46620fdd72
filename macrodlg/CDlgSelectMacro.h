#pragma once
// CDlgSelectMacro: the macro selection (template 8717). The macros of the filter are shown as preview
// pictures; OK or a double click takes the selected one (nothing closes it while none is selected) and
// gives its name with the extension "dwg". "New macro" (1352) ends with OK, no name and the option set;
// it is disabled when the caller does not offer the option. Button 1409 switches between the small
// layout (pictures only) and the large one (pictures and the filter grid of the macros' modules and
// properties; ticking narrows the pictures to the macros that have what is ticked).
//
// The size is kept under "DLG_SELECT_MACRO" as the large layout's size, and the layout under that key's
// "LARGE_DLG", so the next opening has the layout and size the user left.
#include <vector>

#include "platform/mfc/ButtonST.h"
#include "platform/mfc/CAcUiDialog.h"
#include "platform/mfc/ImageListCtrl.h"
#include "platform/mxbase/Mx_MacroPropsFilter.h"
#include "platform/mxbase/Mx_String.h"
#include "spread/Mx_Spread.h"

class CDlgSelectMacro : public CAcUiDialog {
public:
    enum : UINT { IDD = 8717 };
    enum : int {
        IDC_LABEL = 1175,
        IDC_FILTER_GRID = 1196,
        IDC_NEW_MACRO = 1352,
        IDC_NOTE = 1353,
        IDC_SHOW_FILTER = 1409,
        IDC_PICTURES = 9091,
        IDC_PREVIEW_IN_DRAWING = 9093,
    };
    // The preview kind handed to CreatePreviewBMPs.
    static constexpr wchar_t kPreviewKind[] = L"abm";

    explicit CDlgSelectMacro(CWnd* parent = nullptr);

    // In: the caption (empty: UI text 1116), the filter, whether the option (1352) is offered and
    // whether to say why it is not. Out on OK: the chosen name and the option.
    Mx_String title;
    Mx_MacroPropsFilter filter;
    bool option = false;
    bool showNote = false;
    Mx_String chosen;

    bool isLargeLayout() const { return m_large; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnGetMinMaxInfo(MINMAXINFO* info) override;
    void OnDestroy() override;

private:
    // A row of the filter grid: a module (property empty) or one of its properties.
    struct FilterRow {
        Mx_String module;
        Mx_String property;
    };
    void setTexts();
    void makePreviews();
    void fillPictures();
    void fillFilterGrid();
    void filterTicked(int row);
    void setLayout(bool large);
    void layOut();
    // The template's place of a control, in client pixels.
    CRect templateRect(int id) const;

    CImageListCtrl m_pictures;
    Mx_Spread m_grid;
    CButtonST m_showFilter;
    std::vector<FilterRow> m_rows;
    // Every macro's name and its preview picture, as the filter names it.
    std::vector<std::pair<Mx_String, Mx_String>> m_previews;
    bool m_large = false;
    bool m_noteShown = false;
    // The template's layout: client size and control places, read when the dialog opens.
    CSize m_templateClient;
    std::vector<std::pair<int, CRect>> m_templateRects;
    int m_gridSpan = 0;  // the grid's width and the gap before it: what the large layout adds
    int m_initialWidth = 50;
    int m_initialHeight = 50;
};

// Installs the dialog as the runner of StartDlgSelectMacro (the module's initialisation calls it).
void installSelectMacroDialog();
