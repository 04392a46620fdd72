#pragma once
// What every entry point of these dialogs does: the module's resources current for the call (on every
// way out, exceptions included), the dialog run modally without parent on a copy of the caller's data,
// and the copy handed back only on OK.
#include "module/ModuleResources.h"
#include "platform/mfc/VlTempResourceOverride.h"

template <class Dialog, class Data>
bool runOnCopy(Data& data) {
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    Dialog dialog(nullptr);
    dialog.data = data;
    if (dialog.DoModal() != IDOK)
        return false;
    data = dialog.data;
    return true;
}
