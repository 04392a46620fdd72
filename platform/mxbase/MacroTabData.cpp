#include "platform/mxbase/MacroTabData.h"

// --- cells

Acad::ErrorStatus MacroTabData::addCell(const MacroCell& cell) {
    if (cell.name.isEmpty())
        return Acad::eInvalidInput;
    if (findCell(cell.name) != nullptr)
        return Acad::eDuplicateKey;
    cells_.append(cell);
    return Acad::eOk;
}

MacroCell* MacroTabData::findCell(const Mx_String& name) {
    for (MacroCell& cell : cells_) {
        if (cell.name.equal(name, false))
            return &cell;
    }
    return nullptr;
}

const MacroCell* MacroTabData::findCell(const Mx_String& name) const {
    return const_cast<MacroTabData*>(this)->findCell(name);
}

void MacroTabData::removeAllDlgReferences() {
    for (MacroCell& cell : cells_)
        cell.controlId = 0;
    for (MacroPatternProps& pattern : patterns_) {
        for (int& id : pattern.ctrlIds)
            id = 0;
    }
    for (DynArrayData& array : arrays_)
        array.ctrlId = 0;
    choicesCtrlId = 0;
}

// --- bolt patterns and arrays

MacroPatternProps* MacroTabData::findPattern(const Mx_String& name) {
    for (MacroPatternProps& pattern : patterns_) {
        if (pattern.name().equal(name, false))
            return &pattern;
    }
    return nullptr;
}

bool MacroTabData::setPattern(int index, const MacroPatternProps& pattern) {
    MacroPatternProps* mine = patterns_.at(index);
    if (mine == nullptr)
        return false;
    mine->pattern = pattern.pattern;
    return true;
}

DynArrayData* MacroTabData::findArray(const Mx_String& name) {
    for (DynArrayData& array : arrays_) {
        if (array.name.equal(name, false))
            return &array;
    }
    return nullptr;
}

// --- flex/fix buttons

int MacroTabData::findFlexFix(const Mx_String& group, const Mx_String& variable) const {
    for (int i = 0; i < flexFix_.length(); ++i) {
        const MacroFlexFixButton& button = flexFix_[i];
        if (!button.variable.equal(variable, false))
            continue;
        if (group.isEmpty() || button.group.equal(group, false))
            return i;
    }
    return -1;
}

Acad::ErrorStatus MacroTabData::addFlexFixButton(const MacroFlexFixButton& button) {
    if (button.variable.isEmpty())
        return Acad::eInvalidInput;
    for (const MacroFlexFixButton& other : flexFix_) {
        if (other.variable.equal(button.variable, false) && other.group.equal(button.group, false))
            return Acad::eDuplicateKey;
    }
    flexFix_.append(button);
    return Acad::eOk;
}

bool MacroTabData::hasBtnFlexFix(const Mx_String& variable, const Mx_String& group) const {
    return findFlexFix(group, variable) >= 0;
}

Acad::ErrorStatus MacroTabData::getFlexFixBtnStatus(const Mx_String& variable, bool& fixed,
                                                    bool& linked) const {
    int index = findFlexFix(Mx_String(), variable);
    if (index < 0)
        return Acad::eKeyNotFound;
    fixed = flexFix_[index].fixed;
    linked = flexFix_[index].linked;
    return Acad::eOk;
}

bool MacroTabData::flexFixBtnClicked(const Mx_String& group, const Mx_String& variable, bool status) {
    int index = findFlexFix(group, variable);
    if (index < 0)
        return false;
    MacroFlexFixButton& button = flexFix_[index];
    if (status) {
        button.fixed = false;
    } else {
        button.fixed = true;
        button.linked = false;
    }
    return true;
}

// --- bolt data

Acad::ErrorStatus MacroTabData::getBoltData(MacroBoltData*& data) {
    data = isBoltTab() ? &boltData_ : nullptr;
    return data == nullptr ? Acad::eNotApplicable : Acad::eOk;
}

Acad::ErrorStatus MacroTabData::getBoltData(const MacroBoltData*& data) const {
    data = isBoltTab() ? &boltData_ : nullptr;
    return data == nullptr ? Acad::eNotApplicable : Acad::eOk;
}

