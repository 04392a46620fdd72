#include "macrodlg/CMacroTabPage.h"

#include <algorithm>
#include <cmath>
#include <cstdio>  // swprintf
#include <cwchar>  // wcstod

#include "designer/CDlgDesigner.h"
#include "macrodlg/CDlgMacro.h"
#include "macrodlg/CMacroTabGeneral.h"
#include "macrodlg/CMacroTabProf.h"
#include "macrodlg/MacroSubDialogRunners.h"
#include "platform/arx/CommandLine.h"
#include "platform/grid/window/GridMessages.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroDrawing.h"
#include "platform/mxbase/MacroLangs.h"
#include "platform/mxbase/StringFunctions.h"
#include "platform/mxbase/UserPicks.h"

namespace {

constexpr int kEditMaxLength = 1000;
constexpr int kButtonColWidth = 24;  // pixels: room for "..."
constexpr int kGap = 4;              // pixels between the template's picture and what follows it
constexpr long kEditStyle = 0x110000;

// Notification codes the page applies on (combo selection change, edit loses the focus), and the
// focus notifications it remembers the focus on.
constexpr WORD kSelChange = 1;
constexpr WORD kKillFocus = 0x200;
constexpr WORD kEditSetFocus = 0x100;
constexpr WORD kComboSetFocus = 3;

bool isDesignedId(int id) {
    return id >= CMacroTabPage::kFirstDesignedId && id <= CMacroTabPage::kLastDesignedId;
}

// A number read from the grid kept as text with 2 decimals; a value that reads as the same number at
// that precision keeps its text, so a commit that changed nothing applies nothing.
Mx_String numberText(double number, const Mx_String& before) {
    wchar_t text[64];
    std::swprintf(text, 64, L"%.2f", number);
    wchar_t* end = nullptr;
    const double old = std::wcstod(before.c_str(), &end);
    if (end != before.c_str() && *end == L'\0' &&
        std::fabs(std::round(old * 100.0) - std::round(number * 100.0)) < 0.5)
        return before;
    return Mx_String(text);
}

bool isNumberText(const Mx_String& text) {
    if (text.isEmpty())
        return false;
    wchar_t* end = nullptr;
    std::wcstod(text.c_str(), &end);
    while (end != nullptr && (*end == L' ' || *end == L'\t'))
        ++end;
    return end != text.c_str() && end != nullptr && *end == L'\0';
}

}  // namespace

CMacroTabPage* CMacroTabPage::create(int kind, int tabIndex, CDlgMacro* owner) {
    if (kind == MacroTabData::kProfile)
        return new CMacroTabProf(tabIndex, owner);
    return new CMacroTabGeneral(kind, tabIndex, owner);
}

CMacroTabPage::CMacroTabPage(UINT templateId, int kind, int tabIndex, CDlgMacro* owner, int gridId)
    : CDialog(templateId), m_kind(kind), m_tabIndex(tabIndex), m_owner(owner), m_gridId(gridId) {}

CMacroTabPage::~CMacroTabPage() = default;

MacroTabData* CMacroTabPage::tabData() const {
    return m_owner != nullptr ? m_owner->macroData().tabAt(m_tabIndex) : nullptr;
}

Mx_String CMacroTabPage::moduleName() const {
    const MacroTabData* tab = tabData();
    return tab != nullptr ? tab->moduleName : Mx_String();
}

Mx_String CMacroTabPage::templatePath() const {
    const MacroTabData* tab = tabData();
    if (tab == nullptr || tab->templateFile.isEmpty() || !isSafeTemplateName(tab->templateFile))
        return Mx_String();
    Mx_String path = getDesignerRootFolder() + tab->templateFile;
    if (!path.str().ends_with(L".txt"))
        path += L".txt";
    return path;
}

bool CMacroTabPage::createPage(CWnd* parent) {
    return Create(isProfilePage() ? IDD_PROFILE : IDD_GENERAL, parent) != FALSE;
}

// --- building

