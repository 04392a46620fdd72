#pragma once
// One tab of the macro dialog: the dialog-side data of a module group (or of a module without group).
// It is found by its name, which is that group's name. Besides what the dialog shows (cells, designed
// template), it holds what only the dialog keeps: the flex/fix buttons of the tab's variables, the
// bolt data of a bolt tab and the merged properties of the profile groups of a profile tab.
//
// Names are compared ignoring letter case. Failures: eKeyNotFound for an unknown name, eNotApplicable
// for bolt data asked of a tab that is not a bolt tab, eDuplicateKey when adding a name twice.
#include "platform/arx/AcArray.h"
#include "platform/arx/AcadStatus.h"
#include "platform/mxbase/DynArrayData.h"
#include "platform/mxbase/MacroBoltData.h"
#include "platform/mxbase/MacroCell.h"
#include "platform/mxbase/MacroFlexFixButton.h"
#include "platform/mxbase/MacroPatternProps.h"
#include "platform/mxbase/MacroProfData.h"
#include "platform/mxbase/MacroProfSegmentedData.h"
#include "platform/mxbase/Mx_Array.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class MacroTabData {
public:
    // Page kinds: 0, 1 and 3 are general pages (1 a bolt tab, 3 one for arrays), 2 a profile page.
    enum Kind { kGeneral = 0, kBolt = 1, kProfile = 2, kArray = 3 };

    MacroTabData() = default;
    MacroTabData(const Mx_String& name, int kind) : name(name), kind(kind) {}

    Mx_String name;  // the module group (or module) the tab stands for
    int kind = kGeneral;
    Mx_String title;         // the tab's caption
    Mx_String moduleName;    // the module the tab's changes are applied to
    Mx_String templateFile;  // designed dialog template, empty when none

    bool isBoltTab() const { return kind == kBolt; }
    bool isProfileTab() const { return kind == kProfile; }

    // --- cells
    const Mx_Array<MacroCell>& cells() const { return cells_; }
    Acad::ErrorStatus addCell(const MacroCell& cell);
    MacroCell* findCell(const Mx_String& name);
    const MacroCell* findCell(const Mx_String& name) const;
    // Forgets which dialog controls show the tab's items (before a page is built again).
    void removeAllDlgReferences();

    // --- flex/fix buttons (a button is keyed by its group and variable)
    const Mx_Array<MacroFlexFixButton>& flexFixButtons() const { return flexFix_; }
    Acad::ErrorStatus addFlexFixButton(const MacroFlexFixButton& button);
    // With an empty group the first button of that variable in any group.
    bool hasBtnFlexFix(const Mx_String& variable, const Mx_String& group = Mx_String()) const;
    // The two flags of the variable's button: fixed, linked.
    Acad::ErrorStatus getFlexFixBtnStatus(const Mx_String& variable, bool& fixed, bool& linked) const;
    // A click on the button that shows `status` (true: shown as fixed). The button switches to the
    // other state: flexible, or fixed and no longer linked. True when the button exists (and so its
    // state changed and the page must be applied), false when there is no such button.
    bool flexFixBtnClicked(const Mx_String& group, const Mx_String& variable, bool status);

    // --- bolt data (bolt tabs)
    Acad::ErrorStatus getBoltData(MacroBoltData*& data);
    Acad::ErrorStatus getBoltData(const MacroBoltData*& data) const;
    void setBoltData(const MacroBoltData& data) { boltData_ = data; }

    // --- bolt patterns (bolt tabs): the module's patterns, taken from the drawing whenever the tabs are
    // loaded, with the page controls that show them
    const Mx_Array<MacroPatternProps>& patterns() const { return patterns_; }
    Mx_Array<MacroPatternProps>& patternsWrite() { return patterns_; }
    MacroPatternProps* findPattern(const Mx_String& name);
    // Replaces the pattern at `index` (its controls stay); false outside the range.
    bool setPattern(int index, const MacroPatternProps& pattern);

    // --- dynamic arrays shown by the tab's page
    const Mx_Array<DynArrayData>& arrays() const { return arrays_; }
    Mx_Array<DynArrayData>& arraysWrite() { return arrays_; }
    DynArrayData* findArray(const Mx_String& name);

    // --- segmented profiles (profile tabs)
    const Mx_Array<MacroProfSegmentedData>& segments() const { return segments_; }
    void setSegments(const Mx_Array<MacroProfSegmentedData>& segments) { segments_ = segments; }

    // --- the choices a designed standards list (control type 27) offers; none: the tab has no list
    Mx_StringArray choices;
    int choicesCtrlId = 0;

    // --- merged properties of profile groups (profile tabs)
    const Mx_Array<MacroProfData>& profGroups() const { return profGroups_; }
    Acad::ErrorStatus addProfGroup(const MacroProfData& props);
    Acad::ErrorStatus getProfGroups(Mx_StringArray& groups) const;
    // An empty group name stands for the first profile group of the tab.
    Acad::ErrorStatus getMergedPropsOfGroup(const Mx_String& group, MacroProfData& props) const;
    // Replaces the group's properties; the group keeps its name.
    Acad::ErrorStatus setMergedPropsOfGroup(const Mx_String& group, const MacroProfData& props);

    // --- what an edit changed
    // Marks in `changed` for the parts of a tab that are not cells.
    static constexpr int kBoltDataChanged = -10;
    static constexpr int kFlexFixChanged = -11;
    static constexpr int kProfGroupsChanged = -13;
    static constexpr int kPatternsChanged = -14;
    static constexpr int kArraysChanged = -15;
    static constexpr int kSegmentsChanged = -16;
    // Compares this tab with `before` (the same tab before an edit): `changed` receives the index of
    // every cell whose value, kind or read-only flag differs and of every cell `before` did not have,
    // plus one mark above per other part that differs; `names` the changed cells' names (the part's
    // name for a mark: "boltData", "flexFixButtons", "profileGroups", "patterns", "arrays",
    // "segments"); `removed` the index in `before` of every cell that is gone. Which page control shows
    // an item is no difference. The arrays are emptied first. Both empty: nothing to apply.
    void differences(const MacroTabData& before, Mx_StringArray& names, AcArray<int>& changed,
                     AcArray<int>& removed) const;

    bool operator==(const MacroTabData&) const = default;

private:
    int findFlexFix(const Mx_String& group, const Mx_String& variable) const;
    int findProfGroup(const Mx_String& group) const;

    Mx_Array<MacroCell> cells_;
    Mx_Array<MacroFlexFixButton> flexFix_;
    MacroBoltData boltData_;
    Mx_Array<MacroProfData> profGroups_;
    Mx_Array<MacroPatternProps> patterns_;
    Mx_Array<DynArrayData> arrays_;
    Mx_Array<MacroProfSegmentedData> segments_;
};
