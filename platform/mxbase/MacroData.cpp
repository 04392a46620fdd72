#include "platform/mxbase/MacroData.h"

Acad::ErrorStatus MacroData::addTab(const MacroTabData& tab) {
    if (tab.name.isEmpty())
        return Acad::eInvalidInput;
    const MacroTabData* existing = nullptr;
    if (findTab(tab.name, existing) == Acad::eOk)
        return Acad::eDuplicateKey;
    tabs_.append(tab);
    return Acad::eOk;
}

Acad::ErrorStatus MacroData::findTab(const Mx_String& name, MacroTabData*& tab) {
    for (MacroTabData& candidate : tabs_) {
        if (candidate.name.equal(name, false)) {
            tab = &candidate;
            return Acad::eOk;
        }
    }
    tab = nullptr;
    return Acad::eKeyNotFound;
}

Acad::ErrorStatus MacroData::findTab(const Mx_String& name, const MacroTabData*& tab) const {
    MacroTabData* found = nullptr;
    Acad::ErrorStatus status = const_cast<MacroData*>(this)->findTab(name, found);
    tab = found;
    return status;
}

const MacroTabData* MacroData::findTabOfModule(const Mx_String& moduleName) const {
    for (const MacroTabData& tab : tabs_) {
        if (tab.moduleName.equal(moduleName, false))
            return &tab;
    }
    return nullptr;
}

Acad::ErrorStatus MacroData::getMergedPropsOfGroup(const Mx_String& moduleName, const Mx_String& group,
                                                   MacroProfData& props) const {
    const MacroTabData* tab = findTabOfModule(moduleName);
    if (tab == nullptr)
        return Acad::eKeyNotFound;
    return tab->getMergedPropsOfGroup(group, props);
}

Acad::ErrorStatus MacroData::setMergedPropsOfGroup(const Mx_String& moduleName, const Mx_String& group,
                                                   const MacroProfData& props) {
    MacroTabData* tab = const_cast<MacroTabData*>(findTabOfModule(moduleName));
    if (tab == nullptr)
        return Acad::eKeyNotFound;
    return tab->setMergedPropsOfGroup(group, props);
}
