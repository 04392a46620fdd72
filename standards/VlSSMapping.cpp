#include "standards/VlSSMapping.h"

#include <string>
#include <unordered_map>

#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/Mx_SectionTableManager.h"
#include "standards/VlDlgStandardsData.h"
#include "standards/VlNameConvention.h"
#include "standards/VlWholeWord.h"

Acad::ErrorStatus VlSSMapping::initFromMacro(VlDlgStandardsData& data) {
    if (!data.macro || !data.moduleGroup.isEmpty()) return Acad::eInvalidInput;
    type = kMappingFile;
    return getMappingFromFile(data.standardsFile, data.mapsTo);
}

Acad::ErrorStatus VlSSMapping::initFromModuleGroup(Mx_String group) {
    if (group.isEmpty()) return Acad::eInvalidInput;
    type = kModuleGroup;
    return Acad::eOk;
}

bool VlSSMapping::isEqual(const VlSSMapping& other) const {
    for (const VlObjectMap& link : mappedObjects_) {
        VlValueType valueType = kVlString;
        int index = -1;
        if (!link.valueType(valueType) || other.findSSVar(link.ssVarName, valueType, index) != Acad::eOk ||
            link.isCompatible(other.mappedObjects_[index]) != Acad::eOk)
            return false;
    }
    return true;
}

namespace {

// The index key of a link: its spreadsheet name folded, and the value type its kind carries.
std::wstring nameKey(const Mx_String& name, VlValueType type) {
    std::wstring key = VlWholeWord::folded(name);
    key += L'\0';
    key += static_cast<wchar_t>(L'0' + type);
    return key;
}

// Below this many links a search through them is as quick as the index.
constexpr int kIndexFrom = 32;

}  // namespace

struct VlSSMapping::NameIndex::Entries {
    std::unordered_map<std::wstring, int> first;  // key -> the first link of that key
};

VlSSMapping::NameIndex::NameIndex(VlSSMapping& mapping) : mapping_(mapping), previous_(mapping.nameIndex_) {
    const Mx_Array<VlObjectMap>& links = mapping.mappedObjects_;
    if (links.length() < kIndexFrom) return;
    entries_ = std::make_unique<Entries>();
    entries_->first.reserve(static_cast<std::size_t>(links.length()));
    for (int i = 0; i < links.length(); ++i) {
        VlValueType carried = kVlString;
        if (links[i].valueType(carried)) entries_->first.emplace(nameKey(links[i].ssVarName, carried), i);
    }
    mapping.nameIndex_ = this;
}

VlSSMapping::NameIndex::~NameIndex() {
    if (mapping_.nameIndex_ == this) mapping_.nameIndex_ = previous_;
}

Acad::ErrorStatus VlSSMapping::findSSVar(const Mx_String& name, const VlValueType& valueType, int& index) const {
    if (nameIndex_) {
        const auto& first = nameIndex_->entries_->first;
        const auto found = first.find(nameKey(name, valueType));
        if (found == first.end()) return Acad::eInvalidInput;
        index = found->second;
        return Acad::eOk;
    }
    for (int i = 0; i < mappedObjects_.length(); ++i) {
        const VlObjectMap& link = mappedObjects_[i];
        VlValueType carried = kVlString;
        if (link.valueType(carried) && carried == valueType && link.ssVarName.equal(name, false)) {
            index = i;
            return Acad::eOk;
        }
    }
    return Acad::eInvalidInput;
}

Acad::ErrorStatus VlSSMapping::findCompatible(const VlObjectMap& map, int& index) const {
    for (int i = 0; i < mappedObjects_.length(); ++i) {
        if (mappedObjects_[i].isCompatible(map) == Acad::eOk) {
            index = i;
            return Acad::eOk;
        }
    }
    return Acad::eInvalidInput;
}

Acad::ErrorStatus VlSSMapping::isCompatible(const VlSSMapping& other, int& count) const {
    count = 0;
    for (const VlObjectMap& link : mappedObjects_) {
        int index = -1;
        if (other.findCompatible(link, index) != Acad::eOk) ++count;
    }
    return Acad::eOk;
}