BOOL CMacroTabPage::OnInitDialog() {
    CDialog::OnInitDialog();
    setUpOwnControls();
    m_grid.createFromDlgItem(this, m_gridId, false);
    m_grid.initDefaults(0);
    m_grid.setFontFace(m_fontName);
    m_grid.SetBool(SSB_ROWHEADERS, FALSE);
    m_grid.SetBool(SSB_COLHEADERS, FALSE);
    m_grid.SetBool(SSB_PROCESSTAB, TRUE);
    m_grid.SetMaxCols(kGridCols);
    m_grid.setResizeMode(4, kButtonCol, kButtonColWidth);
    // Labels and read-only values read as text on the button face, as a dialog's labels do.
    m_grid.SetLockColor(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOWTEXT));
    if (tabData() != nullptr) {
        buildControls();
        m_initialised = true;
    } else {
        m_grid.ShowWindow(SW_HIDE);
    }
    m_ready = tabData() != nullptr;
    return FALSE;
}

void CMacroTabPage::buildControls() {
    MacroTabData* tab = tabData();
    if (tab == nullptr)
        return;
    tab->removeAllDlgReferences();
    if (m_designer.isInitialized())
        m_designer.removeAllDrawnCtrls();
    const Mx_String path = templatePath();
    if (!path.isEmpty()) {
        if (!m_designer.isInitialized())
            m_designer.initialize(this, kFirstDesignedId, kLastDesignedId, 0, 0, 0, 0, 0, false);
        if (m_designer.readFromFile(path, true)) {
            // A control that shows nothing of this tab is not shown at all.
            for (int i = m_designer.getNrControls() - 1; i >= 0; --i) {
                if (!linkDesignedControl(*tab, *m_designer.getControlWrite(i)))
                    m_designer.removeControl(i);
            }
            m_designer.redrawAllControls();
        }
    }
    buildGrid(*tab);
    showOwnControls();
    layOut();
    refill();
}

bool CMacroTabPage::linkDesignedControl(MacroTabData& tab, Mx_DesignerControl& control) {
    const int type = control.type;
    const Mx_String& name = control.contents;
    if (type == kCtrlStatic || type == kCtrlGroupBox)
        return true;
    if (linkOwnItem(tab, control))
        return true;
    if (type == kCtrlEdit || type == kCtrlCombo) {
        MacroCell* cell = tab.findCell(name);
        if (cell == nullptr)
            return false;
        cell->controlId = control.resId;
        return true;
    }
    if (type >= kCtrlBoltCount1 && type <= 12) {
        MacroPatternProps* pattern = tab.findPattern(name);
        if (pattern == nullptr)
            return false;
        if (type == kCtrlBoltCount1)
            pattern->ctrlIds[0] = control.resId;
        else if (type == kCtrlBoltCount2)
            pattern->ctrlIds[1] = control.resId;
        else if (type == kCtrlButton)
            pattern->ctrlIds[2] = control.resId;
        return true;
    }
    if (type >= 13 && type <= 17) {
        MacroProfData props;
        return tab.getMergedPropsOfGroup(name, props) == Acad::eOk && !name.isEmpty();
    }
    if (type >= 18 && type <= 24) {
        DynArrayData* array = tab.findArray(name);
        if (array == nullptr)
            return false;
        if (type == 24)
            array->ctrlId = control.resId;
        return true;
    }
    if (type == kCtrlVarButton || type == kCtrlVarButton2) {
        MacroCell* cell = tab.findCell(control.extPart1);
        if (cell == nullptr || !cell->readOnly)
            return false;
        cell->controlId = control.resId;
        return true;
    }
    if (type == kCtrlStandardsList) {
        if (tab.choices.isEmpty())
            return false;
        control.comboItems = tab.choices;
        tab.choicesCtrlId = control.resId;
        return true;
    }
    if (type == kCtrlCheckBox) {
        MacroCell* cell = tab.findCell(control.comboList);
        if (cell == nullptr)
            return false;
        cell->controlId = control.resId;
        return true;
    }
    if (type == kCtrlFlexButton)
        return tab.hasBtnFlexFix(name);
    // Type 28 shows a cut of the tab: the tabs of this system carry no cuts.
    return false;
}

