#include "platform/arx/AcRxHost.h"

#include <algorithm>

bool AcRxDynamicLinker::unlockApplication(void* application) {
    if (!isUnlocked(application))
        m_unlocked.push_back(application);
    return true;
}

bool AcRxDynamicLinker::registerAppMDIAware(void* application) {
    if (!isMDIAware(application))
        m_mdiAware.push_back(application);
    return true;
}

bool AcRxDynamicLinker::isUnlocked(void* application) const {
    return std::find(m_unlocked.begin(), m_unlocked.end(), application) != m_unlocked.end();
}

bool AcRxDynamicLinker::isMDIAware(void* application) const {
    return std::find(m_mdiAware.begin(), m_mdiAware.end(), application) != m_mdiAware.end();
}

bool AcEdCommandStack::removeGroup(const std::wstring& group) {
    auto it = std::find(m_groups.begin(), m_groups.end(), group);
    if (it == m_groups.end())
        return false;
    m_groups.erase(it);
    return true;
}

AcRxDynamicLinker* acrxDynamicLinkerObject() {
    static AcRxDynamicLinker linker;
    return &linker;
}

AcEdCommandStack* acedRegCmdsObject() {
    static AcEdCommandStack stack;
    return &stack;
}