Acad::ErrorStatus VlSSMapping::getValidVars(const bool&, const VlValueType& valueType, AcArray<int>& indices) const {
    indices.setLogicalLength(0);
    const bool numeric = isNumericValueType(valueType);
    for (int i = 0; i < mappedObjects_.length(); ++i) {
        VlValueType carried = kVlString;
        if (mappedObjects_[i].valueType(carried) && isNumericValueType(carried) == numeric) indices.append(i);
    }
    return Acad::eOk;
}

Acad::ErrorStatus VlSSMapping::sortValidVars(AcArray<int>& indices, const AcArray<int>& order) const {
    if (order.isEmpty()) return Acad::eInvalidInput;
    // The group of a link is the position of its class in `order`; unknown classes (and indices that
    // point at no link) come last. Within a group the given order stays.
    auto groupOf = [&](int index) {
        const VlObjectMap* link = mappedObjects_.at(index);
        const int position = link ? order.find(link->varClass) : -1;
        return position < 0 ? order.length() : position;
    };
    AcArray<int> sorted;
    for (int group = 0; group <= order.length(); ++group)
        for (int i = 0; i < indices.length(); ++i)
            if (groupOf(indices[i]) == group) sorted.append(indices[i]);
    indices = sorted;
    return Acad::eOk;
}

Acad::ErrorStatus VlSSMapping::getMacroVarValue(const Mx_String& name, const VlValueType& valueType,
                                                Mx_String& value, VlDlgStandardsData& data) {
    return exchange(name, valueType, value, data, false);
}

Acad::ErrorStatus VlSSMapping::setMacroVarValue(const Mx_String& name, const VlValueType& valueType,
                                                Mx_String& value, VlDlgStandardsData& data) {
    return exchange(name, valueType, value, data, true);
}

Acad::ErrorStatus VlSSMapping::exchange(const Mx_String& name, const VlValueType& valueType, Mx_String& value,
                                        VlDlgStandardsData& data, bool set) {
    if (!data.macro) return Acad::eInvalidInput;
    Mx_Macro* macro = data.macro->macroWrite(data.transaction);
    if (!macro) return Acad::eInvalidInput;

    bool reachedByName = false;
    if (type == kModuleGroup) {
        Mx_StringArray modules;
        macro->getModNamesOfGroup(data.moduleGroup, modules);
        for (const Mx_String& moduleName : modules) {
            Mx_Module* module = nullptr;
            MacroTabData* tab = nullptr;
            if (macro->findModuleWrite(moduleName, module) != Acad::eOk || !module) continue;
            // The module's page data is the tab named after its group (its own name without group).
            if (!data.macroData || data.macroData->findTab(module->groupOrName(), tab) != Acad::eOk || !tab) continue;
            Mx_String moduleValue = value;
            if (vlnames::exchange(*macro, *module, *tab, name, valueType, moduleValue, set) != Acad::eOk) continue;
            if (!set) {
                value = moduleValue;
                return Acad::eOk;
            }
            reachedByName = true;  // a set reaches every module of the group
        }
        if (!set) return Acad::eInvalidInput;
    }

    int index = -1;
    if (findSSVar(name, valueType, index) != Acad::eOk) return reachedByName ? Acad::eOk : Acad::eInvalidInput;
    VlObjectMap& link = mappedObjects_[index];
    const Acad::ErrorStatus status = set ? link.setMacroVarValue(data.macro, data.macroData, value, data.transaction)
                                         : link.getMacroVarValue(data.macro, data.macroData, value, data.transaction);
    return status == Acad::eOk || reachedByName ? Acad::eOk : Acad::eInvalidInput;
}

// ---- every linkable object of a macro

namespace {

int varClassOf(bool first, bool second) {
    if (first && second) return 0;
    if (first) return 1;
    if (second) return 2;
    return 3;
}

}  // namespace

Acad::ErrorStatus VlSSMapping::initAllVarsFromMacro(Mx_DbMacro* dbMacro, AcTransaction* transaction) {
    if (!dbMacro) return Acad::eInvalidInput;
    const Mx_Macro* macro = dbMacro->macroRead(transaction);
    if (!macro) return Acad::eInvalidInput;
    mappedObjects_.setLogicalLength(0);

    Mx_StringArray moduleNames;
    macro->getModuleNames(moduleNames);
    for (const Mx_String& moduleName : moduleNames) {
        const Mx_Module* module = nullptr;
        if (macro->findModule(moduleName, module) != Acad::eOk || !module) continue;
        const Mx_String group = module->groupOrName();
        addAllVariables(*module, group);
        addAllCuts(*module, group);
        if (module->isBoltModule()) addAllPatterns(*module, group);
        if (module->isProfileModule()) addAllProfPlacements(*module, group);
    }
    addAllBaseProfs(*macro);
    addAllGenVars(*macro);
    return Acad::eOk;
}

