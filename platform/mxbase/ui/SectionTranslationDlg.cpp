#include "platform/mxbase/ui/SectionTranslationDlg.h"

#include <string_view>

#include "platform/mfc/CDialog.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/SectionTranslation.h"
#include "platform/mxbase/StringFunctions.h"

namespace {

constexpr UINT kTemplate = 8901;
constexpr int kHeading = 1001;
constexpr int kPairs = 1002;

// The core's own template, kept with the code that shows it.
constexpr std::string_view kTemplateText = R"(
DIALOG 8901 0 0 220 180
  CAPTION ""
  STYLE WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME
  CONTROL Static     1001 ""              7   7 206  8
  CONTROL Edit       1002 ""              7  19 206 133 ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP
  CONTROL Button     IDOK "OK"            110 159 50 14 BS_DEFPUSHBUTTON | WS_TABSTOP
  CONTROL Button     IDCANCEL "Cancel"    163 159 50 14 WS_TABSTOP
END
)";

VlTempResourceOverride& coreResources() {
    static VlTempResourceOverride resources(
        ui::loadResourceModuleFromText("core-dialogs", kTemplateText).module);
    return resources;
}

class SectionTranslationDialog : public CDialog {
public:
    SectionTranslationDialog(const Mx_String& title, const Mx_String& columnTitle, Mx_StringArray& names,
                             Mx_StringArray& translated, const Mx_String& fileName)
        : CDialog(kTemplate),
          title_(title),
          columnTitle_(columnTitle),
          names_(names),
          translated_(translated),
          fileName_(fileName) {}

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        SetWindowText(title_.c_str());
        SetDlgItemText(kHeading, (L"Section name = " + columnTitle_).c_str());
        SetDlgItemText(kPairs, sectionTranslationText(names_, translated_).c_str());
        return TRUE;
    }
    void OnOK() override {
        CString text;
        GetDlgItemText(kPairs, text);
        Mx_StringArray names, translated;
        parseSectionTranslationText(Mx_String(text.str()), names, translated);
        std::string error;
        if (!saveSectionTranslation(fileName_, names, translated, &error)) {
            MessageBox(Mx_String(error).c_str(), title_.c_str(), MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        names_ = names;
        translated_ = translated;
        CDialog::OnOK();
    }

private:
    Mx_String title_, columnTitle_;
    Mx_StringArray& names_;
    Mx_StringArray& translated_;
    Mx_String fileName_;
};

}  // namespace

Mx_String sectionTranslationText(const Mx_StringArray& names, const Mx_StringArray& translated) {
    Mx_String text;
    for (int i = 0; i < names.length(); ++i) {
        text += names[i] + L" = " + (i < translated.length() ? translated[i] : Mx_String());
        text += L"\r\n";
    }
    return text;
}

void parseSectionTranslationText(const Mx_String& text, Mx_StringArray& names, Mx_StringArray& translated) {
    names.removeAll();
    translated.removeAll();
    Mx_String lines = text;
    lines.replaceSubString(L"\r", L"");
    Mx_StringArray pieces;
    splitStringAtSymbol(lines, L'\n', pieces, true);
    for (const Mx_String& line : pieces) {
        const int equals = line.findFirstFrom(L'=');
        const Mx_String name = stripSymbols(equals < 0 ? line : line.getSubStringAt(0, equals), L" \t");
        if (name.isEmpty() || name[0] == L'#')
            continue;  // as in the file, "#" starts a comment
        names.append(name);
        translated.append(equals < 0 ? Mx_String() : stripSymbols(line.getSubStringAt(equals + 1), L" \t"));
    }
}

bool writeSectionTranslation(const Mx_String& title, const Mx_String& columnTitle, Mx_StringArray& names,
                             Mx_StringArray& translated, const Mx_String& fileName) {
    VlTempResourceOverride::Scope resources(coreResources());
    SectionTranslationDialog dialog(title, columnTitle, names, translated, fileName);
    return dialog.DoModal() == IDOK;
}
