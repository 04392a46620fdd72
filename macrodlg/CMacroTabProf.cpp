#include "macrodlg/CMacroTabProf.h"

#include "macrodlg/CDlgMacro.h"
#include "macrodlg/MacroSubDialogRunners.h"
#include "macrodlg/ProfAdvDialogRunner.h"
#include "platform/arx/CommandLine.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroDrawing.h"
#include "platform/mxbase/UiTexts.h"
#include "platform/mxbase/UserPicks.h"
#include "platform/mxbase/ui/DialogControls.h"

namespace {

constexpr const wchar_t* kBasePlanes[] = {L"Picked plane", L"Plane of the member", L"Coordinate system"};
constexpr const wchar_t* kRotations[] = {L"0", L"90", L"180", L"270"};
// The plane a chosen coordinate system stands for.
constexpr const wchar_t* kCoordSysPlane = L"xp";

Mx_String comboText(CComboBox& combo) {
    CString text;
    const int selected = combo.GetCurSel();
    if ((combo.GetStyle() & 0x3) == CBS_DROPDOWNLIST) {
        if (selected >= 0)
            combo.GetLBText(selected, text);
    } else {
        combo.GetWindowText(text);
    }
    return Mx_String(static_cast<LPCTSTR>(text));
}

// An editable list shows `value` as its text, with the choices below it.
void fillEditable(CComboBox& combo, const std::vector<Mx_String>& choices, const Mx_String& value) {
    combo.ResetContent();
    for (const Mx_String& choice : choices)
        combo.AddString(choice.c_str());
    combo.SetWindowText(value.c_str());
}

bool pageCallback(VlMACallBackType type, const VlMACallBackData& data, MacroProfData& prof) {
    auto* page = dynamic_cast<CMacroTabPage*>(CWnd::FromHandlePermanent(data.ownerWindow));
    if (page == nullptr)
        return false;
    return page->answerProfAdvanced(type, data.groupName, prof);
}

}  // namespace

CMacroTabProf::CMacroTabProf(int tabIndex, CDlgMacro* owner)
    : CMacroTabPage(IDD_PROFILE, MacroTabData::kProfile, tabIndex, owner, IDC_GRID) {}

void CMacroTabProf::setUpOwnControls() {
    SetDlgItemText(IDC_GROUP_BOX, dialString(1002).c_str());
    SetDlgItemText(IDC_SECTION_LABEL, (dialString(1003).str() + L":").c_str());
    SetDlgItemText(IDC_CHOOSE_SECTION, dialString(969).c_str());
    SetDlgItemText(IDC_OFFSET_LABEL, (dialString(1004).str() + L":").c_str());
    SetDlgItemText(IDC_ROTATION_LABEL, (dialString(1005).str() + L" (\u00b0):").c_str());
    SetDlgItemText(IDC_BASE_PLANE_LABEL, (dialString(1006).str() + L":").c_str());
    SetDlgItemText(IDC_ADVANCED, dialString(1007).c_str());
    SetDlgItemText(IDC_PICK, dialString(1008).c_str());
    SetDlgItemText(IDC_SEGMENTED, dialString(1009).c_str());
    m_groups.SubclassDlgItem(IDC_GROUPS, this);
    m_profiles.SubclassDlgItem(IDC_PROFILES, this);
    m_basePlane.SubclassDlgItem(IDC_BASE_PLANE, this);
    m_offset.SubclassDlgItem(IDC_OFFSET, this);
    m_section.SubclassDlgItem(IDC_SECTION, this);
    m_rotation.SubclassDlgItem(IDC_ROTATION, this);
    m_applyIds = {IDC_GROUPS, IDC_PROFILES, IDC_BASE_PLANE, IDC_OFFSET, IDC_SECTION, IDC_ROTATION};
}

std::vector<int> CMacroTabProf::controlsAboveGrid() const {
    return {IDC_GROUP_BOX,        IDC_GROUPS,       IDC_PROFILES, IDC_SECTION_LABEL,  IDC_SECTION,
            IDC_CHOOSE_SECTION,   IDC_OFFSET_LABEL, IDC_OFFSET,   IDC_ROTATION_LABEL, IDC_ROTATION,
            IDC_BASE_PLANE_LABEL, IDC_BASE_PLANE,   IDC_PICK,     IDC_ADVANCED,       IDC_SEGMENTED};
}