void CMacroTabPage::buildGrid(MacroTabData& tab) {
    m_rows.clear();
    for (int i = 0; i < tab.cells().length(); ++i) {
        MacroCell& cell = const_cast<MacroCell&>(tab.cells()[i]);
        if (cell.controlId >= 1)
            continue;
        m_rows.push_back({Row::Cell, i});
        cell.controlId = -static_cast<int>(m_rows.size());
    }
    if (listsPatterns()) {
        for (int i = 0; i < tab.patterns().length(); ++i) {
            MacroPatternProps& props = tab.patternsWrite()[i];
            const bool shownByTemplate = props.ctrlIds[0] >= 1 && props.ctrlIds[2] >= 1 &&
                                         (props.getCount() == -1 || props.ctrlIds[1] >= 1);
            if (shownByTemplate)
                continue;
            m_rows.push_back({Row::Pattern, i});
            const int row = static_cast<int>(m_rows.size());
            for (int& id : props.ctrlIds) {
                if (id < 1)
                    id = -row;
            }
            props.ctrlIds[2] = -row;
        }
    }
    for (int i = 0; i < tab.arrays().length(); ++i) {
        DynArrayData& array = tab.arraysWrite()[i];
        if (array.ctrlId >= 1)
            continue;
        m_rows.push_back({Row::Array, i});
        array.ctrlId = -static_cast<int>(m_rows.size());
    }

    m_grid.unmergeAll();
    m_grid.SetMaxRows(static_cast<SS_COORD>(m_rows.size()));
    for (int row = 1; row <= static_cast<int>(m_rows.size()); ++row)
        setUpGridRow(tab, row);
    m_grid.onResized();
    m_grid.ShowWindow(m_rows.empty() ? SW_HIDE : SW_SHOW);
}

void CMacroTabPage::setUpGridRow(const MacroTabData& tab, int row) {
    const Row& item = m_rows[static_cast<std::size_t>(row - 1)];
    m_grid.AddCellSpan(kLabelCol, row, 2, 1);
    m_grid.setStaticTextCell(kLabelCol, row, 0);
    m_grid.setLock(kLabelCol, row, true);
    switch (item.kind) {
        case Row::Cell: {
            const MacroCell& cell = tab.cells()[item.index];
            m_grid.SetData(kLabelCol, row, (cell.label.isEmpty() ? cell.name : cell.label).c_str());
            m_grid.AddCellSpan(kValueCol, row, 2, 1);
            Mx_StringArray items;
            switch (cell.kind) {
                case MacroCell::kCombo:
                case MacroCell::kEditCombo:
                    strToArr(cell.listText, items);
                    m_grid.setComboCell(kValueCol, row, items, cell.kind == MacroCell::kEditCombo);
                    break;
                case MacroCell::kCheckBox:
                    m_grid.setCheckBoxCell(kValueCol, row, false);
                    break;
                default:
                    m_grid.setEditCells(kValueCol, row, kValueCol, row, kEditStyle, kEditMaxLength);
                    break;
            }
            m_grid.setLock(kValueCol, row, cell.readOnly);
            m_grid.setStaticTextCell(kButtonCol, row, 0);
            m_grid.setLock(kButtonCol, row, true);
            break;
        }
        case Row::Pattern: {
            const MacroPatternProps& props = tab.patterns()[item.index];
            m_grid.SetData(kLabelCol, row, props.name().c_str());
            m_grid.setEditCells(kValueCol, row, kValue2Col, row, kEditStyle, kEditMaxLength);
            m_grid.setLock(kValue2Col, row, !props.pattern.twoDirections);
            m_grid.setButtonCell(kButtonCol, row, Mx_String(L"..."));
            break;
        }
        case Row::Array: {
            const DynArrayData& array = tab.arrays()[item.index];
            m_grid.SetData(kLabelCol, row, array.name.c_str());
            m_grid.AddCellSpan(kValueCol, row, 2, 1);
            m_grid.setStaticTextCell(kValueCol, row, 0);
            m_grid.setLock(kValueCol, row, true);
            m_grid.setButtonCell(kButtonCol, row, Mx_String(L"..."));
            break;
        }
    }
}

