#pragma once
// The core library's filter over a set of macro drawings: which of them the macro selection offers.
// The selection dialog hands it the macro names with their visibility and two numbers whose meaning is
// the core library's own (kept, not used here).
//
// Here a macro file stands for its drawing (as for the general-variable filters): a name is a path
// below the library's "Macros\" folder or an absolute path, and names the macro file (".json") of the
// same path whatever its extension ("Halls\North.dwg" is "Macros\Halls\North.json"). No names at all
// offers every macro file below "Macros\", sub-folders included. A name whose visibility is false is
// not offered; a missing visibility entry counts as visible.
//
// Each offered macro is read once (on first need after initialize): its modules and each module's
// properties, that is the names of its variables, cuts, bolt patterns and named plates and profiles.
// Ticking a module keeps the macros that have a module of that name; ticking a property keeps those
// whose module of that name has the property. Ticks add up: a macro must have all of them. A macro
// file that cannot be read stays on offer until something is ticked. Names compare ignoring case.
//
// Every call is written to calls() ("setModuleStatus FinBolts 1"), which tests read.
#include <string>
#include <vector>

#include "platform/arx/AcArray.h"
#include "platform/arx/AcadStatus.h"
#include "platform/mxbase/Mx_Array.h"
#include "platform/mxbase/Mx_StringArray.h"

class Mx_MacroPropsFilter {
public:
    void initialize(const Mx_StringArray& names, const AcArray<bool>& visible, int a, int b);
    const Mx_StringArray& names() const { return m_names; }
    const AcArray<bool>& visible() const { return m_visible; }
    int first() const { return m_a; }
    int second() const { return m_b; }

    // The macro files on offer (whatever is ticked), full paths with "/" separators, in the order of
    // the names (sorted by path when all of "Macros\" is offered). Names without a file are left out.
    // Returns how many there are.
    int getAllDwgFiles(Mx_StringArray& files);
    // The modules of the offered macros in order of first appearance, each once, and for each of them
    // (same index) its properties merged over every macro that has it. False, with both empty, when no
    // offered macro could be read.
    bool getMergedProperties(Mx_StringArray& modules, Mx_Array<Mx_StringArray>& properties);
    // Ticks (on) or unticks a module or one property of a module. eKeyNotFound for a name that is not
    // among the merged ones.
    Acad::ErrorStatus setModuleStatus(const Mx_String& module, bool on);
    Acad::ErrorStatus setModulePropStatus(const Mx_String& module, const Mx_String& property, bool on);
    // The offered macros that have everything ticked: their names below "Macros\" without extension
    // ("FinPlate", "Halls\North"; the file name alone for a macro outside "Macros\"). Returns the count.
    int getFilteredMacros(Mx_StringArray& names);

    const std::vector<std::wstring>& calls() const { return m_calls; }

private:
    struct Module {
        Mx_String name;
        Mx_StringArray properties;
    };
    struct Macro {
        Mx_String name;  // as getFilteredMacros gives it
        Mx_String file;
        bool readable = false;
        std::vector<Module> modules;
    };
    struct Tick {
        Mx_String module;
        Mx_String property;  // empty: the module itself
    };
    void load();
    bool isMerged(const Mx_String& module, const Mx_String& property);
    bool passes(const Macro& macro) const;
    void setTick(const Tick& tick, bool on);
    void log(std::wstring line) { m_calls.push_back(std::move(line)); }

    Mx_StringArray m_names;
    AcArray<bool> m_visible;
    int m_a = 0;
    int m_b = 0;
    bool m_loaded = false;
    std::vector<Macro> m_macros;
    std::vector<Tick> m_ticks;
    std::vector<std::wstring> m_calls;
};
