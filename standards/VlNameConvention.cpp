#include "standards/VlNameConvention.h"

#include "platform/mxbase/MacroTabData.h"
#include "platform/mxbase/Mx_Macro.h"
#include "platform/mxbase/Mx_Module.h"

namespace vlnames {

namespace {

struct Suffix {
    const wchar_t* text;
    int index;
};
constexpr Suffix kCutSuffixes[] = {
    {L".Cut", 0},        {L".CutPoly", 1},  {L".CutLength", 2}, {L".CutCenter", 3}, {L".CutInside", 4},
    {L".CutOutside", 5}, {L".Chamfer1", 6}, {L".Chamfer2", 7},  {L".CutRadius", 8},
};

// The object part of "Object.Suffix": the text before the last ".".
Mx_String objectOf(const Mx_String& name) {
    const int dot = name.findLastFrom(L'.');
    return dot < 0 ? Mx_String() : name.getSubStringAt(0, dot);
}

Acad::ErrorStatus exchangeOwnedMember(const Mx_Module& module, MacroTabData& tab, Mx_String& value, bool set) {
    MacroProfData props;
    if (tab.getMergedPropsOfGroup(module.groupOrName(), props) != Acad::eOk) return Acad::eInvalidInput;
    if (!set) {
        value = props.ownedMemberName;
        return Acad::eOk;
    }
    props.ownedMemberName = value;
    return tab.setMergedPropsOfGroup(module.groupOrName(), props) == Acad::eOk ? Acad::eOk : Acad::eInvalidInput;
}

Acad::ErrorStatus exchangeReverseStart(Mx_Module& module, const Mx_String& pattern, int direction,
                                       Mx_String& value, bool set) {
    int id = 0;
    bool reverse1 = false, reverse2 = false;
    if (!module.isBoltModule() || module.findPattern(pattern, id) != Acad::eOk ||
        module.getSetBoltPatternReverses(id, reverse1, reverse2, Mx_Access::Get) != Acad::eOk)
        return Acad::eInvalidInput;
    bool& flag = direction == 1 ? reverse1 : reverse2;
    if (!set) {
        value = flag ? L"1" : L"0";
        return Acad::eOk;
    }
    flag = value == L"1";  // only "1" switches the flag on
    return module.getSetBoltPatternReverses(id, reverse1, reverse2, Mx_Access::Set) == Acad::eOk
               ? Acad::eOk
               : Acad::eInvalidInput;
}

Acad::ErrorStatus exchangeBoltData(MacroTabData& tab, bool diameter, Mx_String& value, bool set) {
    MacroBoltData* bolts = nullptr;
    if (tab.getBoltData(bolts) != Acad::eOk || !bolts) return Acad::eInvalidInput;
    Mx_String& field = diameter ? bolts->diameter : bolts->holeOffset;
    if (set)
        field = value;
    else
        value = field;
    return Acad::eOk;
}

Acad::ErrorStatus ok(Acad::ErrorStatus status) { return status == Acad::eOk ? Acad::eOk : Acad::eInvalidInput; }

}  // namespace

Acad::ErrorStatus exchangeModuleVariable(Mx_Module& module, MacroTabData& tab, const Mx_String& variable,
                                         Mx_String& value, bool set) {
    bool fixed = true, linked = false;
    if (set && tab.getFlexFixBtnStatus(variable, fixed, linked) == Acad::eOk && (!fixed || linked))
        tab.flexFixBtnClicked(Mx_String(), variable, false);
    Mx_String text = value;
    if (module.getSetConstrVarValue(variable, text, set ? Mx_Access::Set : Mx_Access::Get) != Acad::eOk)
        return Acad::eInvalidInput;
    if (!set) value = text;
    return Acad::eOk;
}

Acad::ErrorStatus exchange(Mx_Macro& macro, Mx_Module& module, MacroTabData& tab, const Mx_String& name,
                           VlValueType type, Mx_String& value, bool set) {
    const bool numeric = isNumericValueType(type);
    const Mx_Access access = set ? Mx_Access::Set : Mx_Access::Get;
    const Mx_String object = objectOf(name);

    if (numeric && name.startsWith(L"gen.", false)) {
        const Mx_String genVar = Mx_String(L"gen_") + name.getSubStringAt(4);
        if (!macro.hasGenVar(genVar)) return Acad::eInvalidInput;
        if (set) return ok(macro.setGenVarValue(genVar, value));
        Mx_String text;
        if (macro.getGenVarValue(genVar, text, 4) != Acad::eOk) return Acad::eInvalidInput;
        value = text;
        return Acad::eOk;
    }
    if (type == kVlString && (name.endsWith(L".Name", false) || name.endsWith(L".Material", false))) {
        if (set) return Acad::eInvalidInput;
        Mx_String section, material;
        if (module.getNamedPrpl(object, section, material) != Acad::eOk) return Acad::eInvalidInput;
        value = name.endsWith(L".Name", false) ? section : material;
        return Acad::eOk;
    }
    if (numeric) {
        for (const Suffix& suffix : kCutSuffixes) {
            if (!name.endsWith(suffix.text, false)) continue;
            Mx_String text = value;
            if (module.getSetCutValue(object, static_cast<VlCutOffsetType>(suffix.index), text, access) != Acad::eOk)
                return Acad::eInvalidInput;
            value = text;
            return Acad::eOk;
        }
        if (name.endsWith(L".Diameter", false)) return exchangeBoltData(tab, true, value, set);
        if (name.endsWith(L".HoleOffset", false)) return exchangeBoltData(tab, false, value, set);
    }
    if (name.endsWith(L".NrBolts1", false) || name.endsWith(L".NrBolts2", false)) {
        Mx_String text = value;
        if (module.getSetNrBolts(object, name.endsWith(L"1", true) ? 1 : 2, text, access) != Acad::eOk)
            return Acad::eInvalidInput;
        value = text;
        return Acad::eOk;
    }
    if (numeric && name.endsWith(L".ReverseStart1", false)) return exchangeReverseStart(module, object, 1, value, set);
    if (numeric && name.endsWith(L".ReverseStart2", false)) return exchangeReverseStart(module, object, 2, value, set);
    if (type == kVlString && name.endsWith(L".MemberName", false)) return exchangeOwnedMember(module, tab, value, set);
    if (numeric) return exchangeModuleVariable(module, tab, name, value, set);
    return Acad::eInvalidInput;
}

}  // namespace vlnames
