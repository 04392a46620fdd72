#include "macrodlg/CDlgSelectMacro.h"

#include <algorithm>  // max

#include "macrodlg/MacroSubDialogRunners.h"
#include "platform/grid/window/GridMessages.h"  // SSN_BUTTONUP
#include "platform/grid/window/SSFunctions.h"
#include "platform/mfc/DialogSizeStore.h"
#include "platform/mfc/ListCtrl.h"
#include "platform/mfc/WindowClass.h"
#include "platform/mxbase/StringFunctions.h"
#include "platform/mxbase/UiTexts.h"
#include "platform/mxbase/ui/DialogSize.h"
#include "platform/mxbase/ui/MacroPreviews.h"

namespace {

constexpr wchar_t kSizeKey[] = L"DLG_SELECT_MACRO";
constexpr wchar_t kLayoutValue[] = L"LARGE_DLG";
constexpr int kFilterBitmap = 241;
constexpr COLORREF kPictureBackground = RGB(255, 0, 255);
// What the note takes from the bottom of the picture list.
constexpr int kNoteHeight = 60;
constexpr int kCheckColumnWidth = 22;  // pixels: the check box and its margins

constexpr int kLaidOut[] = {CDlgSelectMacro::IDC_LABEL,
                            CDlgSelectMacro::IDC_SHOW_FILTER,
                            CDlgSelectMacro::IDC_PICTURES,
                            CDlgSelectMacro::IDC_NOTE,
                            CDlgSelectMacro::IDC_FILTER_GRID,
                            CDlgSelectMacro::IDC_PREVIEW_IN_DRAWING,
                            CDlgSelectMacro::IDC_NEW_MACRO,
                            IDOK,
                            IDCANCEL};

}  // namespace

CDlgSelectMacro::CDlgSelectMacro(CWnd* parent) : CAcUiDialog(IDD, parent) {
    // The template's list view needs the common controls, which the host registers at its start.
    if (!ui::isWindowClassRegistered(WC_LISTVIEW))
        InitCommonControls();
    m_large = true;  // the template's layout
}

BOOL CDlgSelectMacro::OnInitDialog() {
    CAcUiDialog::OnInitDialog();

    CRect client;
    GetClientRect(&client);
    m_templateClient = CSize(client.Width(), client.Height());
    for (int id : kLaidOut) {
        CWnd* control = GetDlgItem(id);
        if (control == nullptr)
            continue;
        CRect place;
        control->GetWindowRect(&place);
        ScreenToClient(&place);
        m_templateRects.emplace_back(id, place);
    }
    m_gridSpan =
        std::max(0, static_cast<int>(templateRect(IDC_FILTER_GRID).right - templateRect(IDC_PICTURES).right));

    m_grid.createFromDlgItem(this, IDC_FILTER_GRID, false);
    if (m_showFilter.SubclassDlgItem(IDC_SHOW_FILTER, this)) {
        m_showFilter.SetFlat(FALSE);
        m_showFilter.SetBitmaps(kFilterBitmap, kPictureBackground);
        m_showFilter.SetTooltipText(L"Show or hide filter options");
    }
    if (!option) {
        GetDlgItem(IDC_NEW_MACRO)->EnableWindow(FALSE);
        if (showNote) {
            SetDlgItemText(IDC_NOTE, (dialString(1312) + L"\n" + dialString(1313)).c_str());
            GetDlgItem(IDC_NOTE)->ShowWindow(SW_SHOW);
            m_noteShown = true;
        }
    }

    getDlgSize(this, m_initialWidth, m_initialHeight);
    ChangeDlgSize(this, kSizeKey);

    setTexts();
    m_pictures.init(this, IDC_PICTURES, CSize(kMacroPreviewWidth, kMacroPreviewHeight));
    makePreviews();
    fillPictures();
    CheckDlgButton(IDC_PREVIEW_IN_DRAWING, BST_CHECKED);
    fillFilterGrid();

    setLayout(readDlgRegBool(kSizeKey, kLayoutValue, false));
    return TRUE;
}

void CDlgSelectMacro::setTexts() {
    SetWindowText((title.isEmpty() ? dialString(1116) : title).c_str());
    SetDlgItemText(IDC_LABEL, (L"  " + dialString(1644)).c_str());
    SetDlgItemText(IDOK, dialString(1).c_str());
    SetDlgItemText(IDCANCEL, dialString(2).c_str());
    SetDlgItemText(IDC_PREVIEW_IN_DRAWING, dialString(1118).c_str());
    SetDlgItemText(IDC_NEW_MACRO, dialString(1309).c_str());
}

