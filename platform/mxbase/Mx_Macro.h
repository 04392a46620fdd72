#pragma once
// The core library's form of a parametric connection macro: its modules, its general variables and
// its base profiles. Obtained from a database macro (Mx_DbMacro::macroWrite) and read and written as a
// JSON file (MacroJson, format in docs/macro-format.md).
//
// Names are looked up ignoring letter case. A module without a group is addressed by its own name as
// its group (Mx_Module::groupOrName).
#include "platform/arx/AcadStatus.h"
#include "platform/mxbase/MacroBaseProfile.h"
#include "platform/mxbase/MacroFilters.h"
#include "platform/mxbase/MacroGeneralVariable.h"
#include "platform/mxbase/MacroStandards.h"
#include "platform/mxbase/Mx_Array.h"
#include "platform/mxbase/Mx_Module.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class Mx_Macro {
public:
    Mx_Macro() = default;
    explicit Mx_Macro(const Mx_String& name) : name_(name) {}

    const Mx_String& name() const { return name_; }
    void setName(const Mx_String& name) { name_ = name; }
    const Mx_String& description() const { return description_; }
    void setDescription(const Mx_String& text) { description_ = text; }

    // --- modules
    const Mx_Array<Mx_Module>& modules() const { return modules_; }
    int numModules() const { return modules_.length(); }
    // The module at `index`, or nullptr outside the list.
    Mx_Module* moduleAt(int index) { return modules_.at(index); }
    const Mx_Module* moduleAt(int index) const { return modules_.at(index); }
    // eInvalidInput without a name, eDuplicateKey when the name is taken.
    Acad::ErrorStatus addModule(const Mx_Module& module);
    // eKeyNotFound when there is no such module.
    Acad::ErrorStatus removeModule(const Mx_String& name);
    Acad::ErrorStatus getModuleNames(Mx_StringArray& names) const;
    // The modules addressed by `group` (see above), in macro order; eKeyNotFound when there is none.
    Acad::ErrorStatus getModNamesOfGroup(const Mx_String& group, Mx_StringArray& names) const;
    // Group names in order of first appearance (a module without group contributes its name).
    Acad::ErrorStatus getGroupNames(Mx_StringArray& groups) const;
    Acad::ErrorStatus findModule(const Mx_String& name, const Mx_Module*& module) const;
    Acad::ErrorStatus findModuleWrite(const Mx_String& name, Mx_Module*& module);

    // --- general variables
    const Mx_Array<MacroGeneralVariable>& generalVariables() const { return genVars_; }
    // eInvalidInput for a name without the "gen_" prefix, eDuplicateKey for a name already there.
    Acad::ErrorStatus addGenVar(const MacroGeneralVariable& variable);
    bool hasGenVar(const Mx_String& name) const { return findGenVar(name) >= 0; }
    Acad::ErrorStatus getGenVarNames(Mx_StringArray& names) const;
    Acad::ErrorStatus getGenVarValue(const Mx_String& name, double& value) const;
    // The value as text with `decimals` decimals (the standards read them with 4 or 8).
    Acad::ErrorStatus getGenVarValue(const Mx_String& name, Mx_String& value, int decimals) const;
    Acad::ErrorStatus setGenVarValue(const Mx_String& name, double value);
    // The text must be a number: general variables are stored as numbers, and a text that is none
    // is refused (eInvalidInput) rather than stored as 0.
    Acad::ErrorStatus setGenVarValue(const Mx_String& name, const Mx_String& value);

    // --- base profiles
    const Mx_Array<MacroBaseProfile>& baseProfiles() const { return baseProfs_; }
    int numBaseProfs() const { return baseProfs_.length(); }
    void addBaseProf(const MacroBaseProfile& profile) { baseProfs_.append(profile); }
    // Base profile `index` (from 0); eInvalidIndex outside the list.
    Acad::ErrorStatus getBaseProf(int index, const MacroBaseProfile*& profile) const;
    Acad::ErrorStatus getBaseProfWrite(int index, MacroBaseProfile*& profile);

    // --- macro-wide settings (the macro editor's settings dialog)
    const MacroFilters& filters() const { return filters_; }
    void setFilters(const MacroFilters& filters) { filters_ = filters; }
    // The standards sheets the macro is attached to; a standards run on one of them uses its maps-to
    // text.
    const MacroStandards& standards() const { return standards_; }
    void setStandards(const MacroStandards& standards) { standards_ = standards; }

    bool operator==(const Mx_Macro&) const = default;

private:
    int findModuleIndex(const Mx_String& name) const;
    int findGenVar(const Mx_String& name) const;

    Mx_String name_;
    Mx_String description_;
    Mx_Array<Mx_Module> modules_;
    Mx_Array<MacroGeneralVariable> genVars_;
    Mx_Array<MacroBaseProfile> baseProfs_;
    MacroFilters filters_;
    MacroStandards standards_;
};
