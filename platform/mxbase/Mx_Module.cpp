#include "platform/mxbase/Mx_Module.h"

#include <algorithm>
#include <limits>

#include "platform/mxbase/NumberFunctions.h"

namespace {

// Position of the first element whose name equals `name` ignoring case, or -1.
template <typename T, typename Name>
int indexOfName(const Mx_Array<T>& items, const Mx_String& name, Name nameOf) {
    for (int i = 0; i < items.length(); ++i) {
        if (nameOf(items[i]).equal(name, false))
            return i;
    }
    return -1;
}

const Mx_String& variableName(const MacroVariable& v) {
    return v.name;
}
const Mx_String& cutName(const MacroCut& c) {
    return c.name;
}
const Mx_String& patternName(const MacroBoltPattern& p) {
    return p.name;
}
const Mx_String& profileName(const MacroNamedPrpl& p) {
    return p.name;
}

// A text that can be stored as one field of the product's line-based files.
bool isSingleLine(const Mx_String& text) {
    return !text.contains(L'\n') && !text.contains(L'\r') && !text.contains(L'\t');
}

}  // namespace

// --- constraint variables

Acad::ErrorStatus Mx_Module::addVariable(const MacroVariable& variable) {
    if (variable.name.isEmpty())
        return Acad::eInvalidInput;
    if (indexOfName(variables_, variable.name, variableName) >= 0)
        return Acad::eDuplicateKey;
    variables_.append(variable);
    return Acad::eOk;
}

MacroVariable* Mx_Module::findVariable(const Mx_String& name) {
    return variables_.at(indexOfName(variables_, name, variableName));
}

const MacroVariable* Mx_Module::findVariable(const Mx_String& name) const {
    return variables_.at(indexOfName(variables_, name, variableName));
}

