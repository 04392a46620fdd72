#pragma once
// The in-memory macro data the macro dialogs and the standards engine work on: the tabs of the macro
// (found by name) and the dialog's state around them. The tabs are read and written with the macro
// file (MacroJson); the state is the caller's and is never stored.
#include "platform/arx/AcArray.h"
#include "platform/arx/AcDbObjectId.h"
#include "platform/arx/AcadStatus.h"
#include "platform/mxbase/MacroProfData.h"
#include "platform/mxbase/MacroTabData.h"
#include "platform/mxbase/Mx_Array.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class MacroData {
public:
    // --- tabs
    const Mx_Array<MacroTabData>& tabs() const { return tabs_; }
    int numTabs() const { return tabs_.length(); }
    MacroTabData* tabAt(int index) { return tabs_.at(index); }
    const MacroTabData* tabAt(int index) const { return tabs_.at(index); }
    // eInvalidInput without a name, eDuplicateKey for a name already there (ignoring case).
    Acad::ErrorStatus addTab(const MacroTabData& tab);
    // The tab named `name` (ignoring case), still owned here; eKeyNotFound when there is none.
    Acad::ErrorStatus findTab(const Mx_String& name, MacroTabData*& tab);
    Acad::ErrorStatus findTab(const Mx_String& name, const MacroTabData*& tab) const;
    // The tabs of another MacroData (the dialog state stays).
    void setTabsFrom(const MacroData& other) { tabs_ = other.tabs_; }

    // Merged properties of a profile group of the tab whose module is `moduleName`.
    Acad::ErrorStatus getMergedPropsOfGroup(const Mx_String& moduleName, const Mx_String& group,
                                            MacroProfData& props) const;
    Acad::ErrorStatus setMergedPropsOfGroup(const Mx_String& moduleName, const Mx_String& group,
                                            const MacroProfData& props);

    // --- dialog state (not stored in the macro file)
    Mx_String title;
    AcArray<AcDbObjectId> objectIds;  // the macro objects being edited
    Mx_StringArray macroNames;
    Mx_StringArray groupNames;
    int currentGroup = -1;
    Mx_String firstTab;             // the tab to show first
    bool openProfAdvanced = false;  // open the profile-advanced dialog of that tab at once
    bool inUse = false;             // the macro is in use: a modeless dialog must defer its close
    bool eraseAfter = false;        // erase the edited object after the dialog
    bool closed = false;

    // Equal tabs (the dialog state is not compared).
    bool sameTabs(const MacroData& other) const { return tabs_ == other.tabs_; }

private:
    const MacroTabData* findTabOfModule(const Mx_String& moduleName) const;

    Mx_Array<MacroTabData> tabs_;
};
