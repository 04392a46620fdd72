#pragma once
// Internal: what the window model needs of CWnd's private state. Not for dialog code.
#include "platform/mfc/CWnd.h"

class CWndAccess {
public:
    static CWnd*& superclass(CWnd& wnd) { return wnd.m_superclass; }
    static void postNcDestroy(CWnd& wnd) { wnd.PostNcDestroy(); }
    static void preSubclassWindow(CWnd& wnd) { wnd.PreSubclassWindow(); }
};