// --- profile groups

int MacroTabData::findProfGroup(const Mx_String& group) const {
    if (group.isEmpty())
        return profGroups_.isEmpty() ? -1 : 0;
    for (int i = 0; i < profGroups_.length(); ++i) {
        if (profGroups_[i].group.equal(group, false))
            return i;
    }
    return -1;
}

Acad::ErrorStatus MacroTabData::addProfGroup(const MacroProfData& props) {
    if (props.group.isEmpty())
        return Acad::eInvalidInput;
    if (findProfGroup(props.group) >= 0)
        return Acad::eDuplicateKey;
    profGroups_.append(props);
    return Acad::eOk;
}

Acad::ErrorStatus MacroTabData::getProfGroups(Mx_StringArray& groups) const {
    groups.removeAll();
    for (const MacroProfData& props : profGroups_)
        groups.append(props.group);
    return Acad::eOk;
}

Acad::ErrorStatus MacroTabData::getMergedPropsOfGroup(const Mx_String& group, MacroProfData& props) const {
    int index = findProfGroup(group);
    if (index < 0)
        return Acad::eKeyNotFound;
    props = profGroups_[index];
    return Acad::eOk;
}

Acad::ErrorStatus MacroTabData::setMergedPropsOfGroup(const Mx_String& group, const MacroProfData& props) {
    int index = findProfGroup(group);
    if (index < 0)
        return Acad::eKeyNotFound;
    Mx_String name = profGroups_[index].group;
    profGroups_[index] = props;
    profGroups_[index].group = name;
    return Acad::eOk;
}

// --- differences

namespace {

// The page's control ids are left out: building a page changes them, an edit does not.
bool samePatterns(const Mx_Array<MacroPatternProps>& a, const Mx_Array<MacroPatternProps>& b) {
    if (a.length() != b.length())
        return false;
    for (int i = 0; i < a.length(); ++i) {
        if (!(a[i].pattern == b[i].pattern))
            return false;
    }
    return true;
}

bool sameArrays(const Mx_Array<DynArrayData>& a, const Mx_Array<DynArrayData>& b) {
    if (a.length() != b.length())
        return false;
    for (int i = 0; i < a.length(); ++i) {
        DynArrayData left = a[i], right = b[i];
        left.ctrlId = right.ctrlId = 0;
        if (!(left == right))
            return false;
    }
    return true;
}

}  // namespace

void MacroTabData::differences(const MacroTabData& before, Mx_StringArray& names, AcArray<int>& changed,
                               AcArray<int>& removed) const {
    names.removeAll();
    changed.removeAll();
    removed.removeAll();
    for (int i = 0; i < cells_.length(); ++i) {
        const MacroCell& cell = cells_[i];
        const MacroCell* old = before.findCell(cell.name);
        if (old != nullptr && old->value == cell.value && old->kind == cell.kind &&
            old->readOnly == cell.readOnly)
            continue;
        changed.append(i);
        names.append(cell.name);
    }
    for (int i = 0; i < before.cells_.length(); ++i) {
        if (findCell(before.cells_[i].name) == nullptr)
            removed.append(i);
    }
    if (!(boltData_ == before.boltData_)) {
        changed.append(kBoltDataChanged);
        names.append(Mx_String(L"boltData"));
    }
    if (!(flexFix_ == before.flexFix_)) {
        changed.append(kFlexFixChanged);
        names.append(Mx_String(L"flexFixButtons"));
    }
    if (!(profGroups_ == before.profGroups_)) {
        changed.append(kProfGroupsChanged);
        names.append(Mx_String(L"profileGroups"));
    }
    if (!samePatterns(patterns_, before.patterns_)) {
        changed.append(kPatternsChanged);
        names.append(Mx_String(L"patterns"));
    }
    if (!sameArrays(arrays_, before.arrays_)) {
        changed.append(kArraysChanged);
        names.append(Mx_String(L"arrays"));
    }
    if (!(segments_ == before.segments_)) {
        changed.append(kSegmentsChanged);
        names.append(Mx_String(L"segments"));
    }
}