void CMacroTabPage::layOut() {
    // The template's picture sits at the page's origin; the page's own controls and the grid keep
    // their places below it.
    int width = 0, height = 0;
    if (m_designer.isInitialized())
        m_designer.getImageSize(width, height);
    CRect gridRect;
    if (m_grid.GetSafeHwnd() != nullptr) {
        m_grid.GetWindowRect(&gridRect);
        ScreenToClient(&gridRect);
    }
    int top = gridRect.top;
    for (int id : controlsAboveGrid()) {
        CWnd* control = GetDlgItem(id);
        if (control == nullptr || !control->IsWindowVisible())
            continue;
        CRect rect;
        control->GetWindowRect(&rect);
        ScreenToClient(&rect);
        top = std::min(top, static_cast<int>(rect.top));
    }
    const int shift = height > 0 ? height + kGap - top : 0;
    if (shift > 0) {
        for (int id : controlsAboveGrid()) {
            if (CWnd* control = GetDlgItem(id)) {
                CRect rect;
                control->GetWindowRect(&rect);
                ScreenToClient(&rect);
                rect.OffsetRect(0, shift);
                control->MoveWindow(&rect);
            }
        }
        gridRect.OffsetRect(0, shift);
        m_grid.MoveWindow(&gridRect);
    }
    const bool gridShown = !m_rows.empty();
    m_extent = CSize(std::max(width, static_cast<int>(gridRect.right) + kGap),
                     std::max(height, gridShown ? static_cast<int>(gridRect.bottom) + kGap : top + kGap));
}

void CMacroTabPage::OnSize(UINT type, int cx, int cy) {
    CDialog::OnSize(type, cx, cy);
    // The grid takes the page's width and what is left of its height.
    if (m_grid.GetSafeHwnd() == nullptr || cx <= 0 || cy <= 0)
        return;
    CRect rect;
    m_grid.GetWindowRect(&rect);
    ScreenToClient(&rect);
    const int right = std::max(static_cast<int>(rect.left) + 40, cx - kGap * 2);
    const int bottom = std::max(static_cast<int>(rect.top) + 40, cy - kGap * 2);
    m_grid.MoveWindow(rect.left, rect.top, right - rect.left, bottom - rect.top);
    m_grid.onResized();
}

BOOL CMacroTabPage::OnEraseBkgnd(CDC* dc) {
    CDialog::OnEraseBkgnd(dc);
    m_designer.OnEraseBkgnd(dc);
    return TRUE;
}

// --- showing the data

void CMacroTabPage::refill() {
    const MacroTabData* tab = tabData();
    if (tab == nullptr || GetSafeHwnd() == nullptr)
        return;
    const bool wasReady = m_ready;
    m_ready = false;
    refillDesigned(*tab);
    refillGrid(*tab);
    fillOwnControls();
    m_ready = wasReady;
}

void CMacroTabPage::refillDesigned(const MacroTabData& tab) {
    if (!m_designer.isInitialized())
        return;
    for (int i = 0; i < m_designer.getNrControls(); ++i) {
        const Mx_DesignerControl& control = *m_designer.getControl(i);
        const int id = control.resId;
        if ((control.type == kCtrlEdit || control.type == kCtrlCombo) &&
            tab.findCell(control.contents) == nullptr) {
            refillOwnItem(tab, control);
            continue;
        }
        switch (static_cast<int>(control.type)) {
            case kCtrlStatic:
            case kCtrlGroupBox: {
                // A label that belongs to a cell the tab lacks says nothing.
                const bool orphan =
                    !control.comboList.isEmpty() && tab.findCell(control.comboList) == nullptr;
                m_designer.setCtrlValue(id, orphan ? Mx_String() : gMacroLangs.GetString(control.contents));
                break;
            }
            case kCtrlEdit:
            case kCtrlCombo:
            case kCtrlCheckBox: {
                const MacroCell* cell =
                    tab.findCell(control.type == kCtrlCheckBox ? control.comboList : control.contents);
                if (cell == nullptr)
                    break;
                m_designer.setCtrlValue(id, cell->value);
                if (control.type == kCtrlCheckBox) {
                    if (CWnd* box = GetDlgItem(id)) {
                        box->SetWindowText(gMacroLangs.GetString(control.contents).c_str());
                        box->EnableWindow(!cell->readOnly);
                    }
                } else {
                    m_designer.setCtrlReadOnly(id, cell->readOnly);
                }
                break;
            }
            case kCtrlBoltCount1:
            case kCtrlBoltCount2: {
                MacroTabData& writable = const_cast<MacroTabData&>(tab);
                if (const MacroPatternProps* props = writable.findPattern(control.contents)) {
                    m_designer.setCtrlValue(id, control.type == kCtrlBoltCount1 ? props->pattern.nrBolts1
                                                                                : props->pattern.nrBolts2);
                    if (CWnd* edit = GetDlgItem(id))
                        edit->EnableWindow(control.type == kCtrlBoltCount1 || props->pattern.twoDirections);
                }
                break;
            }
            case 16: {
                MacroProfData props;
                if (tab.getMergedPropsOfGroup(control.contents, props) == Acad::eOk)
                    m_designer.setCtrlValue(id, props.section);
                break;
            }
            case kCtrlFlexButton: {
                // A pushed-in button is a flexible variable: a click pushes a fixed one in.
                bool fixed = true, linked = false;
                if (tab.getFlexFixBtnStatus(control.contents, fixed, linked) == Acad::eOk)
                    m_designer.setFlexBtnStatus(control.flexGroup, control.contents, fixed ? 0 : 1);
                break;
            }
            default:
                break;
        }
    }
}