Acad::ErrorStatus Mx_Module::getSetConstrVarValue(const Mx_String& name, Mx_String& value, Mx_Access access) {
    MacroVariable* variable = findVariable(name);
    if (variable == nullptr)
        return Acad::eKeyNotFound;
    if (access == Mx_Access::Get) {
        value = formatShortest(variable->value);
        return Acad::eOk;
    }
    double number = 0.0;
    if (!parseNumber(value.view(), number))
        return Acad::eInvalidInput;
    variable->value = number;
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Module::getConstrVarValue(const Mx_String& name, double& value) const {
    const MacroVariable* variable = findVariable(name);
    if (variable == nullptr)
        return Acad::eKeyNotFound;
    value = variable->value;
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Module::setConstrVarValue(const Mx_String& name, double value) {
    MacroVariable* variable = findVariable(name);
    if (variable == nullptr)
        return Acad::eKeyNotFound;
    variable->value = value;
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Module::getDialogVariables(Mx_StringArray& names, AcArray<int>& visible,
                                                AcArray<int>& editable) const {
    names.removeAll();
    visible.removeAll();
    editable.removeAll();
    for (const MacroVariable& variable : variables_) {
        names.append(variable.name);
        visible.append(variable.visible ? 1 : 0);
        editable.append(variable.editable ? 1 : 0);
    }
    return Acad::eOk;
}

// --- cuts

MacroCut* Mx_Module::findCut(const Mx_String& name) const {
    int index = indexOfName(cuts_, name, cutName);
    return index < 0 ? nullptr : const_cast<MacroCut*>(cuts_.at(index));
}

Acad::ErrorStatus Mx_Module::addCut(const MacroCut& cut) {
    if (cut.name.isEmpty())
        return Acad::eInvalidInput;
    if (findCut(cut.name) != nullptr)
        return Acad::eDuplicateKey;
    cuts_.append(cut);
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Module::removeCut(const Mx_String& name) {
    const int index = indexOfName(cuts_, name, cutName);
    if (index < 0)
        return Acad::eKeyNotFound;
    cuts_.removeAt(index);
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Module::getCutConstraints(Mx_StringArray& names) const {
    names.removeAll();
    for (const MacroCut& cut : cuts_)
        names.append(cut.name);
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Module::getCutConstraint(const Mx_String& name, MacroCut*& cut) {
    cut = findCut(name);
    return cut == nullptr ? Acad::eKeyNotFound : Acad::eOk;
}

Acad::ErrorStatus Mx_Module::getCutConstraint(const Mx_String& name, const MacroCut*& cut) const {
    cut = findCut(name);
    return cut == nullptr ? Acad::eKeyNotFound : Acad::eOk;
}

Acad::ErrorStatus Mx_Module::getCutOffsets(const Mx_String& name, AcArray<int>& offsets) const {
    const MacroCut* cut = findCut(name);
    if (cut == nullptr)
        return Acad::eKeyNotFound;
    cut->getCutOffsets(offsets);
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Module::getSetCutValue(const Mx_String& name, VlCutOffsetType which, Mx_String& value,
                                            Mx_Access access) {
    MacroCut* cut = findCut(name);
    if (cut == nullptr)
        return Acad::eKeyNotFound;
    return cut->getSetCutValue(which, value, access);
}

// --- bolt patterns

MacroBoltPattern* Mx_Module::findPatternById(int id) const {
    for (int i = 0; i < patterns_.length(); ++i) {
        if (patterns_[i].id == id)
            return const_cast<MacroBoltPattern*>(patterns_.at(i));
    }
    return nullptr;
}

MacroBoltPattern* Mx_Module::findPatternByName(const Mx_String& name) const {
    int index = indexOfName(patterns_, name, patternName);
    return index < 0 ? nullptr : const_cast<MacroBoltPattern*>(patterns_.at(index));
}

Acad::ErrorStatus Mx_Module::addPattern(const MacroBoltPattern& pattern) {
    if (!isBoltModule())
        return Acad::eNotApplicable;
    if (pattern.name.isEmpty())
        return Acad::eInvalidInput;
    if (findPatternByName(pattern.name) != nullptr)
        return Acad::eDuplicateKey;
    MacroBoltPattern added = pattern;
    if (added.id <= 0) {
        // One past the highest id; when the highest is the largest id there is, the lowest one free.
        int highest = 0;
        for (const MacroBoltPattern& p : patterns_)
            highest = std::max(highest, p.id);
        if (highest < std::numeric_limits<int>::max()) {
            added.id = highest + 1;
        } else {
            added.id = 1;
            while (findPatternById(added.id) != nullptr)
                ++added.id;
        }
    } else if (findPatternById(added.id) != nullptr) {
        return Acad::eDuplicateKey;
    }
    patterns_.append(std::move(added));
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Module::getPatternIds(AcArray<int>& ids) const {
    ids.removeAll();
    if (!isBoltModule())
        return Acad::eNotApplicable;
    for (const MacroBoltPattern& pattern : patterns_)
        ids.append(pattern.id);
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Module::getPattern(int id, MacroBoltPattern*& pattern) {
    pattern = isBoltModule() ? findPatternById(id) : nullptr;
    if (!isBoltModule())
        return Acad::eNotApplicable;
    return pattern == nullptr ? Acad::eKeyNotFound : Acad::eOk;
}

Acad::ErrorStatus Mx_Module::getPattern(int id, const MacroBoltPattern*& pattern) const {
    pattern = isBoltModule() ? findPatternById(id) : nullptr;
    if (!isBoltModule())
        return Acad::eNotApplicable;
    return pattern == nullptr ? Acad::eKeyNotFound : Acad::eOk;
}

Acad::ErrorStatus Mx_Module::findPattern(const Mx_String& name, int& id) const {
    if (!isBoltModule())
        return Acad::eNotApplicable;
    const MacroBoltPattern* pattern = findPatternByName(name);
    if (pattern == nullptr)
        return Acad::eKeyNotFound;
    id = pattern->id;
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Module::getSetNrBolts(const Mx_String& name, int direction, Mx_String& value,
                                           Mx_Access access) {
    if (!isBoltModule())
        return Acad::eNotApplicable;
    if (direction != 1 && direction != 2)
        return Acad::eInvalidIndex;
    MacroBoltPattern* pattern = findPatternByName(name);
    if (pattern == nullptr)
        return Acad::eKeyNotFound;
    Mx_String& count = direction == 1 ? pattern->nrBolts1 : pattern->nrBolts2;
    if (access == Mx_Access::Get) {
        value = count;
        return Acad::eOk;
    }
    if (direction == 2 && !pattern->twoDirections)
        return Acad::eNotApplicable;
    if (value.isEmpty() || !isSingleLine(value))
        return Acad::eInvalidInput;
    count = value;
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Module::getSetBoltPatternReverses(int id, bool& reverse1, bool& reverse2,
                                                       Mx_Access access) {
    MacroBoltPattern* pattern = nullptr;
    Acad::ErrorStatus status = getPattern(id, pattern);
    if (status != Acad::eOk)
        return status;
    if (access == Mx_Access::Get) {
        reverse1 = pattern->reverseStart1;
        reverse2 = pattern->reverseStart2;
    } else {
        pattern->reverseStart1 = reverse1;
        pattern->reverseStart2 = reverse2;
    }
    return Acad::eOk;
}

// --- named plates and profiles

MacroNamedPrpl* Mx_Module::findProfile(const Mx_String& name) const {
    if (name.isEmpty())
        return nullptr;
    int index = indexOfName(profiles_, name, profileName);
    return index < 0 ? nullptr : const_cast<MacroNamedPrpl*>(profiles_.at(index));
}

Acad::ErrorStatus Mx_Module::addProfile(const MacroNamedPrpl& profile) {
    if (findProfile(profile.name) != nullptr)
        return Acad::eDuplicateKey;
    profiles_.append(profile);
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Module::getNamedPrpl(const Mx_String& name, Mx_String& section,
                                          Mx_String& material) const {
    const MacroNamedPrpl* profile = findProfile(name);
    if (profile == nullptr)
        return Acad::eKeyNotFound;
    section = profile->section;
    material = profile->material;
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Module::setNamedPrpl(const Mx_String& name, const Mx_String& section,
                                          const Mx_String& material) {
    MacroNamedPrpl* profile = findProfile(name);
    if (profile == nullptr)
        return Acad::eKeyNotFound;
    if (!isSingleLine(section) || !isSingleLine(material))
        return Acad::eInvalidInput;
    profile->section = section;
    profile->material = material;
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Module::getProfileNames(Mx_StringArray& names) const {
    names.removeAll();
    for (const MacroNamedPrpl& profile : profiles_) {
        if (!profile.name.isEmpty())
            names.append(profile.name);
    }
    return Acad::eOk;
}

// --- geometry and constraints

int Mx_Module::findGeometry(const Mx_String& name) const {
    for (int i = 0; i < geometries_.length(); ++i) {
        if (geometries_[i].name.equal(name, false))
            return i;
    }
    return -1;
}

Acad::ErrorStatus Mx_Module::addGeometry(const MacroGeometry& geometry) {
    if (geometry.name.isEmpty() || !MacroGeometry::isType(geometry.type))
        return Acad::eInvalidInput;
    if (findGeometry(geometry.name) >= 0)
        return Acad::eDuplicateKey;
    geometries_.append(geometry);
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Module::checkConstraint(const MacroConstraint& constraint) const {
    const int wanted = MacroConstraint::objectsOf(constraint.kind);
    if (wanted == 0 || constraint.objects.length() != wanted || constraint.state < 0 || constraint.state > 4)
        return Acad::eInvalidInput;
    for (const Mx_String& object : constraint.objects) {
        if (findGeometry(object) < 0)
            return Acad::eInvalidInput;
    }
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Module::addConstraint(const MacroConstraint& constraint) {
    const Acad::ErrorStatus status = checkConstraint(constraint);
    if (status == Acad::eOk)
        constraints_.append(constraint);
    return status;
}