std::vector<int> CMacroTabProf::ownControls() const {
    return {IDC_GROUPS,   IDC_PROFILES,   IDC_SECTION, IDC_CHOOSE_SECTION, IDC_OFFSET,
            IDC_ROTATION, IDC_BASE_PLANE, IDC_PICK,    IDC_ADVANCED,       IDC_SEGMENTED};
}

Mx_String CMacroTabProf::selectedGroup() const {
    return m_group;
}

void CMacroTabProf::fillOwnControls() {
    const MacroTabData* tab = tabData();
    if (tab == nullptr)
        return;
    Mx_StringArray groups;
    tab->getProfGroups(groups);
    if (!groups.contains(m_group))
        m_group = groups.isEmpty() ? Mx_String() : groups[0];
    m_groups.ResetContent();
    for (int i = 0; i < groups.length(); ++i)
        m_groups.AddString(groups[i].c_str());
    m_groups.SetCurSel(m_group.isEmpty() ? -1 : m_groups.FindStringExact(-1, m_group.c_str()));

    // The whole group, then the group's profile in each edited object, by the object's number.
    m_profiles.ResetContent();
    m_profiles.AddString(dialString(1010).c_str());
    const AcArray<AcDbObjectId>& ids = getDlgOwner()->objectIds();
    for (int i = 0; i < ids.length(); ++i)
        m_profiles.AddString(std::to_wstring(ids[i].asOldId()).c_str());
    if (m_profileLine < 0 || m_profileLine >= m_profiles.GetCount())
        m_profileLine = 0;
    m_profiles.SetCurSel(m_profileLine);

    MacroProfData props;
    const bool known = tab->getMergedPropsOfGroup(m_group, props) == Acad::eOk;
    for (int id :
         {IDC_SECTION, IDC_CHOOSE_SECTION, IDC_OFFSET, IDC_ROTATION, IDC_BASE_PLANE, IDC_PICK, IDC_ADVANCED})
        EnDisCtrl(this, id, known);
    fillEditable(m_section, {props.section}, props.section);
    fillEditable(m_offset, {Mx_String(L"0")}, props.offset);
    fillEditable(m_rotation, {kRotations[0], kRotations[1], kRotations[2], kRotations[3]}, props.rotationText());
    m_basePlane.ResetContent();
    for (const wchar_t* entry : kBasePlanes)
        m_basePlane.AddString(entry);
    m_basePlane.SetCurSel(props.basePlane.isEmpty()                      ? kMemberPlane
                          : props.basePlane == Mx_String(kCoordSysPlane) ? kCoordSys
                                                                         : kPickedPlane);
}

void CMacroTabProf::readOwnControls(MacroTabData& tab) {
    m_profileLine = std::max(0, m_profiles.GetCurSel());
    const Mx_String group = comboText(m_groups);
    if (!group.isEmpty() && group != m_group) {
        // Another group chosen: the controls show that group next, nothing of them is written.
        m_group = group;
        return;
    }
    MacroProfData props;
    if (tab.getMergedPropsOfGroup(m_group, props) != Acad::eOk)
        return;
    props.section = comboText(m_section);
    props.offset = comboText(m_offset);
    props.setRotationText(comboText(m_rotation));
    if (m_basePlane.GetCurSel() == kMemberPlane)
        props.basePlane = Mx_String();
    tab.setMergedPropsOfGroup(m_group, props);
}

bool CMacroTabProf::ownCommand(int id, int code) {
    if (code == 1) {
        // A list entry chosen: its text becomes the list's text before the page reads it.
        for (CComboBox* combo : {&m_section, &m_offset, &m_rotation}) {
            if (combo->GetDlgCtrlID() == id && combo->GetCurSel() >= 0) {
                CString text;
                combo->GetLBText(combo->GetCurSel(), text);
                combo->SetWindowText(text);
            }
        }
        if (id == IDC_GROUPS) {
            m_group = comboText(m_groups);
            refill();
            return true;
        }
        return false;
    }
    if (code != BN_CLICKED)
        return false;
    switch (id) {
        case IDC_CHOOSE_SECTION:
            chooseSection(m_group);
            return true;
        case IDC_PICK:
            pickBasePlane();
            return true;
        case IDC_ADVANCED:
            openProfAdvanced(m_group);
            return true;
        case IDC_SEGMENTED:
            openSegmented();
            return true;
        default:
            return false;
    }
}

