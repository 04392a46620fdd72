#pragma once
// The module's own resource module (the templates of res/module/, compiled into the library) and the
// one VlTempResourceOverride that makes it current while the module shows a dialog:
//
//     VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
//     CDlgSomething dlg(parent);
//     dlg.DoModal();
//
// The resource module is registered on first use and stays loaded for the life of the process, as the
// module's resources do for the life of the loaded module.
#include <string>

#include "platform/mfc/Win32Types.h"

class VlTempResourceOverride;

class ModuleResources {
public:
    ModuleResources() = delete;

    // The module's resource handle. Each resource is read from the embedded texts when first looked
    // up; one whose lines are wrong is not found. loadError() reads every text and says what is wrong,
    // as "file:line: problem" (empty when nothing is).
    static HINSTANCE handle();
    static const std::wstring& loadError();

    // The module-wide override whose default resource is handle().
    static VlTempResourceOverride& resourceOverride();
};
