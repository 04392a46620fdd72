#include "macrodlg/CMacroTabGeneral.h"

#include "macrodlg/CDlgMacro.h"
#include "macrodlg/MacroSubDialogRunners.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/BoltAssemblies.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/UiTexts.h"

namespace {

// Fills a list and selects `text`; a text the list lacks is added first, so the data always shows.
void fillAndSelect(CComboBox& combo, const Mx_StringArray& items, const Mx_String& text) {
    combo.ResetContent();
    bool found = false;
    for (int i = 0; i < items.length(); ++i) {
        combo.AddString(items[i].c_str());
        found = found || items[i] == text;
    }
    if (!found && !text.isEmpty())
        combo.AddString(text.c_str());
    // Exactly that line: "M24 10.9" must not select "M24 10.9 HV", as a prefix search would.
    combo.SetCurSel(text.isEmpty() ? -1 : combo.FindStringExact(-1, text.c_str()));
}

Mx_String selectedText(CComboBox& combo) {
    CString text;
    combo.GetWindowText(text);
    return Mx_String(static_cast<LPCTSTR>(text));
}

}  // namespace

CMacroTabGeneral::CMacroTabGeneral(int kind, int tabIndex, CDlgMacro* owner)
    : CMacroTabPage(IDD_GENERAL, kind, tabIndex, owner, IDC_GRID) {}

bool CMacroTabGeneral::listsPatterns() const {
    return kind() == MacroTabData::kBolt;
}

bool CMacroTabGeneral::showsBoltLists() const {
    return kind() == MacroTabData::kBolt && !m_designedBolts && tabData() != nullptr;
}

void CMacroTabGeneral::setUpOwnControls() {
    SetDlgItemText(IDC_COMPOSITION_LABEL, (dialString(275).str() + L":").c_str());
    SetDlgItemText(IDC_DIAMETER_LABEL, (dialString(328).str() + L":").c_str());
    SetDlgItemText(IDC_BOLT_ADVANCED, dialString(968).c_str());
    m_composition.SubclassDlgItem(IDC_COMPOSITION, this);
    m_diameter.SubclassDlgItem(IDC_DIAMETER, this);
    m_applyIds = {IDC_COMPOSITION, IDC_DIAMETER, IDC_BOLT_ADVANCED};
}

void CMacroTabGeneral::showOwnControls() {
    m_designedBolts = false;
    for (int i = 0; m_designer.isInitialized() && i < m_designer.getNrControls(); ++i) {
        const Mx_DesignerControl& control = *m_designer.getControl(i);
        if ((control.type == kCtrlEdit || control.type == kCtrlCombo) &&
            (control.contents == Mx_String(kDesignedComposition) ||
             control.contents == Mx_String(kDesignedDiameter)))
            m_designedBolts = true;
    }
    const bool shown = showsBoltLists();
    for (int id :
         {IDC_COMPOSITION_LABEL, IDC_DIAMETER_LABEL, IDC_COMPOSITION, IDC_DIAMETER, IDC_BOLT_ADVANCED}) {
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(shown ? SW_SHOW : SW_HIDE);
    }
    if (shown)
        return;
    // The grid takes the room of the bolt lists.
    CWnd* grid = GetDlgItem(IDC_GRID);
    CWnd* first = GetDlgItem(IDC_COMPOSITION);
    if (grid != nullptr && first != nullptr) {
        CRect gridRect, firstRect;
        grid->GetWindowRect(&gridRect);
        first->GetWindowRect(&firstRect);
        ScreenToClient(&gridRect);
        ScreenToClient(&firstRect);
        gridRect.top = firstRect.top;
        grid->MoveWindow(&gridRect);
    }
}

bool CMacroTabGeneral::linkOwnItem(MacroTabData& tab, const Mx_DesignerControl& control) {
    MacroBoltData* bolts = nullptr;
    if ((control.type != kCtrlEdit && control.type != kCtrlCombo) || tab.getBoltData(bolts) != Acad::eOk ||
        tab.findCell(control.contents) != nullptr)
        return false;
    if (control.contents != Mx_String(kDesignedComposition) &&
        control.contents != Mx_String(kDesignedDiameter))
        return false;
    return true;
}