void CDlgSelectMacro::makePreviews() {
    Mx_StringArray files, pictures, names;
    filter.getAllDwgFiles(files);
    CreatePreviewBMPs(files, kPreviewKind, pictures);
    // Nothing is ticked yet, so the filter names every macro, in the order of its files.
    filter.getFilteredMacros(names);
    m_previews.clear();
    for (int i = 0; i < names.length(); ++i)
        m_previews.emplace_back(names[i], names.length() == files.length() ? pictures.at(i) : Mx_String());
}

void CDlgSelectMacro::fillPictures() {
    Mx_StringArray names;
    filter.getFilteredMacros(names);
    // The selected macro stays selected while the filter keeps it.
    const std::wstring selected = m_pictures.GetSafeHwnd() ? m_pictures.selectedName() : std::wstring();
    m_pictures.clearImages();
    for (const Mx_String& name : names) {
        Mx_String picture;
        for (const auto& [known, path] : m_previews)
            if (known == name)
                picture = path;
        m_pictures.addImage(name.str(), picture.str());
    }
    m_pictures.drawThumbnails();
    if (!selected.empty())
        m_pictures.selectName(selected);
}

void CDlgSelectMacro::fillFilterGrid() {
    if (!m_grid.isCreated())
        return;
    m_grid.initDefaults(0);
    m_grid.SetBool(SSB_ROWHEADERS, FALSE);
    m_grid.SetMaxCols(3);
    m_grid.SetData(1, SS_HEADER, L" ");  // empty would show the column letter
    m_grid.SetData(2, SS_HEADER, dialString(1119).c_str());
    m_grid.SetData(3, SS_HEADER, dialString(1120).c_str());
    m_rows.clear();
    Mx_StringArray modules;
    Mx_Array<Mx_StringArray> properties;
    if (filter.getMergedProperties(modules, properties)) {
        for (int m = 0; m < modules.length(); ++m) {
            m_rows.push_back({modules[m], Mx_String()});
            for (const Mx_String& property : properties[m])
                m_rows.push_back({modules[m], property});
        }
    }
    m_grid.SetMaxRows(static_cast<SS_COORD>(m_rows.size()));
    Mx_StringArray moduleColumn, propertyColumn, ticks;
    for (const FilterRow& row : m_rows) {
        moduleColumn.append(row.property.isEmpty() ? row.module : Mx_String());
        propertyColumn.append(row.property);
        ticks.append(L"0");
    }
    m_grid.setColumnTexts(1, ticks, false);
    m_grid.setColumnTexts(2, moduleColumn, false);
    m_grid.setColumnTexts(3, propertyColumn, false);
    m_grid.setCheckBoxColumn(1, false, false);
    m_grid.setStaticTextColumn(2, 0);
    m_grid.setStaticTextColumn(3, 0);
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].property.isEmpty())
            m_grid.setFontRange(2, static_cast<int>(i) + 1, 2, static_cast<int>(i) + 1, m_grid.fontFace(),
                                m_grid.fontSize(), true, false);
    m_grid.setResizeMode(4, 1, kCheckColumnWidth);
    m_grid.onResized();
    m_grid.SetBool(SSB_REDRAW, TRUE);
}

void CDlgSelectMacro::filterTicked(int row) {
    if (row < 1 || row > static_cast<int>(m_rows.size()))
        return;
    Mx_String tick;
    m_grid.getCellText(1, row, tick, Mx_Spread::kData);
    const bool on = tick == L"1";
    const FilterRow& changed = m_rows[static_cast<std::size_t>(row - 1)];
    if (changed.property.isEmpty())
        filter.setModuleStatus(changed.module, on);
    else
        filter.setModulePropStatus(changed.module, changed.property, on);
    fillPictures();
}

void CDlgSelectMacro::OnOK() {
    const Mx_String name(m_pictures.GetSafeHwnd() ? m_pictures.selectedName() : std::wstring());
    if (name.isEmpty())
        return;
    chosen = changeExtension(name, L"dwg");
    option = false;
    CAcUiDialog::OnOK();
}

BOOL CDlgSelectMacro::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id == IDC_FILTER_GRID && code == SSN_BUTTONUP) {
        SS_COORD col = 0, row = 0;
        if (SSGetCellSendingMsg(m_grid.GetSafeHwnd(), &col, &row) && col == 1)
            filterTicked(static_cast<int>(row));
        return TRUE;
    }
    if (code == BN_CLICKED && id == IDC_NEW_MACRO) {
        option = true;
        chosen = Mx_String();
        EndDialog(IDOK);
        return TRUE;
    }
    if (code == BN_CLICKED && id == IDC_SHOW_FILTER) {
        setLayout(!m_large);
        return TRUE;
    }
    return CAcUiDialog::OnCommand(wParam, lParam);
}

