#pragma once
// The in-memory macro data the macro dialogs and the standards engine work on: the tabs of the macro
// (found by name) and the dialog's state around them. The tabs are read and written with the macro
// file (MacroJson); the state is the caller's and is never stored.
//
// The calls that reach the drawing (views, selecting other macros, property files, loading from the
// standards, re-applying) work on the active MacroDrawing (MacroDrawing.h) and are written to its call
// log.
#include <functional>

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
    // The two filters of the macro dialog: the tab group shown, and the kind of tab shown. Index 0 of
    // each is "(all)".
    Mx_StringArray filter1;
    int filter1Index = 0;
    Mx_StringArray filter2;
    int filter2Index = 0;
    Mx_String firstTab;             // the tab to show first
    bool openProfAdvanced = false;  // open the profile-advanced dialog of that tab at once
    Mx_String openProfAdvancedGroup;
    bool tempProfile = false;  // the profile object of the macro is temporary (with one object id)
    bool inUse = false;        // the macro is in use: a modeless dialog must defer its close
    bool eraseAfter = false;   // erase the edited object after the dialog
    bool closed = false;

    // --- what changed
    // A mark in `changed` for a tab that has no counterpart in the copy it is compared with: there is
    // nothing in the drawing it could be applied to.
    static constexpr int kNewTab = -12;
    // Compares the tabs with those of `before`: `changed` the index of every tab that differs (or
    // kNewTab for a tab `before` did not have), `names` their names, `removed` the index in `before`
    // of every tab that is gone. The arrays are emptied first.
    void differences(const MacroData& before, Mx_StringArray& names, AcArray<int>& changed,
                     AcArray<int>& removed) const;

    // --- the drawing
    // Asks the drawing to show the module's objects in a view (0 compact, 1 normal, 2 large, 3 full).
    Acad::ErrorStatus changeView(const Mx_String& moduleName, int view);
    // Lets the user pick other macros in the drawing. True when the selection changed; then the
    // object ids, names and tabs are those of the new selection.
    bool SelectOtherMacros();
    // Runs the connection standards on the edited macros and takes their results. False when no
    // standards runner is installed or the run failed.
    bool loadFromStandards();
    // The standards runner: the standards engine installs it (the core library knows no sheets).
    using StandardsRunner = std::function<bool(MacroData& data, Mx_String& message)>;
    static void setStandardsRunner(StandardsRunner runner);
    // Writes every tab into the drawing again. True when every tab was applied.
    bool reApply();

    // --- property files: the values of the tabs kept in a file of their own, to be loaded into
    // another macro of the same kind (format in docs/macro-format.md)
    // Property files are offered for a selection of macros that all have the same name.
    bool propListAllowed() const;
    // The property files of the first macro's name and the folder they are kept in.
    Acad::ErrorStatus getPropFiles(Mx_StringArray& files, Mx_StringArray& folders) const;
    Acad::ErrorStatus writeToFile(const Mx_String& path, Mx_String* error = nullptr) const;
    // Takes the values of the file's cells that this macro has; `count` receives how many values
    // changed. On failure nothing changes.
    Acad::ErrorStatus readFromFile(const Mx_String& path, int& count, Mx_String* error = nullptr);

    // Equal tabs (the dialog state is not compared).
    bool sameTabs(const MacroData& other) const { return tabs_ == other.tabs_; }

private:
    const MacroTabData* findTabOfModule(const Mx_String& moduleName) const;

    Mx_Array<MacroTabData> tabs_;
};
