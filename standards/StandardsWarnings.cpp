#include "standards/StandardsWarnings.h"

#include "platform/mfc/CWnd.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/Mx_Settings.h"

bool showStandardsWarning(const Mx_String& text, CWnd* owner) {
    if (!gSettings.standardsWarnings()) return false;
    const UINT type = MB_OK | MB_ICONEXCLAMATION;
    if (owner && owner->GetSafeHwnd())
        owner->MessageBox(text.c_str(), nullptr, type);
    else
        AfxMessageBox(text.c_str(), type);
    return true;
}
