#include "platform/mxbase/Mx_Macro.h"

#include "platform/mxbase/NumberFunctions.h"

int Mx_Macro::findModuleIndex(const Mx_String& name) const {
    for (int i = 0; i < modules_.length(); ++i) {
        if (modules_[i].name().equal(name, false))
            return i;
    }
    return -1;
}

int Mx_Macro::findGenVar(const Mx_String& name) const {
    for (int i = 0; i < genVars_.length(); ++i) {
        if (genVars_[i].name.equal(name, false))
            return i;
    }
    return -1;
}

Acad::ErrorStatus Mx_Macro::addModule(const Mx_Module& module) {
    if (module.name().isEmpty())
        return Acad::eInvalidInput;
    if (findModuleIndex(module.name()) >= 0)
        return Acad::eDuplicateKey;
    modules_.append(module);
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Macro::getModuleNames(Mx_StringArray& names) const {
    names.removeAll();
    for (const Mx_Module& module : modules_)
        names.append(module.name());
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Macro::getModNamesOfGroup(const Mx_String& group, Mx_StringArray& names) const {
    names.removeAll();
    for (const Mx_Module& module : modules_) {
        if (module.groupOrName().equal(group, false))
            names.append(module.name());
    }
    return names.isEmpty() ? Acad::eKeyNotFound : Acad::eOk;
}

Acad::ErrorStatus Mx_Macro::getGroupNames(Mx_StringArray& groups) const {
    groups.removeAll();
    for (const Mx_Module& module : modules_) {
        if (!groups.contains(module.groupOrName(), false))
            groups.append(module.groupOrName());
    }
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Macro::findModule(const Mx_String& name, const Mx_Module*& module) const {
    module = modules_.at(findModuleIndex(name));
    return module == nullptr ? Acad::eKeyNotFound : Acad::eOk;
}

Acad::ErrorStatus Mx_Macro::findModuleWrite(const Mx_String& name, Mx_Module*& module) {
    module = modules_.at(findModuleIndex(name));
    return module == nullptr ? Acad::eKeyNotFound : Acad::eOk;
}

Acad::ErrorStatus Mx_Macro::addGenVar(const MacroGeneralVariable& variable) {
    if (!MacroGeneralVariable::isValidName(variable.name))
        return Acad::eInvalidInput;
    if (findGenVar(variable.name) >= 0)
        return Acad::eDuplicateKey;
    genVars_.append(variable);
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Macro::getGenVarNames(Mx_StringArray& names) const {
    names.removeAll();
    for (const MacroGeneralVariable& variable : genVars_)
        names.append(variable.name);
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Macro::getGenVarValue(const Mx_String& name, double& value) const {
    int index = findGenVar(name);
    if (index < 0)
        return Acad::eKeyNotFound;
    value = genVars_[index].value;
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Macro::getGenVarValue(const Mx_String& name, Mx_String& value, int decimals) const {
    double number = 0.0;
    Acad::ErrorStatus status = getGenVarValue(name, number);
    if (status != Acad::eOk)
        return status;
    value = formatNumber(number, decimals);
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Macro::setGenVarValue(const Mx_String& name, double value) {
    int index = findGenVar(name);
    if (index < 0)
        return Acad::eKeyNotFound;
    genVars_[index].value = value;
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Macro::setGenVarValue(const Mx_String& name, const Mx_String& value) {
    int index = findGenVar(name);
    if (index < 0)
        return Acad::eKeyNotFound;
    double number = 0.0;
    if (!parseNumber(value.view(), number))
        return Acad::eInvalidInput;
    genVars_[index].value = number;
    return Acad::eOk;
}

Acad::ErrorStatus Mx_Macro::getBaseProf(int index, const MacroBaseProfile*& profile) const {
    profile = baseProfs_.at(index);
    return profile == nullptr ? Acad::eInvalidIndex : Acad::eOk;
}

Acad::ErrorStatus Mx_Macro::getBaseProfWrite(int index, MacroBaseProfile*& profile) {
    profile = baseProfs_.at(index);
    return profile == nullptr ? Acad::eInvalidIndex : Acad::eOk;
}

Acad::ErrorStatus Mx_Macro::removeModule(const Mx_String& name) {
    const int index = findModuleIndex(name);
    if (index < 0)
        return Acad::eKeyNotFound;
    modules_.removeAt(index);
    return Acad::eOk;
}
