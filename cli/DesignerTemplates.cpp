#include "cli/DesignerTemplates.h"

#include "designer/Mx_DlgDesignerData.h"
#include "platform/mxbase/ObjectExportFiles.h"

namespace connsheet {

bool templatePath(const std::string& name, Mx_String& path, std::string& problem) {
    const Mx_String root = getDesignerRootFolder();
    const Mx_String given(name);
    Mx_String below = given;
    // A path of a file inside the root: what lies below the root is the name.
    if (ObjectExportFileExists(given) && given.length() > root.length()) {
        Mx_String start = given.getSubStringAt(0, root.length());
        start.replaceSubString(L"/", L"\\");
        Mx_String rootWritten = root;
        rootWritten.replaceSubString(L"/", L"\\");
        if (start.equal(rootWritten, false))
            below = given.getSubStringAt(root.length());
    }
    if (below.endsWith(L".txt", false))
        below = below.getSubStringAt(0, below.length() - 4);
    if (!isSafeTemplateName(below)) {
        problem = name + ": names no template inside " + root.toUtf8();
        return false;
    }
    path = root;
    path += below;
    path += L".txt";
    return true;
}

}  // namespace connsheet
