#include "standards/StartDlgGenVars.h"

#include "module/ModuleResources.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "standards/CDlgGenVars.h"

bool StartDlgGenVars(VlAutoStandardsData& data) {
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    CDlgGenVars dialog(nullptr);
    dialog.data = data;
    if (dialog.DoModal() != IDOK)
        return false;
    data = dialog.data;
    return true;
}