void CMacroTabPage::refillGrid(const MacroTabData& tab) {
    for (int row = 1; row <= static_cast<int>(m_rows.size()); ++row) {
        const Row& item = m_rows[static_cast<std::size_t>(row - 1)];
        if (item.kind == Row::Cell) {
            const MacroCell& cell = tab.cells()[item.index];
            m_grid.SetData(kValueCol, row, cell.value.c_str());
        } else if (item.kind == Row::Pattern) {
            const MacroPatternProps& props = tab.patterns()[item.index];
            m_grid.SetData(kValueCol, row, props.pattern.nrBolts1.c_str());
            m_grid.SetData(kValue2Col, row,
                           props.pattern.twoDirections ? props.pattern.nrBolts2.c_str() : L"");
        }
    }
}

// --- reading back

void CMacroTabPage::readControls() {
    MacroTabData* tab = tabData();
    if (tab == nullptr || GetSafeHwnd() == nullptr)
        return;
    readGrid(*tab);
    readDesigned(*tab);
    readOwnControls(*tab);
}

void CMacroTabPage::readGrid(MacroTabData& tab) {
    for (int row = 1; row <= static_cast<int>(m_rows.size()); ++row) {
        const Row& item = m_rows[static_cast<std::size_t>(row - 1)];
        if (item.kind == Row::Cell) {
            MacroCell& cell = const_cast<MacroCell&>(tab.cells()[item.index]);
            if (cell.readOnly)
                continue;
            Mx_String text;
            m_grid.getCellText(kValueCol, row, text, Mx_Spread::kData);
            double number = 0.0;
            // A text that is no number stays as typed: the drawing refuses it and the page shows
            // again what the drawing holds.
            if (cell.kind == MacroCell::kNumber && isNumberText(text) &&
                m_grid.getCellDouble(kValueCol, row, number))
                cell.value = numberText(number, cell.value);
            else
                cell.value = text;
        } else if (item.kind == Row::Pattern) {
            MacroPatternProps& props = tab.patternsWrite()[item.index];
            Mx_String count;
            m_grid.getCellText(kValueCol, row, count, Mx_Spread::kData);
            props.pattern.nrBolts1 = count;
            if (props.pattern.twoDirections) {
                m_grid.getCellText(kValue2Col, row, count, Mx_Spread::kData);
                props.pattern.nrBolts2 = count;
            }
        }
    }
}

