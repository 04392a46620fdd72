#include "macrodlg/CTabMacroGroups.h"

#include "platform/mxbase/UiTexts.h"

BOOL CTabMacroGroups::OnInitDialog() {
    CDialog::OnInitDialog();
    Mx_StringArray groups;
    for (int i = 0; i < settings_.moduleNames.length(); ++i) {
        const Mx_String& group = settings_.moduleGroups.at(i);
        groups.append(group.isEmpty() ? settings_.moduleNames[i] : group);
    }
    showList(grid_, IDC_GROUPS, dialString(1119).c_str(), dialString(755).c_str(), settings_.moduleNames,
             groups, true, true);
    return TRUE;
}
