#pragma once
// The drawing as the module sees it: the macro objects it holds, and the calls with which the macro
// dialogs change them.
//
// A drawing is a macro file, or a folder of macro files (its *.json files in name order); each file is
// one macro object, with ids 1, 2, ... in that order. Every change the module asks for is written back
// into the object's file at once (atomically), so the effect of an edit can be seen on disk; every call
// is written to the call log, which tests and `connsheet macro --log` read.
//
//     MacroDrawing::active().open(L"EndPlate.json");
//     MacroData data;
//     MacroDrawing::active().initMacroData(MacroDrawing::active().objectIds(), data);
//     ... edit a tab ...
//     UpdateModule(tab.moduleName, data, changed, removed);   // the file now holds the new values
#include <string>
#include <vector>

#include "platform/arx/AcArray.h"
#include "platform/arx/AcDbObjectId.h"
#include "platform/arx/AcadStatus.h"
#include "platform/mxbase/Mx_String.h"

class MacroData;
class Mx_DbMacro;

class MacroDrawing {
public:
    MacroDrawing();
    ~MacroDrawing();
    MacroDrawing(const MacroDrawing&) = delete;
    MacroDrawing& operator=(const MacroDrawing&) = delete;

    // The drawing the module works in (empty until opened).
    static MacroDrawing& active();

    // Reads every macro of the file or folder. On failure the drawing is left empty and `error` names
    // the file and the problem.
    Acad::ErrorStatus open(const Mx_String& path, Mx_String* error = nullptr);
    void close();
    const Mx_String& path() const { return path_; }
    // The folder property files and other per-drawing files are kept beside.
    Mx_String folder() const;

    // The objects not erased, in order.
    AcArray<AcDbObjectId> objectIds() const;
    // The object, or null for an unknown or erased id.
    Mx_DbMacro* object(AcDbObjectId id);
    const Mx_DbMacro* object(AcDbObjectId id) const;
    Mx_String fileOf(AcDbObjectId id) const;

    // Fills the data for editing these objects: the tabs of the first one (filtered by the data's
    // filters), the object ids, the macro names, the title, the groups and the filter lists.
    // eKeyNotFound when an id names no object.
    Acad::ErrorStatus initMacroData(const AcArray<AcDbObjectId>& ids, MacroData& data) const;
    // Replaces the data's tabs with the first object's, as the data's filters select them.
    Acad::ErrorStatus loadTabs(MacroData& data) const;
    // Writes the object's macro back into its file, with its tabs merged with `data`'s (by name).
    Acad::ErrorStatus save(AcDbObjectId id, const MacroData& data, Mx_String* error = nullptr);
    // Erases the object from the drawing (its file stays on disk: the drawing is not saved).
    Acad::ErrorStatus erase(AcDbObjectId id);

    // The view the object is shown in (-1 before any change).
    int viewOf(AcDbObjectId id) const;
    void setView(AcDbObjectId id, int view);

    // The user's next pick in the drawing: SelectOtherMacros takes it. With none the pick is cancelled.
    void setNextPick(const AcArray<AcDbObjectId>& ids);
    bool takePick(AcArray<AcDbObjectId>& ids);
    // The user's next pick of one profile (a named profile of a macro object): the profile cuts
    // dialog's "Other profile" takes it. With none the pick is cancelled.
    void setNextProfilePick(AcDbObjectId id, const Mx_String& profile);
    bool takeProfilePick(AcDbObjectId& id, Mx_String& profile);

    // --- call log
    void note(const std::wstring& line);
    const std::vector<std::wstring>& log() const { return log_; }
    // One line per call, each ending with "\n".
    std::wstring logText() const;
    void clearLog() { log_.clear(); }

private:
    struct Object;
    const Object* find(AcDbObjectId id) const;
    Object* find(AcDbObjectId id);

    Mx_String path_;
    bool isFolder_ = false;
    std::vector<Object*> objects_;
    std::vector<AcDbObjectId> pick_;
    bool hasPick_ = false;
    AcDbObjectId profilePickId_;
    Mx_String profilePick_;
    bool hasProfilePick_ = false;
    std::vector<std::wstring> log_;
};

// --- the core library's calls on the drawing

// Writes the tab of the module (the data's tab whose module is `moduleName`) into that module of every
// edited object and saves them: its cells into the module's variables of the same names, its profile
// groups into the module's profiles. Then the tab's cells take the values as the drawing holds them.
// `changed` and `removed` are what MacroTabData::differences found (they are logged). False, with
// nothing saved, when the data has no such tab, an object or its module is missing, or a value is not
// a number the variable can take.
bool UpdateModule(const Mx_String& moduleName, MacroData& data, const AcArray<int>& changed,
                  const AcArray<int>& removed);
// A filter of the macro dialog changed (`first`: the group filter): the data's tabs are loaded again
// as the filters select them.
Acad::ErrorStatus UpdateAllFilterModified(MacroData& data, bool first);
// Applies every changed tab (indices into the data's tabs, as MacroData::differences gives them) to
// the drawing. Marks (negative indices) are skipped. True when every tab was applied.
bool setAllToMacro(MacroData& data, const AcArray<int>& changed, const AcArray<int>& removed);
// Erases a drawing object.
Acad::ErrorStatus EraseObject(AcDbObjectId id);