void CMacroTabGeneral::refillOwnItem(const MacroTabData& tab, const Mx_DesignerControl& control) {
    const MacroBoltData* bolts = nullptr;
    if (tab.getBoltData(bolts) != Acad::eOk)
        return;
    if (control.contents == Mx_String(kDesignedComposition))
        m_designer.setCtrlValue(control.resId, bolts->composition);
    else if (control.contents == Mx_String(kDesignedDiameter))
        m_designer.setCtrlValue(control.resId, bolts->diameter);
}

void CMacroTabGeneral::readOwnItem(MacroTabData& tab, const Mx_DesignerControl& control) {
    MacroBoltData* bolts = nullptr;
    Mx_String value;
    if (tab.getBoltData(bolts) != Acad::eOk || !m_designer.getCtrlValue(control.resId, value))
        return;
    if (control.contents == Mx_String(kDesignedComposition))
        bolts->composition = value;
    else if (control.contents == Mx_String(kDesignedDiameter))
        bolts->diameter = value;
}

std::vector<int> CMacroTabGeneral::controlsAboveGrid() const {
    return {IDC_COMPOSITION_LABEL, IDC_COMPOSITION, IDC_DIAMETER_LABEL, IDC_DIAMETER, IDC_BOLT_ADVANCED};
}

std::vector<int> CMacroTabGeneral::ownControls() const {
    if (!showsBoltLists())
        return {};
    return {IDC_COMPOSITION, IDC_DIAMETER, IDC_BOLT_ADVANCED};
}

void CMacroTabGeneral::fillOwnControls() {
    const MacroTabData* tab = tabData();
    const MacroBoltData* bolts = nullptr;
    if (!showsBoltLists() || tab->getBoltData(bolts) != Acad::eOk)
        return;
    Mx_StringArray assemblies, diameters;
    GetAssemblies(assemblies);
    GetMergedDiameters(getDlgOwner()->macroData(), tab->moduleName, diameters);
    fillAndSelect(m_composition, assemblies, bolts->composition);
    fillAndSelect(m_diameter, diameters, bolts->diameter);
}

void CMacroTabGeneral::readOwnControls(MacroTabData& tab) {
    MacroBoltData* bolts = nullptr;
    if (!showsBoltLists() || tab.getBoltData(bolts) != Acad::eOk)
        return;
    bolts->composition = selectedText(m_composition);
    bolts->diameter = selectedText(m_diameter);
}

bool CMacroTabGeneral::ownCommand(int id, int code) {
    if (id == IDC_BOLT_ADVANCED && code == BN_CLICKED) {
        openBoltAdvanced();
        return true;
    }
    return false;
}

bool CMacroTabGeneral::designedClick(int id, int type) {
    if (type != kCtrlButton)
        return false;
    const MacroTabData* tab = tabData();
    for (int i = 0; tab != nullptr && i < tab->patterns().length(); ++i) {
        if (tab->patterns()[i].ctrlIds[2] == id) {
            openPatternDialog(i);
            break;
        }
    }
    return true;
}

void CMacroTabGeneral::openBoltAdvanced() {
    const MacroTabData* tab = tabData();
    const MacroBoltData* bolts = nullptr;
    if (tab == nullptr || tab->getBoltData(bolts) != Acad::eOk)
        return;
    BoltAdvRequest request;
    request.owner = this;
    request.data = *bolts;
    GetMergedDiameters(getDlgOwner()->macroData(), tab->moduleName, request.diameters);
    // Each change the dialog hands over is applied as an edit of the page, and the dialog gets the
    // bolt data back as the drawing took it.
    request.apply = [this](MacroBoltData& data) {
        const bool applied = applyChange([&](MacroTabData& current) {
            MacroBoltData* mine = nullptr;
            if (current.getBoltData(mine) == Acad::eOk)
                *mine = data;
        });
        const MacroBoltData* result = nullptr;
        if (const MacroTabData* current = tabData();
            current != nullptr && current->getBoltData(result) == Acad::eOk)
            data = *result;
        return applied;
    };
    runSubDialog(request);
}