void VlSSMapping::addLink(const Mx_String& group, const Mx_String& object, int kind, int varClass,
                          const Mx_String& extra) {
    mappedObjects_.append(VlObjectMap(group, object, Mx_String(), kind, varClass, extra));
}

void VlSSMapping::addAllVariables(const Mx_Module& module, const Mx_String& group) {
    Mx_StringArray names;
    AcArray<int> first, second;
    if (module.getDialogVariables(names, first, second) != Acad::eOk) return;
    for (int i = 0; i < names.length(); ++i) {
        const bool flag1 = i < first.length() && first[i] != 0;
        const bool flag2 = i < second.length() && second[i] != 0;
        addLink(group, names[i], VlObjectMap::kDistance, varClassOf(flag1, flag2));
    }
}

void VlSSMapping::addAllCuts(const Mx_Module& module, const Mx_String& group) {
    Mx_StringArray cuts;
    if (module.getCutConstraints(cuts) != Acad::eOk) return;
    for (const Mx_String& cut : cuts) {
        AcArray<int> offsets;
        if (module.getCutOffsets(cut, offsets) != Acad::eOk) continue;
        for (int i = 0; i < offsets.length(); ++i)
            if (isValidCutOffsetType(offsets[i])) addLink(group, cut, VlObjectMap::kCutOffset + offsets[i], 0);
    }
}

void VlSSMapping::addAllPatterns(const Mx_Module& module, const Mx_String& group) {
    addLink(group, Mx_String(), VlObjectMap::kBoltsDiameter, 0);
    addLink(group, Mx_String(), VlObjectMap::kBoltsHoleOffset, 0);
    AcArray<int> ids;
    if (module.getPatternIds(ids) != Acad::eOk) return;
    for (int i = 0; i < ids.length(); ++i) {
        const MacroBoltPattern* pattern = nullptr;
        if (module.getPattern(ids[i], pattern) != Acad::eOk || !pattern) continue;
        addLink(group, pattern->name, VlObjectMap::kPatternNrBolts1, 0);
        addLink(group, pattern->name, VlObjectMap::kPatternReverseStart1, 0);
        if (pattern->twoDirections) {
            addLink(group, pattern->name, VlObjectMap::kPatternNrBolts2, 0);
            addLink(group, pattern->name, VlObjectMap::kPatternReverseStart2, 0);
        }
    }
}

void VlSSMapping::addAllProfPlacements(const Mx_Module& module, const Mx_String& group) {
    Mx_StringArray names;
    if (module.getProfileNames(names) != Acad::eOk) return;
    for (const Mx_String& name : names)
        if (!name.isEmpty()) addLink(group, name, VlObjectMap::kOwnedMemberName, 0);
}

void VlSSMapping::addAllBaseProfs(const Mx_Macro& macro) {
    for (int n = 0; n < macro.numBaseProfs(); ++n) {
        const Mx_String object = Mx_String(L"Prof") + Mx_String(n);
        addLink(Mx_String(), object, VlObjectMap::kPrPlName, 0);
        addLink(Mx_String(), object, VlObjectMap::kPrPlMaterial, 0);
        const MacroBaseProfile* profile = nullptr;
        Mx_String section;
        Mx_StringArray columns;
        if (macro.getBaseProf(n, profile) != Acad::eOk || !profile || profile->getSectionName(section) != Acad::eOk ||
            gSectionTableManager.getSectionColumnNames(section, columns) != Acad::eOk)
            continue;
        for (int m = 0; m < columns.length(); ++m)
            addLink(Mx_String(), object + L";" + Mx_String(m), VlObjectMap::kMemberSectionSize, 0, columns[m]);
    }
}

void VlSSMapping::addAllGenVars(const Mx_Macro& macro) {
    Mx_StringArray names;
    if (macro.getGenVarNames(names) != Acad::eOk) return;
    for (const Mx_String& name : names) addLink(Mx_String(), name, VlObjectMap::kGenVar, 0);
}
