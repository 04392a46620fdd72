#pragma once
// The macro dialog as the page tests open it.
#include <gtest/gtest.h>

#include "macrodlg/CDlgMacro.h"
#include "macrodlg/MacroDlgEntryPoints.h"
#include "macrodlg/MacroDlgRegistry.h"
#include "platform/mfc/Automation.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroDrawing.h"

// Opens the dialog modeless on the data, shows the page of tab `tab` and starts the drawing's log
// afresh, so the log holds what the page does.
inline CDlgMacro& showMacroPage(MacroData& data, int tab) {
    int id = -1;
    EXPECT_TRUE(StartDlgMacroModeless(true, data, id));
    CDlgMacro& dialog = *MacroDlgRegistry::instance().at(id);
    ui::Automation(dialog).select(CDlgMacro::IDC_TAB, tab);
    MacroDrawing::active().clearLog();
    return dialog;
}
