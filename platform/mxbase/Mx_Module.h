#pragma once
// A module of a parametric macro: one part of the connection (an end plate, its bolts, a stiffener)
// with its constraint variables, cuts, bolt patterns (bolt modules) and named plates and profiles.
// Modules that belong together carry the same group name; the macro dialog shows a group as one tab.
//
// Names of variables, cuts, patterns and profiles are unique within a module and are looked up
// ignoring letter case, as everywhere in the product's libraries. Failures are reported by status:
// eKeyNotFound for a name the module does not have, eDuplicateKey when adding a name twice,
// eNotApplicable for pattern calls on a module that is not a bolt module, eInvalidInput for a text
// that is not a valid value; nothing changes on failure.
#include "platform/arx/AcArray.h"
#include "platform/arx/AcadStatus.h"
#include "platform/mxbase/MacroBoltPattern.h"
#include "platform/mxbase/MacroConstraint.h"
#include "platform/mxbase/MacroCut.h"
#include "platform/mxbase/MacroNamedPrpl.h"
#include "platform/mxbase/MacroVariable.h"
#include "platform/mxbase/Mx_Access.h"
#include "platform/mxbase/Mx_Array.h"
#include "platform/mxbase/Mx_ModuleKind.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class Mx_Module {
public:
    Mx_Module() = default;
    Mx_Module(const Mx_String& name, const Mx_String& group, Mx_ModuleKind kind)
        : name_(name), group_(group), kind_(kind) {}

    const Mx_String& name() const { return name_; }
    void setName(const Mx_String& name) { name_ = name; }
    const Mx_String& group() const { return group_; }
    void setGroup(const Mx_String& group) { group_ = group; }
    // The group the module is addressed by: its group, or its own name when it has none.
    const Mx_String& groupOrName() const { return group_.isEmpty() ? name_ : group_; }
    Mx_ModuleKind kind() const { return kind_; }
    void setKind(Mx_ModuleKind kind) { kind_ = kind; }
    bool isBoltModule() const { return kind_ == Mx_ModuleKind::Bolt; }
    bool isProfileModule() const { return kind_ == Mx_ModuleKind::Profile; }

    // --- constraint variables
    const Mx_Array<MacroVariable>& variables() const { return variables_; }
    Acad::ErrorStatus addVariable(const MacroVariable& variable);
    MacroVariable* findVariable(const Mx_String& name);
    const MacroVariable* findVariable(const Mx_String& name) const;
    // Get: `value` receives the number as its shortest exact text ("8.5"). Set: `value` must be a
    // number (blanks around it allowed).
    Acad::ErrorStatus getSetConstrVarValue(const Mx_String& name, Mx_String& value, Mx_Access access);
    Acad::ErrorStatus getConstrVarValue(const Mx_String& name, double& value) const;
    Acad::ErrorStatus setConstrVarValue(const Mx_String& name, double value);
    // Every variable in order, with its two dialog flags (shown, editable) as 1 or 0. The flags are
    // ints because AcArray<bool> would sit on std::vector<bool>, whose elements cannot be referenced.
    Acad::ErrorStatus getDialogVariables(Mx_StringArray& names, AcArray<int>& visible,
                                         AcArray<int>& editable) const;

    // --- cuts
    const Mx_Array<MacroCut>& cuts() const { return cuts_; }
    Acad::ErrorStatus addCut(const MacroCut& cut);
    Acad::ErrorStatus removeCut(const Mx_String& name);
    Acad::ErrorStatus getCutConstraints(Mx_StringArray& names) const;
    // The cut, still owned by the module.
    Acad::ErrorStatus getCutConstraint(const Mx_String& name, MacroCut*& cut);
    Acad::ErrorStatus getCutConstraint(const Mx_String& name, const MacroCut*& cut) const;
    // The value indices (VlCutOffsetType) that the cut offers.
    Acad::ErrorStatus getCutOffsets(const Mx_String& name, AcArray<int>& offsets) const;
    // Shortcut for getCutConstraint + MacroCut::getSetCutValue.
    Acad::ErrorStatus getSetCutValue(const Mx_String& name, VlCutOffsetType which, Mx_String& value,
                                     Mx_Access access);

    // --- bolt patterns (bolt modules only)
    const Mx_Array<MacroBoltPattern>& patterns() const { return patterns_; }
    // A pattern id of 0 or less is replaced by the next free id. eDuplicateKey for a used id or name.
    Acad::ErrorStatus addPattern(const MacroBoltPattern& pattern);
    Acad::ErrorStatus getPatternIds(AcArray<int>& ids) const;
    Acad::ErrorStatus getPattern(int id, MacroBoltPattern*& pattern);
    Acad::ErrorStatus getPattern(int id, const MacroBoltPattern*& pattern) const;
    Acad::ErrorStatus findPattern(const Mx_String& name, int& id) const;
    // Number of bolts of the named pattern in direction 1 or 2 (eInvalidIndex otherwise) as text.
    // Setting direction 2 of a pattern with one direction is eNotApplicable; a set count must be a
    // non-empty text without line breaks or tabs.
    Acad::ErrorStatus getSetNrBolts(const Mx_String& pattern, int direction, Mx_String& value,
                                    Mx_Access access);
    // Both reverse-start flags of the pattern with this id.
    Acad::ErrorStatus getSetBoltPatternReverses(int id, bool& reverse1, bool& reverse2, Mx_Access access);

    // --- named plates and profiles
    const Mx_Array<MacroNamedPrpl>& profiles() const { return profiles_; }
    // Profiles without a name are allowed (they cannot be addressed); named ones must be unique.
    Acad::ErrorStatus addProfile(const MacroNamedPrpl& profile);
    Acad::ErrorStatus getNamedPrpl(const Mx_String& name, Mx_String& section, Mx_String& material) const;
    Acad::ErrorStatus setNamedPrpl(const Mx_String& name, const Mx_String& section,
                                   const Mx_String& material);
    // Names of the profiles that have one, in order.
    Acad::ErrorStatus getProfileNames(Mx_StringArray& names) const;

    // --- what the macro editor edits: geometry, the constraints between it, and equations
    const Mx_Array<MacroGeometry>& geometries() const { return geometries_; }
    Mx_Array<MacroGeometry>& geometries() { return geometries_; }
    // The index of the named geometry, -1 when the module has none of that name.
    int findGeometry(const Mx_String& name) const;
    // eInvalidInput without a name or with an unknown type, eDuplicateKey when the name is taken.
    Acad::ErrorStatus addGeometry(const MacroGeometry& geometry);
    const Mx_Array<MacroConstraint>& constraints() const { return constraints_; }
    Mx_Array<MacroConstraint>& constraints() { return constraints_; }
    // eInvalidInput for an unknown kind, the wrong number of objects or an object that is not the
    // module's geometry.
    Acad::ErrorStatus checkConstraint(const MacroConstraint& constraint) const;
    Acad::ErrorStatus addConstraint(const MacroConstraint& constraint);
    // Equations, one per line of the editor ("Width = Height / 2"); kept as the author wrote them.
    const Mx_StringArray& equations() const { return equations_; }
    Mx_StringArray& equations() { return equations_; }

    bool operator==(const Mx_Module&) const = default;

private:
    MacroCut* findCut(const Mx_String& name) const;
    MacroBoltPattern* findPatternById(int id) const;
    MacroBoltPattern* findPatternByName(const Mx_String& name) const;
    MacroNamedPrpl* findProfile(const Mx_String& name) const;

    Mx_String name_;
    Mx_String group_;
    Mx_ModuleKind kind_ = Mx_ModuleKind::General;
    Mx_Array<MacroVariable> variables_;
    Mx_Array<MacroCut> cuts_;
    Mx_Array<MacroBoltPattern> patterns_;
    Mx_Array<MacroNamedPrpl> profiles_;
    Mx_Array<MacroGeometry> geometries_;
    Mx_Array<MacroConstraint> constraints_;
    Mx_StringArray equations_;
};
