#include "standards/VlObjectMap.h"

#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/Mx_SectionTableManager.h"
#include "platform/mxbase/StringFunctions.h"
#include "standards/VlNameConvention.h"
#include "standards/VlVarCell.h"

namespace {

struct KindInfo {
    int kind;
    const wchar_t* keyword;
    VlValueType type;
};

// In the order a mapping string's keyword is tested. Every keyword is a prefix test, and none of
// them is a prefix of a later one, so the order only matters for texts that run on after a keyword.
constexpr KindInfo kKinds[] = {
    {1, L"Distance", kVlDouble},
    {2, L"GenVar", kVlDouble},
    {3, L"CutOffset", kVlDouble},
    {4, L"CutPolyOffset", kVlDouble},
    {5, L"CutLengthOffset", kVlDouble},
    {6, L"CutCenterOffset", kVlDouble},
    {7, L"CutInsideOffset", kVlDouble},
    {8, L"CutOutsideOffset", kVlDouble},
    {9, L"CutChamferOffset1", kVlDouble},
    {10, L"CutChamferOffset2", kVlDouble},
    {11, L"CutRadius", kVlDouble},
    {16, L"PatternNrBolts1", kVlString},
    {17, L"PatternNrBolts2", kVlString},
    {18, L"PatternReverseStart1", kVlInteger},
    {19, L"PatternReverseStart2", kVlInteger},
    {12, L"PrPlName", kVlString},
    {13, L"PrPlMaterial", kVlString},
    {14, L"OwnedMemberName", kVlString},
    {15, L"MemberSectionSize", kVlDouble},
    {20, L"BoltsDiameter", kVlDouble},
    {21, L"BoltsHoleOffset", kVlDouble},
};

const KindInfo* findKind(int kind) {
    for (const KindInfo& info : kKinds)
        if (info.kind == kind) return &info;
    return nullptr;
}

// "Prof3" or "3" -> 3: the number in a base-profile reference.
bool readIndex(const Mx_String& text, int& index) {
    int position = 0;
    Mx_String digits;
    if (!findFirstNumbers(text, position, digits)) return false;
    return digits.toInt(index) && index >= 0;
}

bool isModuleKind(int kind) {
    return kind != VlObjectMap::kGenVar && kind != VlObjectMap::kPrPlName && kind != VlObjectMap::kPrPlMaterial &&
           kind != VlObjectMap::kMemberSectionSize;
}

}  // namespace

const wchar_t* VlObjectMap::kindKeyword(int kind) {
    const KindInfo* info = findKind(kind);
    return info ? info->keyword : nullptr;
}

bool VlObjectMap::kindValueType(int kind, VlValueType& type) {
    const KindInfo* info = findKind(kind);
    if (!info) return false;
    type = info->type;
    return true;
}

Acad::ErrorStatus VlObjectMap::getMappingFromStrs(const Mx_String& ssVar, const Mx_String& mapStr) {
    const int split = mapStr.findFirstFrom(Mx_String(L"\" "), 0, true);
    if (split < 0) return Acad::eInvalidInput;
    const Mx_String right = stripSymbols(mapStr.getSubStringAt(split + 2), Mx_String(L" "), StripSide::Start);
    const KindInfo* found = nullptr;
    for (const KindInfo& info : kKinds) {
        if (right.view().starts_with(info.keyword)) {
            found = &info;
            break;
        }
    }
    if (!found) return Acad::eInvalidInput;
    groupName = mapStr.getSubStringAt(0, split);
    kind = found->kind;
    const int blank = right.findFirstFrom(L' ');
    objectName = blank < 0 ? Mx_String() : right.getSubStringAt(blank + 1);
    ssVarName = ssVar;
    return Acad::eOk;
}

Acad::ErrorStatus VlObjectMap::setMappingToStrs(Mx_String& mapStr, Mx_String& ssVar) {
    const wchar_t* keyword = kindKeyword(kind);
    if (!keyword) return Acad::eInvalidInput;
    mapStr = groupName + L"\" " + keyword + L" " + objectName;
    ssVar = ssVarName;
    return Acad::eOk;
}

Acad::ErrorStatus VlObjectMap::mapFromArrays(const Mx_StringArray& ssVars, const Mx_StringArray& mapStrs,
                                             const VlVarCell& cell) {
    int index = -1;
    if (!ssVars.find(cell.name, index, false) || index >= mapStrs.length()) return Acad::eInvalidInput;
    return getMappingFromStrs(cell.name, mapStrs[index]);
}

Acad::ErrorStatus VlObjectMap::isCompatible(const VlObjectMap& other) const {
    return groupName.equal(other.groupName, false) && objectName.equal(other.objectName, false) &&
                   kind == other.kind
               ? Acad::eOk
               : Acad::eInvalidInput;
}

Acad::ErrorStatus VlObjectMap::getMacroVarValue(Mx_DbMacro* macro, MacroData* macroData, Mx_String& value,
                                                AcTransaction* transaction) {
    return exchange(macro, macroData, value, transaction, false);
}

Acad::ErrorStatus VlObjectMap::setMacroVarValue(Mx_DbMacro* macro, MacroData* macroData, Mx_String& value,
                                                AcTransaction* transaction) {
    return exchange(macro, macroData, value, transaction, true);
}