BOOL CDlgSelectMacro::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && static_cast<int>(header->idFrom) == IDC_PICTURES && header->code == NM_DBLCLK) {
        OnOK();
        return TRUE;
    }
    return CAcUiDialog::OnNotify(wParam, lParam, result);
}

void CDlgSelectMacro::setLayout(bool large) {
    if (large != m_large) {
        CRect window;
        GetWindowRect(&window);
        m_large = large;
        SetWindowPos(nullptr, 0, 0, window.Width() + (large ? m_gridSpan : -m_gridSpan), window.Height(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (m_grid.GetSafeHwnd())
        m_grid.ShowWindow(large ? SW_SHOW : SW_HIDE);
    layOut();
}

CRect CDlgSelectMacro::templateRect(int id) const {
    for (const auto& [known, place] : m_templateRects)
        if (known == id)
            return place;
    return CRect(0, 0, 0, 0);
}

void CDlgSelectMacro::layOut() {
    if (m_templateRects.empty())
        return;
    CRect client;
    GetClientRect(&client);
    const int right = client.Width();
    const int bottom = client.Height();
    const auto fromRight = [&](int id) {
        CRect place = templateRect(id);
        const int width = place.Width();
        place.left = right - (m_templateClient.cx - place.left);
        place.right = place.left + width;
        return place;
    };
    const auto fromBottom = [&](CRect place) {
        const int height = place.Height();
        place.top = bottom - (m_templateClient.cy - place.top);
        place.bottom = place.top + height;
        return place;
    };
    const auto move = [&](int id, const CRect& place) {
        if (CWnd* control = GetDlgItem(id))
            control->MoveWindow(&place);
    };

    const CRect listTemplate = templateRect(IDC_PICTURES);
    const int margin = m_templateClient.cx - templateRect(IDC_FILTER_GRID).right;
    CRect grid = templateRect(IDC_FILTER_GRID);
    grid.bottom = bottom - (m_templateClient.cy - grid.bottom);
    grid.left = right - margin - templateRect(IDC_FILTER_GRID).Width();
    grid.right = right - margin;
    CRect list = listTemplate;
    list.right = m_large ? grid.left - (m_gridSpan - grid.Width()) : right - margin;
    list.bottom = grid.bottom;
    if (m_noteShown) {
        const CRect note(list.left, list.bottom - kNoteHeight + 4, list.right, list.bottom);
        move(IDC_NOTE, note);
        list.bottom -= kNoteHeight;
    }
    move(IDC_PICTURES, list);
    move(IDC_FILTER_GRID, grid);
    CRect toggle = templateRect(IDC_SHOW_FILTER);
    toggle.MoveToX(list.right - toggle.Width());
    move(IDC_SHOW_FILTER, toggle);
    move(IDC_PREVIEW_IN_DRAWING, fromBottom(templateRect(IDC_PREVIEW_IN_DRAWING)));
    for (int id : {static_cast<int>(IDC_NEW_MACRO), static_cast<int>(IDOK), static_cast<int>(IDCANCEL)})
        move(id, fromBottom(fromRight(id)));
    Invalidate();
}

void CDlgSelectMacro::OnSize(UINT type, int cx, int cy) {
    CAcUiDialog::OnSize(type, cx, cy);
    layOut();
}

void CDlgSelectMacro::OnGetMinMaxInfo(MINMAXINFO* info) {
    CAcUiDialog::OnGetMinMaxInfo(info);
    info->ptMinTrackSize.x = m_initialWidth - (m_large ? 0 : m_gridSpan);
    info->ptMinTrackSize.y = m_initialHeight;
}

void CDlgSelectMacro::OnDestroy() {
    // The size is kept as the large layout's, which is the template's, whatever layout is showing.
    if (WriteDlgSize(this, kSizeKey) && !m_large) {
        if (auto placement = ui::DialogSizeStore::read(kSizeKey)) {
            placement->width += m_gridSpan;
            ui::DialogSizeStore::write(kSizeKey, *placement);
        }
    }
    writeDlgRegBool(kSizeKey, kLayoutValue, m_large);
    CAcUiDialog::OnDestroy();
}

void installSelectMacroDialog() {
    setSelectMacroRunner([](SelectMacroRequest& request) -> INT_PTR {
        CDlgSelectMacro dialog(nullptr);
        dialog.title = request.title;
        dialog.filter = request.filter;
        dialog.option = request.option;
        dialog.showNote = request.showNote;
        const INT_PTR result = dialog.DoModal();
        if (result == IDOK) {
            request.chosen = dialog.chosen;
            request.option = dialog.option;
        }
        return result;
    });
}
