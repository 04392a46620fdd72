// The designer's root folder and the names of the templates below it.
#include "designer/Mx_DlgDesignerData.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/ObjectExportFiles.h"
#include "platform/mxbase/StringFunctions.h"

Mx_String getDesignerRootFolder() {
    Mx_String root = gSettings.libDir();
    root += L"Dialog Templates\\Dialog Design\\";
    return root;
}

void getModuleImages(Mx_StringArray& names) {
    names.removeAll();
    const Mx_String root = getDesignerRootFolder();
    Mx_StringArray files;
    ObjectExportFindFilesRecursive(root, L"*.txt", files);
    for (int i = 0; i < files.length(); ++i) {
        Mx_String name = files[i].getSubStringAt(root.length());
        name = name.getSubStringAt(0, name.length() - 4);  // ".txt"
        names.append(name);
    }
    sortArray(names);
}

bool isSafeTemplateName(const Mx_String& name) {
    if (name.isEmpty())
        return false;
    const std::wstring& text = name.str();
    if (text.front() == L'\\' || text.front() == L'/' || (text.size() > 1 && text[1] == L':'))
        return false;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find_first_of(L"\\/", start);
        const std::wstring part =
            text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        if (part == L"..")
            return false;
        if (end == std::wstring::npos)
            break;
        start = end + 1;
    }
    return true;
}

bool GetImageDlgCtrlNames(const Mx_String& path, Mx_StringArray& names) {
    names.removeAll();
    Mx_DlgDesignerData data;
    if (!data.readFromFile(path, false))
        return false;
    data.getAllCtrlNames(names);
    return true;
}