void CMacroTabPage::readDesigned(MacroTabData& tab) {
    if (!m_designer.isInitialized())
        return;
    for (int i = 0; i < m_designer.getNrControls(); ++i) {
        const Mx_DesignerControl& control = *m_designer.getControl(i);
        Mx_String value;
        if ((control.type == kCtrlEdit || control.type == kCtrlCombo) &&
            tab.findCell(control.contents) == nullptr) {
            readOwnItem(tab, control);
            continue;
        }
        switch (static_cast<int>(control.type)) {
            case kCtrlEdit:
            case kCtrlCombo:
            case kCtrlCheckBox: {
                MacroCell* cell =
                    tab.findCell(control.type == kCtrlCheckBox ? control.comboList : control.contents);
                if (cell != nullptr && !cell->readOnly && m_designer.getCtrlValue(control.resId, value))
                    cell->value = value;
                break;
            }
            case kCtrlBoltCount1:
            case kCtrlBoltCount2: {
                MacroPatternProps* props = tab.findPattern(control.contents);
                if (props == nullptr || !m_designer.getCtrlValue(control.resId, value))
                    break;
                if (control.type == kCtrlBoltCount1)
                    props->pattern.nrBolts1 = value;
                else if (props->pattern.twoDirections)
                    props->pattern.nrBolts2 = value;
                break;
            }
            case 16: {
                MacroProfData props;
                if (tab.getMergedPropsOfGroup(control.contents, props) == Acad::eOk &&
                    m_designer.getCtrlValue(control.resId, value)) {
                    props.section = value;
                    tab.setMergedPropsOfGroup(control.contents, props);
                }
                break;
            }
            default:
                break;
        }
    }
}

// --- applying

bool CMacroTabPage::apply() {
    return applyChange(nullptr);
}

bool CMacroTabPage::applyChange(const std::function<void(MacroTabData& tab)>& change) {
    MacroTabData* tab = tabData();
    if (!m_ready || tab == nullptr || m_owner == nullptr)
        return false;
    m_ready = false;
    const MacroTabData before = *tab;
    if (change)
        change(*tab);
    else
        readControls();
    Mx_StringArray names;
    AcArray<int> changed, removed;
    tab->differences(before, names, changed, removed);
    if (changed.isEmpty() && removed.isEmpty()) {
        m_ready = true;
        return false;
    }
    CDlgMacro* owner = m_owner;
    if (UpdateModule(tab->moduleName, owner->macroData(), changed, removed))
        owner->runClashCheck();
    else
        *tab = before;  // the drawing refused the values: the page shows again what the drawing holds
    owner->refreshAllPages();
    acedPostCommandPrompt();
    m_ready = true;
    return true;
}

// --- sub-dialogs

void CMacroTabPage::openArrayDialog(int arrayIndex) {
    MacroTabData* tab = tabData();
    if (tab == nullptr || !tab->arrays().isValidIndex(arrayIndex))
        return;
    ArrayRequest request;
    request.data = tab->arrays()[arrayIndex];
    request.ids = m_owner->objectIds();
    request.moduleName = tab->moduleName;
    if (runSubDialog(request) != IDOK)
        return;
    applyChange([&](MacroTabData& data) {
        if (DynArrayData* array = data.arraysWrite().at(arrayIndex)) {
            const int ctrlId = array->ctrlId;
            *array = request.data;
            array->ctrlId = ctrlId;
        }
    });
}

void CMacroTabPage::openPatternDialog(int patternIndex) {
    MacroTabData* tab = tabData();
    if (tab == nullptr || !tab->patterns().isValidIndex(patternIndex))
        return;
    // What the page shows but has not applied yet goes in first: the dialog starts from it.
    apply();
    tab = tabData();
    if (tab == nullptr || !tab->patterns().isValidIndex(patternIndex))
        return;
    PatternRequest request;
    request.owner = this;
    request.pattern = tab->patterns()[patternIndex];
    request.index = patternIndex;
    const int index = patternIndex;
    request.apply = [this, index](const MacroPatternProps& pattern) {
        return applyChange([&](MacroTabData& data) { data.setPattern(index, pattern); });
    };
    runSubDialog(request);
}

void CMacroTabPage::runAction(int id, int type) {
    const Mx_DesignerControl* control = m_designer.getControlFromRes(id);
    if (control == nullptr)
        return;
    acedPostCommand(L"CANCELCMD");
    Mx_String picked;
    runDesignedAction(type, control->getMergedExtComboList(), picked);
    apply();
}

