#pragma once
// MFC's CGdiObject: owns one GDI handle and deletes it with itself.
#include "platform/mfc/Win32Types.h"

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    BOOL Attach(HGDIOBJ handle);
    HGDIOBJ Detach();
    // Deletes the object now; FALSE when there was none.
    BOOL DeleteObject();

    HGDIOBJ m_hObject = nullptr;
};
