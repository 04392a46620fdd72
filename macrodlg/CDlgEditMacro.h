#pragma once
// CDlgEditMacro: the macro editor (template 8715), in which a macro author builds a parametric macro:
// its modules, the constraints between their geometry, the geometry itself, the variables and
// equations, and the macro commands that add constraints and objects in the drawing. Four pages on the
// tab control 8097; the module combo chooses the module they show.
//
// The editor keeps no copy of the macro: every change goes to the core library at once (EditConstrCalls.h),
// which changes the macro in the drawing, so nothing is handed back to the caller. It runs modally
// (StartDlgEditConstrModal: OK or Cancel ends it) or as the one modeless editor (StartDlgEditConstraints),
// which closes itself through EndDlgEditConstraints.
#include <array>
#include <memory>

#include "platform/mfc/ButtonST.h"
#include "platform/mfc/CAcUiDialog.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/TabCtrl.h"
#include "platform/mxbase/EditConstrData.h"
#include "platform/mxbase/ui/CResizer.h"

class CEditMacroPage;

class CDlgEditMacro : public CAcUiDialog {
public:
    enum : UINT { IDD = 8715 };
    enum : int {
        IDC_SELECT_OTHER = 1079,
        IDC_ADD_MODULE = 1090,
        IDC_REMOVE_MODULE = 1089,
        IDC_ZOOM = 1320,
        IDC_MODULES = 1088,
        IDC_MODULE_LABEL = 1091,
        IDC_RENAME = 1183,
        IDC_SETTINGS = 1137,
        IDC_TABS = 8097,
    };
    enum Page : int { kConstraintsPage = 0, kGeometryPage = 1, kVariablesPage = 2, kCommandsPage = 3 };
    // The macro command of the add-module button (and of the commands page's button 1035).
    static constexpr int kAddModuleCommand = 11;

    explicit CDlgEditMacro(CWnd* parent = nullptr);
    ~CDlgEditMacro() override;

    EditConstrData& data() { return data_; }
    const EditConstrData& data() const { return data_; }
    void setData(const EditConstrData& data) { data_ = data; }
    bool isModeless() const { return data_.modeless; }
    void setModeless(bool modeless) { data_.modeless = modeless; }
    // True while the modeless editor closes itself from one of its handlers: it must outlive them.
    bool isClosingItself() const { return closingItself_; }
    int currentPage() const { return currentPage_; }

    // Runs a macro command (0-13) in the drawing, as its buttons do, and shows what it changed.
    void runMacroCommand(int code);
    // Refills the module combo (keeping the module when it is still there) and every page.
    void refill();

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnOK() override;
    void OnCancel() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;

private:
    void setUpButtons();
    void buildPages();
    void fitPages();
    void showPage(int index);
    // Lists the macro's modules and selects the one at `index` (clamped; -1 for none), which becomes
    // the data's module; the pages are not refilled.
    void fillModules(int index);
    void reloadPages();
    void moduleChosen();
    void selectOtherMacro();
    void removeModule();
    void renameModule();
    void zoom();
    void macroSettings();
    void close(int result);

    EditConstrData data_;
    CTabCtrl tabs_;
    CComboBox modules_;
    CButtonST selectOther_, addModule_, removeModule_, zoom_;
    std::array<std::unique_ptr<CEditMacroPage>, 4> pages_;
    CResizer resizer_;
    int currentPage_ = kConstraintsPage;
    bool zoomBusy_ = false;
    bool closingItself_ = false;
};
