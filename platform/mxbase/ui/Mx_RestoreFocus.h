#pragma once
// The core's focus memory of a tabbed dialog: for each page, named by the module its tab stands for,
// the control that last had the focus. A dialog that rebuilds or switches its pages remembers the
// focus of the page it leaves and restores it when the page comes back, so the user's place survives
// a rebuild (a filter change recreates every page).
#include <map>

#include "platform/mxbase/Mx_String.h"

class CWnd;

class Mx_RestoreFocus {
public:
    // Remembers the control inside `page` that has the focus; nothing when the focus is elsewhere.
    void remember(const Mx_String& pageName, CWnd* page);
    // Gives the focus back to the remembered control of the page. False when there is none (never
    // remembered, or the control is gone, hidden or disabled); the caller then picks a first control.
    bool restore(const Mx_String& pageName, CWnd* page) const;
    // The remembered control id, 0 when none.
    int rememberedId(const Mx_String& pageName) const;
    void forget() { m_controls.clear(); }

private:
    std::map<std::wstring, int> m_controls;  // by page name in lower case
};