bool CMacroTabProf::designedClick(int id, int type) {
    const Mx_DesignerControl* control = m_designer.getControlFromRes(id);
    if (control == nullptr)
        return false;
    if (type == 14) {
        chooseSection(control->contents);
        return true;
    }
    if (type == 17) {
        openProfAdvanced(control->contents);
        return true;
    }
    return false;
}

void CMacroTabProf::chooseSection(const Mx_String& group) {
    MacroTabData* tab = tabData();
    MacroProfData props;
    if (tab == nullptr || tab->getMergedPropsOfGroup(group, props) != Acad::eOk)
        return;
    Mx_String section;
    if (!UserChooseSection(props.section, section))
        return;
    applyChange([&](MacroTabData& data) {
        props.section = section;
        data.setMergedPropsOfGroup(group, props);
    });
}

void CMacroTabProf::pickBasePlane() {
    const int entry = m_basePlane.GetCurSel();
    if (entry != kPickedPlane && entry != kCoordSys)
        return;
    CDlgMacro* owner = getDlgOwner();
    owner->ShowWindow(SW_HIDE);
    Mx_String plane;
    bool picked = false;
    if (entry == kPickedPlane) {
        picked = UserSelectPlane(plane);
    } else if (selectCoordSys(plane)) {
        picked = true;
        plane = Mx_String(kCoordSysPlane);
    }
    owner->ShowWindow(SW_SHOW);
    if (!picked)
        return;
    const Mx_String group = m_group;
    applyChange([&](MacroTabData& data) {
        readOwnControls(data);
        MacroProfData props;
        if (data.getMergedPropsOfGroup(group, props) == Acad::eOk) {
            props.basePlane = plane;
            data.setMergedPropsOfGroup(group, props);
        }
    });
}

void CMacroTabProf::openSegmented() {
    MacroTabData* tab = tabData();
    if (tab == nullptr)
        return;
    ProfSegmRequest request;
    request.owner = this;
    request.segments = tab->segments();
    if (runSubDialog(request) != IDOK)
        return;
    applyChange([&](MacroTabData& data) { data.setSegments(request.segments); });
}

void CMacroTabProf::openProfAdvanced(const Mx_String& group) {
    if (tabData() == nullptr)
        return;
    CDlgMacro* owner = getDlgOwner();
    acedPostCommand(L"CANCELCMD");
    VlMACallBackData data;
    data.groupName = group;
    data.openedForGroup = !group.isEmpty();
    data.ownerWindow = GetSafeHwnd();
    data.moduleName = moduleName();
    data.objectIds = owner->objectIds();
    ProfAdvRequest request;
    request.data = &data;
    request.callback = pageCallback;
    runProfAdvDialog(request);
    refill();
    const MacroData& macro = owner->macroData();
    if (macro.tempProfile && macro.objectIds.length() == 1)
        EraseObject(macro.objectIds[0]);
}

bool CMacroTabProf::answerProfAdvanced(int type, const Mx_String& group, MacroProfData& prof) {
    MacroTabData* tab = tabData();
    if (tab == nullptr)
        return false;
    // An empty group is the profile the page shows.
    const Mx_String which = group.isEmpty() ? m_group : group;
    switch (type) {
        case MACallBackGet:
            return tab->getMergedPropsOfGroup(which, prof) == Acad::eOk;
        case MACallBackSet: {
            MacroProfData known;
            if (tab->getMergedPropsOfGroup(which, known) != Acad::eOk)
                return false;
            applyChange([&](MacroTabData& data) { data.setMergedPropsOfGroup(which, prof); });
            if (const MacroTabData* current = tabData())
                current->getMergedPropsOfGroup(which, prof);
            return true;
        }
        case MACallBackHideOwner:
            getDlgOwner()->ShowWindow(SW_HIDE);
            return true;
        case MACallBackShowOwner:
            getDlgOwner()->ShowWindow(SW_SHOW);
            return true;
        default:
            return false;
    }
}
