#pragma once
// The host's side of a module's life: the messages its entry point receives, the dynamic linker that
// loads and unloads it, and the command stack that holds its command groups. Recorded, so tests and
// the command see what the module asked of the host.
#include <string>
#include <vector>

namespace AcRx {
enum AppMsgCode {
    kNullMsg = 0,
    kInitAppMsg = 1,
    kUnloadAppMsg = 2,
    kLoadDwgMsg = 3,
    kUnloadDwgMsg = 4,
    kInvkSubrMsg = 5,
    kCfgMsg = 6,
    kEndMsg = 7,
    kQuitMsg = 8,
    kSaveMsg = 9,
    kDependencyMsg = 10,
    kNoDependencyMsg = 11,
    kOleUnloadAppMsg = 12,
    kPreQuitMsg = 13,
    kInitDialogMsg = 14,
    kEndDialogMsg = 15,
    kSuspendMsg = 16,
};
enum AppRetCode { kRetOK = 0, kRetError = 3 };
}  // namespace AcRx

class AcRxDynamicLinker {
public:
    // The application may be unloaded at any time.
    bool unlockApplication(void* application);
    // The application copes with several open documents.
    bool registerAppMDIAware(void* application);
    bool isUnlocked(void* application) const;
    bool isMDIAware(void* application) const;

private:
    std::vector<void*> m_unlocked;
    std::vector<void*> m_mdiAware;
};

class AcEdCommandStack {
public:
    void addGroup(const std::wstring& group) { m_groups.push_back(group); }
    // False when no such group is registered.
    bool removeGroup(const std::wstring& group);
    const std::vector<std::wstring>& groups() const { return m_groups; }

private:
    std::vector<std::wstring> m_groups;
};

AcRxDynamicLinker* acrxDynamicLinkerObject();
AcEdCommandStack* acedRegCmdsObject();
#define acrxDynamicLinker (acrxDynamicLinkerObject())
#define acedRegCmds (acedRegCmdsObject())
