#pragma once
// A path as the user is shown it. The product composes its paths with "\" ("Connection Standards\" +
// name) and the file layer accepts "\" and "/" alike (fsys::resolve), so a path joined from a library
// folder and a sheet name can hold both. Messages and command output show it with the separator of
// the system we run on, "/", so that it can be copied into a shell. Only for display: lookups and
// comparisons keep using the path as it was composed.
#include "platform/mxbase/Mx_String.h"

Mx_String displayPath(const Mx_String& path);
