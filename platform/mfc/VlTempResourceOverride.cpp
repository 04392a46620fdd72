#include "platform/mfc/VlTempResourceOverride.h"

#include "platform/mfc/Resources.h"

bool VlTempResourceOverride::SetDefaultResource() {
    if (!m_default) return false;
    HINSTANCE current = AfxGetResourceHandle();
    if (current == m_default) return false;
    m_previous.push_back(current);
    AfxSetResourceHandle(m_default);
    return true;
}

void VlTempResourceOverride::RestoreResource() {
    if (m_previous.empty()) return;
    AfxSetResourceHandle(m_previous.back());
    m_previous.pop_back();
}
