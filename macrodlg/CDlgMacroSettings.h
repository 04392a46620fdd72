#pragma once
// CDlgMacroSettings: the macro settings dialog of the macro editor (template 8141), six pages on the
// tab control 8097: angle filters, distance and size filters, filter properties, the macro's
// variables, its groups, and the standards mapping (CTabMacroMapping). It works on a copy of the
// settings; OK collects the pages into it (the mapping page's sheets and maps-to texts included).
#include <memory>

#include "platform/mfc/CAcUiDialog.h"
#include "platform/mxbase/MacroSettings.h"
#include "standards/TabMappingData.h"

class CMacroSettingsPage;
class CTabMacroMapping;
class Mx_DbMacro;
struct EditConstrData;

class CDlgMacroSettings : public CAcUiDialog {
public:
    enum : UINT { IDD = 8141 };
    enum : int { IDC_TABS = 8097 };
    static constexpr int kPages = 6;

    // `macro` (borrowed, may be null: the mapping page then shows nothing) is the edited macro.
    CDlgMacroSettings(const MacroSettings& settings, Mx_DbMacro* macro, CWnd* parent = nullptr);
    ~CDlgMacroSettings() override;

    const MacroSettings& settings() const { return settings_; }
    // Whether the mapping page changed the sheets or their maps-to texts (after OK).
    bool mappingModified() const { return mappingModified_; }
    void setStartPage(int index) { startPage_ = index; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnDestroy() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void showPage(int index);

    MacroSettings settings_;
    TabMappingData mapping_;
    std::unique_ptr<CMacroSettingsPage> pages_[kPages - 1];
    std::unique_ptr<CTabMacroMapping> mappingPage_;
    bool mappingModified_ = false;
    int startPage_ = 0;
};

// The editor's settings button: reads the settings of the edited macro, runs the dialog with the
// module's resources current, and writes them on OK only. IDOK or IDCANCEL (also when the settings
// cannot be read or written).
INT_PTR StartMacroSettings(EditConstrData& data, CWnd* owner);
// Makes StartMacroSettings the macro editor's settings runner (the module's initialisation calls it).
void installMacroSettingsDialog();
