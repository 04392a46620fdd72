#include "platform/mfc/RegistryScope.h"

namespace ui {

RegistryScope::RegistryScope()
    : m_store(std::make_unique<RegistryStore>())
    , m_previous(RegistryStore::setCurrent(m_store.get()))
{
}

RegistryScope::RegistryScope(std::string filePath)
    : m_store(std::make_unique<RegistryStore>(std::move(filePath)))
    , m_previous(RegistryStore::setCurrent(m_store.get()))
{
}

RegistryScope::~RegistryScope()
{
    RegistryStore::setCurrent(m_previous);
}

}  // namespace ui
