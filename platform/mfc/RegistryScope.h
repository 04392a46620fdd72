#pragma once
// Installs a fresh in-memory registry for its lifetime and restores the previous one on every way out:
//     ui::RegistryScope registry;
//     registry.store().setMachineValue(L"Software\\Vorlane\\Spreadsheet Editor v1.0", L"Language",
//                                      ui::RegistryValue::string(L"NL"));
// A scope may also be given a file path, to test persistence.
#include <memory>
#include <string>

#include "platform/mfc/RegistryStore.h"

namespace ui {

class RegistryScope {
public:
    RegistryScope();
    explicit RegistryScope(std::string filePath);
    ~RegistryScope();
    RegistryScope(const RegistryScope&) = delete;
    RegistryScope& operator=(const RegistryScope&) = delete;

    RegistryStore& store() { return *m_store; }

private:
    std::unique_ptr<RegistryStore> m_store;
    RegistryStore* m_previous;
};

}  // namespace ui
