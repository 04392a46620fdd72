#include "module/ModuleResources.h"

#include "platform/arx/Embedded.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/VlTempResourceOverride.h"

namespace embedded {
std::span<const File> moduleResources();
}

namespace {

// Read on demand: a run shows no dialog and needs one hidden template of the module, not all of them.
HINSTANCE loaded() {
    static const HINSTANCE module = ui::loadResourceModuleOnDemand("res/module", embedded::moduleResources());
    return module;
}

}  // namespace

HINSTANCE ModuleResources::handle() {
    return loaded();
}

const std::wstring& ModuleResources::loadError() {
    // Every line of every text, read once more as a whole, so that a mistake in a template nobody
    // looked up yet is reported too.
    static const std::wstring error = [] {
        ui::ResourceModule check("res/module");
        std::wstring problem;
        for (const embedded::File& f : embedded::moduleResources()) {
            const std::string_view name(f.name);
            if (name.size() >= 3 && name.substr(name.size() - 3) == ".rc" &&
                !check.addText(f.text(), name, embedded::moduleResources(), &problem))
                break;
        }
        return problem;
    }();
    return error;
}

VlTempResourceOverride& ModuleResources::resourceOverride() {
    // A function-local object, so that entry points called while other globals are still being built
    // find it ready.
    static VlTempResourceOverride resourceOverride(handle());
    return resourceOverride;
}
