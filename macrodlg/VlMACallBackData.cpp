#include "macrodlg/VlMACallBackData.h"

#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroDrawing.h"

VlMACallBackData::VlMACallBackData(const VlMACallBackData& other)
    : groupName(other.groupName),
      openedForGroup(other.openedForGroup),
      ownerWindow(other.ownerWindow),
      moduleName(other.moduleName),
      objectIds(other.objectIds) {}

VlMACallBackData& VlMACallBackData::operator=(const VlMACallBackData& other) {
    if (this != &other) {
        groupName = other.groupName;
        openedForGroup = other.openedForGroup;
        ownerWindow = other.ownerWindow;
        moduleName = other.moduleName;
        objectIds = other.objectIds;
    }
    return *this;
}

VlMACallBackData::~VlMACallBackData() {
    delete m_macro;
}

void VlMACallBackData::initDataClass(const MacroData& macro) {
    if (m_macro == nullptr)
        m_macro = new MacroData(macro);
}

bool standAloneProfAdvCallback(VlMACallBackType type, const VlMACallBackData& data, MacroProfData& prof) {
    MacroData* macro = data.macroCopy();
    if (macro == nullptr)
        return false;
    switch (type) {
        case MACallBackGet:
            macro->getMergedPropsOfGroup(data.moduleName, data.groupName, prof);
            return true;
        case MACallBackSet:
            macro->setMergedPropsOfGroup(data.moduleName, data.groupName, prof);
            UpdateModule(data.moduleName, *macro, AcArray<int>(), AcArray<int>());
            macro->getMergedPropsOfGroup(data.moduleName, data.groupName, prof);
            return true;
        case MACallBackHideOwner:
        case MACallBackShowOwner:
            return true;
    }
    return true;
}
