#include "module/ModuleResources.h"

#include "platform/arx/Embedded.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/VlTempResourceOverride.h"

namespace embedded {
std::span<const File> moduleResources();
}

namespace {

struct Loaded {
    HINSTANCE module = nullptr;
    std::wstring error;
};

const Loaded& loaded() {
    static const Loaded resources = [] {
        ui::ModuleLoad load = ui::loadResourceModule("res/module", embedded::moduleResources());
        return Loaded{load.module, load.error};
    }();
    return resources;
}

}  // namespace

HINSTANCE ModuleResources::handle() { return loaded().module; }

const std::wstring& ModuleResources::loadError() { return loaded().error; }

VlTempResourceOverride& ModuleResources::resourceOverride() {
    // A function-local object, so that entry points called while other globals are still being built
    // find it ready.
    static VlTempResourceOverride resourceOverride(handle());
    return resourceOverride;
}
