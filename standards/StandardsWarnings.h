#pragma once
// A problem of a standards run, shown to the user in a message box with an exclamation icon, but only
// while the current document's standards-warnings switch (gSettings) is on. Returns whether the
// message was shown.
#include "platform/mxbase/Mx_String.h"

class CWnd;

bool showStandardsWarning(const Mx_String& text, CWnd* owner = nullptr);