void CMacroTabPage::flexButtonClicked(int id) {
    Mx_String group, name;
    int index = -1, state = -1;
    if (!m_designer.getFlexBtnGroupName(id, group, name) || !m_designer.findFlexButton(group, name, index) ||
        !m_designer.getFlexBtnStatus(index, state))
        return;
    if (state != 0 && state != 1)
        return;  // neither shown flexible nor fixed: nothing to switch
    const bool applied = applyChange([&](MacroTabData& data) {
        readControls();  // what was typed before the click goes along
        data.flexFixBtnClicked(group, name, state == 1);
    });
    if (!applied)
        refill();  // the button shows the data's state again
}

void CMacroTabPage::gridButtonClicked() {
    SS_COORD col = 0, row = 0;
    if (!m_grid.GetCellSendingMsg(&col, &row) || col != kButtonCol || row < 1 ||
        row > static_cast<SS_COORD>(m_rows.size()))
        return;
    const Row item = m_rows[static_cast<std::size_t>(row - 1)];
    if (item.kind == Row::Array)
        openArrayDialog(item.index);
    else if (item.kind == Row::Pattern && listsPatterns())
        openPatternDialog(item.index);
}

void CMacroTabPage::onDesignedClick(int id) {
    Mx_ControlType type = kCtrlStatic;
    if (!m_designer.getDynControlType(id, type))
        return;
    if (designedClick(id, type))
        return;
    MacroTabData* tab = tabData();
    if (tab == nullptr)
        return;
    switch (static_cast<int>(type)) {
        case kCtrlCheckBox:
            apply();
            break;
        case 24:
            for (int i = 0; i < tab->arrays().length(); ++i) {
                if (tab->arrays()[i].ctrlId == id) {
                    openArrayDialog(i);
                    break;
                }
            }
            break;
        case kCtrlVarButton:
        case kCtrlVarButton2:
            runAction(id, type);
            break;
        case kCtrlFlexButton:
            flexButtonClicked(id);
            break;
        default:
            break;
    }
}

bool CMacroTabPage::answerProfAdvanced(int type, const Mx_String& group, MacroProfData& prof) {
    (void)type, (void)group, (void)prof;
    return false;
}

// --- messages

bool CMacroTabPage::isApplyControl(int id) const {
    return isDesignedId(id) || std::find(m_applyIds.begin(), m_applyIds.end(), id) != m_applyIds.end();
}

BOOL CMacroTabPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id == m_gridId) {
        if (code == SSN_BUTTONUP && m_ready)
            gridButtonClicked();
        return TRUE;
    }
    // Codes by control class: edits notify from 0x100 up, combos below 0x100, buttons click with 0.
    if (code == kEditSetFocus || code == kComboSetFocus) {
        rememberFocus();  // the tab control takes the focus before the page is left
        return TRUE;
    }
    if (!m_ready)
        return CDialog::OnCommand(wParam, lParam);
    if (code == BN_CLICKED) {
        if (isDesignedId(id)) {
            onDesignedClick(id);
            return TRUE;
        }
        if (ownCommand(id, code))
            return TRUE;
    }
    if ((code == kSelChange || code == kKillFocus) && isApplyControl(id)) {
        if (!ownCommand(id, code))
            apply();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

LRESULT CMacroTabPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case SSM_DATACHANGE:
            if (m_ready)
                apply();
            return 0;
        case SSM_CLICK:
        case SSM_DBLCLK:
        case SSM_EDITMODEOFF:
            return 0;
        case SSM_LEAVECELL:
            rememberFocus();
            return 0;
        default:
            return CDialog::WindowProc(message, wParam, lParam);
    }
}

