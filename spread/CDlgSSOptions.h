#pragma once
// CDlgSSOptions: the header options of a sheet (template 245) — its column and row counts, the
// header row's height and the header column's width in pixels, and the header texts, edited in two
// small grids: 1025 holds one column per sheet column (the column headers), 1002 one row per sheet row
// (the row headers). Changing a count resizes its small grid at once, keeping the texts typed so far
// and filling new places from the texts the dialog started with. OK reads both grids back.
#include "platform/mfc/CAcUiDialog.h"
#include "spread/Mx_Spread.h"

class CDlgSSOptions : public CAcUiDialog {
public:
    enum : UINT { IDD = 245 };
    enum : int {
        IDC_ROW_HEADERS = 1002,
        IDC_COLS = 1017,
        IDC_ROWS = 1019,
        IDC_HEADER_HEIGHT = 1021,
        IDC_HEADER_WIDTH = 1023,
        IDC_COL_HEADERS = 1025,
        IDC_COUNTS_GROUP = 1026,
        IDC_TEXTS_GROUP = 1027,
        IDC_COLS_LABEL = 1016,
        IDC_ROWS_LABEL = 1018,
        IDC_HEIGHT_LABEL = 1020,
        IDC_WIDTH_LABEL = 1022,
    };
    // The most columns or rows the dialog takes; a larger count typed is not applied.
    static constexpr int kMaxCount = 32000;

    CDlgSSOptions(const Mx_Spread::HeaderSettings& settings, CWnd* parent = nullptr);

    // The settings as the dialog ended (the starting ones unless OK was pressed).
    const Mx_Spread::HeaderSettings& settings() const { return settings_; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void readTexts();
    void fillColumnHeaders();
    void fillRowHeaders();
    // The edit's whole number in 0..maximum, or fallback.
    int readNumber(int id, int maximum, int fallback);

    Mx_Spread::HeaderSettings settings_;
    const Mx_Spread::HeaderSettings initial_;
    Mx_Spread colGrid_;
    Mx_Spread rowGrid_;
    bool filling_ = false;
};

// The header options dialog over a sheet's header settings; true (and the settings changed) on OK.
// Makes the module's resources current for its run. Matches Mx_Spread::HeaderEditor, which is how a
// sheet's editHeaders() opens it.
bool editGridHeaders(CWnd* owner, Mx_Spread::HeaderSettings& settings);
