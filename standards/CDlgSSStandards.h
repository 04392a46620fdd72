#pragma once
// The hidden host dialog of a standards run (template 253): never shown, it carries the grid the sheet
// is evaluated in and owns the run's message boxes. Pooled by VlSSDlgsMgr.
#include "platform/mfc/CDialog.h"
#include "standards/VlCalcSS.h"
#include "standards/VlDlgStandardsData.h"

class CDlgSSStandards : public CDialog {
public:
    static constexpr UINT kTemplateId = 253;
    static constexpr int kGridPlaceholder = 1196;

    explicit CDlgSSStandards(CWnd* parent = nullptr);
    ~CDlgSSStandards() override;

    // Creates the grid in place of the placeholder.
    BOOL OnInitDialog() override;

    VlCalcSS calcSS;
    VlDlgStandardsData data;
};