BOOL CMacroTabPage::PreTranslateMessage(MSG* msg) {
    const bool inPage = msg->hwnd == GetSafeHwnd() || ::IsChild(GetSafeHwnd(), msg->hwnd);
    if (!inPage)
        return CDialog::PreTranslateMessage(msg);
    const bool gridEditing = m_grid.GetSafeHwnd() != nullptr && m_grid.GetEditMode();
    if (msg->message == WM_KEYDOWN) {
        switch (msg->wParam) {
            case VK_ESCAPE:
                if (gridEditing)
                    break;               // the grid throws its edit away
                m_owner->closeDialog();  // may delete the page: nothing after this
                return TRUE;
            case VK_RETURN:
                // In the grid Return ends the edit (or closes a dropped list): its change
                // notification applies, and a grid without changes has nothing to apply.
                if (gridEditing || msg->hwnd == m_grid.GetSafeHwnd() ||
                    ::IsChild(m_grid.GetSafeHwnd(), msg->hwnd))
                    break;
                apply();
                return TRUE;
            case VK_TAB:
                if (handleTab(::GetKeyState(VK_SHIFT) < 0))
                    return TRUE;
                break;
            case VK_F12:
                if (openDesigner())
                    return TRUE;
                break;
            default:
                break;
        }
    }
    if (msg->message == WM_KEYUP && msg->wParam == VK_SPACE) {
        const int id = ::GetDlgCtrlID(msg->hwnd);
        if (isDesignedId(id) && m_designer.isTypeBoltCount(id)) {
            apply();
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(msg);
}

bool CMacroTabPage::openDesigner() {
    const Mx_String path = templatePath();
    if (path.isEmpty())
        return false;
    if (!StartDlgDesigner(path))
        return false;
    // The template may have changed: the page shows it as it is now.
    m_ready = false;
    buildControls();
    m_ready = true;
    return true;
}

// --- focus and the Tab ring

int CMacroTabPage::focusedPart() const {
    const HWND focus = ::GetFocus();
    if (focus == nullptr)
        return -1;
    const int id = ::GetDlgCtrlID(focus);
    if (::GetParent(focus) == GetSafeHwnd() && isDesignedId(id))
        return 0;
    if (focus == m_grid.GetSafeHwnd() || ::IsChild(m_grid.GetSafeHwnd(), focus))
        return 1;
    return 2;
}

bool CMacroTabPage::focusOwn(int from, bool backward) {
    std::vector<int> ids = ownControls();
    if (backward)
        std::reverse(ids.begin(), ids.end());
    auto start = ids.begin();
    if (from != 0) {
        start = std::find(ids.begin(), ids.end(), from);
        if (start == ids.end())
            return false;
        ++start;
    }
    for (auto it = start; it != ids.end(); ++it) {
        CWnd* control = GetDlgItem(*it);
        if (control != nullptr && control->IsWindowVisible() && control->IsWindowEnabled()) {
            GotoDlgCtrl(control);
            return true;
        }
    }
    return false;
}

bool CMacroTabPage::focusPart(int part, bool backward) {
    switch (part) {
        case 0:
            return m_designer.isInitialized() && m_designer.setFocusToCtrl(!backward);
        case 1:
            return !m_rows.empty() && m_grid.focusFirstUnlocked(!backward);
        default:
            return focusOwn(0, backward);
    }
}

bool CMacroTabPage::handleTab(bool backward) {
    const int part = focusedPart();
    if (part < 0)
        return false;
    if (part == 0) {
        Mx_TabMsgHandle result = kTabNotHandled;
        if (!m_designer.handleTabKey(VK_TAB, result) || result == kTabNotHandled)
            return false;
        if (result == kTabFocusMoved)
            return true;
    } else if (part == 1) {
        int result = kTabNotHandled;
        if (!m_grid.handleTabKey(VK_TAB, result) || result == kTabNotHandled)
            return false;
        if (result == kTabFocusMoved)
            return false;  // the grid moves to its next cell itself
    } else {
        const int id = ::GetDlgCtrlID(::GetFocus());
        if (focusOwn(id, backward))
            return true;
    }
    // The focus leaves the part: on to the next one in the ring, at most four steps.
    int next = part;
    for (int step = 0; step < 4; ++step) {
        next = (next + (backward ? 2 : 1)) % 3;
        if (focusPart(next, backward)) {
            rememberFocus();
            return true;
        }
    }
    return true;
}

void CMacroTabPage::rememberFocus() {
    if (m_owner != nullptr)
        m_owner->focusMemory().remember(moduleName(), this);
}

void CMacroTabPage::restoreFocus() {
    if (m_owner == nullptr || GetSafeHwnd() == nullptr)
        return;
    if (m_owner->focusMemory().restore(moduleName(), this))
        return;
    // The first time: the first control that takes input, in the ring's order.
    for (int part = 0; part < 3; ++part) {
        if (focusPart(part, false))
            return;
    }
}
