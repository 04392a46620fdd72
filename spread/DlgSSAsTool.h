#pragma once
// DlgSSAsTool: the modeless spreadsheet tool window in which a sheet is shown to the user (the bill
// output's). create() makes it once, owned by the host's main window; it then lives, visible, until
// this object is destroyed.
#include <memory>

class CDlgSSAsTool;
class Mx_Spread;

class DlgSSAsTool {
public:
    DlgSSAsTool();
    ~DlgSSAsTool();
    DlgSSAsTool(const DlgSSAsTool&) = delete;
    DlgSSAsTool& operator=(const DlgSSAsTool&) = delete;

    // True at once when already created. Otherwise creates the tool dialog from the module's resources
    // and gives the focus back to the host's main window; false when the dialog could not be created.
    bool create();
    bool created() const { return created_; }
    // The tool dialog's grid; null when not created.
    Mx_Spread* grid();
    CDlgSSAsTool* dialog() { return dialog_.get(); }

private:
    bool created_ = false;
    std::unique_ptr<CDlgSSAsTool> dialog_;
};
