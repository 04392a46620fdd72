#include "platform/mfc/GdiObject.h"

#include "platform/mfc/GdiObjects.h"

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ handle)
{
    if (m_hObject != nullptr || handle == nullptr)
        return FALSE;
    m_hObject = handle;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ handle = m_hObject;
    m_hObject = nullptr;
    return handle;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    const bool deleted = ui::gdi::deleteObject(m_hObject);
    m_hObject = nullptr;
    return deleted ? TRUE : FALSE;
}
