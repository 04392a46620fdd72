#pragma once
// CTabMacroMapping: the standards mapping page of the macro settings dialog (template 8720). The sheet
// grid lists the macro's standards sheets with what each maps to ("<Entire macro>" or a module group);
// the variable grid shows the selected sheet's input and output variables, each with a combo box of
// the macro objects it may be linked to. The links of an entire-macro sheet are stored in the sheet's
// mapping file, an edited set always under a fresh random key, so that other macros' lines stay as
// they are. Links edited while the dialog is open are kept until it closes with OK (apply), so that
// Cancel leaves every mapping file as it was.
#include <vector>

#include "platform/arx/AcArray.h"
#include "platform/arx/AcadStatus.h"
#include "platform/mfc/ButtonST.h"
#include "platform/mfc/CDialog.h"
#include "spread/Mx_Spread.h"
#include "standards/TabMappingData.h"
#include "standards/VlCalcSS.h"
#include "standards/VlSSMapping.h"

class CTabMacroMapping : public CDialog {
public:
    enum : UINT { IDD = 8720 };
    enum : int {
        IDC_SHEETS_GROUP = 1440,
        IDC_SHEETS = 1441,
        IDC_ADD = 1088,
        IDC_REMOVE = 1089,
        IDC_UP = 1443,
        IDC_DOWN = 1442,
        IDC_VARIABLES_GROUP = 1444,
        IDC_VARIABLES = 1196,
    };
    static constexpr const wchar_t* kEntireMacro = L"<Entire macro>";
    static constexpr const wchar_t* kModulePrefix = L"Module.";

    // The page edits `data`, which must outlive it (null: the page shows nothing).
    explicit CTabMacroMapping(TabMappingData* data);
    ~CTabMacroMapping() override;

    bool createPage(CWnd* parent);

    // What the settings dialog's OK does: stores the rows and the current row's mapping; `modified`
    // tells whether the sheets or their maps-to texts changed. eInvalidInput without data or macro.
    Acad::ErrorStatus apply(bool& modified);
    // The mapping file the last apply could not write; empty when it wrote them all.
    const Mx_String& writeProblem() const { return writeProblem_; }

    Acad::ErrorStatus storeRows();
    // Takes the links of the variable grid for the current row: nothing when they equal the stored
    // ones, otherwise under a fresh key that becomes the row's maps-to text (written by apply).
    Acad::ErrorStatus storeCurrentMapping();
    int currentRow() const { return current_; }
    bool isModified() const { return modified_; }

    // Every standards sheet of the library: "*.vls" below "Connection Standards\" (all sub-folders),
    // relative to it and without extension, sorted.
    static Mx_StringArray librarySheets();
    // The text an object link shows in a variable's combo box.
    static Mx_String candidateText(const VlObjectMap& link);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    struct VariableRow {
        int gridRow = 0;
        Mx_String name;
        VlValueType type = kVlString;
        AcArray<int> candidates;  // indices into the data's linkable objects
        // A stored link that none of the candidates matches (an object the macro no longer offers,
        // a section column that cannot be read now): shown by its text and kept unless unlinked.
        bool hasKept = false;
        VlObjectMap kept;
        Mx_String keptText;
    };

    bool usable() const { return data_ != nullptr && data_->macro != nullptr; }
    bool validRow(int row) const { return usable() && row >= 0 && row < data_->sheets.length(); }
    void fillSheets();
    void showVariables(int row);
    void clearVariables();
    void selectRow(int row);
    void onGridMessage(UINT message);
    // Add, Remove and the move buttons: `edit` changes the lists and gives the row to select.
    void editRows(int (CTabMacroMapping::*edit)(int selected));
    int addRow(int selected);
    int removeRow(int selected);
    int moveUp(int selected);
    int moveDown(int selected);
    bool drawFreshKey(const Mx_String& sheet, Mx_String& key) const;
    // The links stored for the sheet under `key`: a pending set first, then the mapping file.
    bool storedMapping(const Mx_String& sheet, const Mx_String& key, VlSSMapping& mapping) const;
    struct Pending {
        Mx_String sheet;  // the sheet's path
        Mx_String key;
        VlSSMapping mapping;
    };
    Pending* findPending(const Mx_String& sheet, const Mx_String& key);
    Acad::ErrorStatus writePending();

    TabMappingData* data_;
    Mx_Spread sheets_;
    VlCalcSS variables_;
    VlSSMapping mapping_;
    std::vector<VariableRow> rows_;
    std::vector<Pending> pending_;
    Mx_String writeProblem_;       // the mapping file the last apply could not write
    bool variablesShown_ = false;  // rows_ are the variables of the current row's sheet
    CButtonST up_, down_;
    Mx_StringArray sheetChoices_;
    int current_ = -1;
    bool modified_ = false;
    bool filling_ = false;
};