namespace {

// One module's part of a link; eOk when this module gave (or took) the value.
Acad::ErrorStatus exchangeWithModule(const VlObjectMap& link, Mx_Module& module, MacroTabData& tab,
                                     Mx_String& value, bool set) {
    const Mx_Access access = set ? Mx_Access::Set : Mx_Access::Get;
    const int kind = link.kind;
    if (kind == VlObjectMap::kDistance) return vlnames::exchangeModuleVariable(module, tab, link.objectName, value, set);
    if (kind >= VlObjectMap::kCutOffset && kind <= VlObjectMap::kCutRadius)
        return module.getSetCutValue(link.objectName, static_cast<VlCutOffsetType>(kind - VlObjectMap::kCutOffset),
                                     value, access);
    if (kind == VlObjectMap::kBoltsDiameter || kind == VlObjectMap::kBoltsHoleOffset) {
        MacroBoltData* bolts = nullptr;
        if (tab.getBoltData(bolts) != Acad::eOk || !bolts) return Acad::eInvalidInput;
        Mx_String& field = kind == VlObjectMap::kBoltsDiameter ? bolts->diameter : bolts->holeOffset;
        if (set)
            field = value;
        else
            value = field;
        return Acad::eOk;
    }
    if (kind == VlObjectMap::kPatternNrBolts1 || kind == VlObjectMap::kPatternNrBolts2)
        return module.getSetNrBolts(link.objectName, kind == VlObjectMap::kPatternNrBolts1 ? 1 : 2, value, access);
    if (kind == VlObjectMap::kPatternReverseStart1 || kind == VlObjectMap::kPatternReverseStart2) {
        int id = 0;
        bool reverse1 = false, reverse2 = false;
        if (module.findPattern(link.objectName, id) != Acad::eOk ||
            module.getSetBoltPatternReverses(id, reverse1, reverse2, Mx_Access::Get) != Acad::eOk)
            return Acad::eInvalidInput;
        bool& flag = kind == VlObjectMap::kPatternReverseStart1 ? reverse1 : reverse2;
        if (!set) {
            value = flag ? L"1" : L"0";
            return Acad::eOk;
        }
        flag = value == L"1";
        return module.getSetBoltPatternReverses(id, reverse1, reverse2, Mx_Access::Set);
    }
    if (kind == VlObjectMap::kOwnedMemberName) {
        MacroProfData props;
        if (tab.getMergedPropsOfGroup(module.groupOrName(), props) != Acad::eOk) return Acad::eInvalidInput;
        if (!set) {
            value = props.ownedMemberName;
            return Acad::eOk;
        }
        props.ownedMemberName = value;
        return tab.setMergedPropsOfGroup(module.groupOrName(), props);
    }
    return Acad::eInvalidInput;
}

}  // namespace

Acad::ErrorStatus VlObjectMap::exchange(Mx_DbMacro* dbMacro, MacroData* macroData, Mx_String& value,
                                        AcTransaction* transaction, bool set) {
    if (!dbMacro) return Acad::eInvalidInput;
    Mx_Macro* macro = dbMacro->macroWrite(transaction);
    if (!macro) return Acad::eInvalidInput;

    if (isModuleKind(kind)) {
        Mx_StringArray modules;
        if (macro->getModNamesOfGroup(groupName, modules) != Acad::eOk) return Acad::eInvalidInput;
        // NOTE: every module of the group takes part, so a set reaches all of them; a get ends with the
        // value of the last module that had it.
        bool reached = false;
        for (const Mx_String& moduleName : modules) {
            Mx_Module* module = nullptr;
            if (macro->findModuleWrite(moduleName, module) != Acad::eOk || !module) continue;
            MacroTabData* tab = nullptr;
            if (!macroData || macroData->findTab(module->groupOrName(), tab) != Acad::eOk || !tab) continue;
            Mx_String moduleValue = value;
            if (exchangeWithModule(*this, *module, *tab, moduleValue, set) == Acad::eOk) {
                reached = true;
                if (!set) value = moduleValue;
            }
        }
        // A link that reaches nothing in the macro is a failure, so that the standards run can say which
        // variable it could not retrieve instead of computing with an empty value.
        return reached ? Acad::eOk : Acad::eInvalidInput;
    }

    if (kind == kGenVar) {
        if (set) return macro->setGenVarValue(objectName, value) == Acad::eOk ? Acad::eOk : Acad::eInvalidInput;
        Mx_String text;
        if (macro->getGenVarValue(objectName, text, 8) != Acad::eOk) return Acad::eInvalidInput;
        value = text;
        return Acad::eOk;
    }

    // The base-profile kinds describe the members the macro sits on and are read only.
    if (set) return Acad::eInvalidInput;
    Mx_String reference = objectName;
    Mx_String fieldText;
    const int separator = objectName.findFirstFrom(L';');
    if (kind == kMemberSectionSize) {
        if (separator < 0) return Acad::eInvalidInput;
        reference = objectName.getSubStringAt(0, separator);
        fieldText = objectName.getSubStringAt(separator + 1);
    } else if (!objectName.startsWith(L"Prof", false)) {
        return Acad::eInvalidInput;
    }
    int index = 0;
    if (!readIndex(reference, index)) return Acad::eInvalidInput;
    const MacroBaseProfile* profile = nullptr;
    Mx_String section;
    if (macro->getBaseProf(index, profile) != Acad::eOk || !profile) return Acad::eInvalidInput;
    if (kind == kPrPlMaterial) {
        // The material link gives the material; the section name would be a plainly wrong answer.
        if (profile->material.isEmpty()) return Acad::eInvalidInput;
        value = profile->material;
        return Acad::eOk;
    }
    if (profile->getSectionName(section) != Acad::eOk) return Acad::eInvalidInput;
    if (kind == kPrPlName) {
        value = section;
        return Acad::eOk;
    }
    int field = 0;
    if (!readIndex(fieldText, field)) return Acad::eInvalidInput;
    Mx_String fieldValue;
    if (gSectionTableManager.getSectionValue(section, field, fieldValue) != Acad::eOk) return Acad::eInvalidInput;
    value = fieldValue;
    return Acad::eOk;
}
