#include "cli/MacroFileWriter.h"

#include "cli/JsonLayout.h"
#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroJson.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/Mx_Macro.h"

namespace connsheet {

namespace {

bool readsBackAs(const std::string& text, const Mx_Macro& content, Mx_String& problem) {
    Mx_Macro check;
    MacroData checkTabs;
    return macrojson::read(text, check, &checkTabs, problem) && check == content;
}

}  // namespace

bool writeMacroKeepingLayout(const std::string& path, const std::string& source, const Mx_DbMacro& macro,
                             const MacroData& data, Mx_String& error) {
    const Mx_Macro& content = *macro.macroRead();
    const std::string canonical = macrojson::write(content, &data);
    // A file this program could not read back (a value that is not a finite number, a text with a
    // control character) is never written: refusing here keeps the old file intact.
    Mx_String problem;
    if (!readsBackAs(canonical, content, problem)) {
        error = Mx_String(path) + L": the macro cannot be stored: " + problem;
        return false;
    }
    std::string text = canonical;
    if (!source.empty()) {
        std::string ignored;
        if (const auto original = fsys::readBytes(fsys::resolve(Mx_String(source).view()), &ignored)) {
            const std::string kept = keepJsonLayout(*original, canonical);
            if (kept != canonical && readsBackAs(kept, content, problem))
                text = kept;
        }
    }
    std::string failure;
    if (!fsys::writeAtomic(fsys::resolve(Mx_String(path).view()), text, &failure)) {
        error = Mx_String(failure);
        return false;
    }
    return true;
}

}  // namespace connsheet
