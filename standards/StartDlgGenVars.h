#pragma once
// The general variables dialog's entry point.
class VlAutoStandardsData;

// Shows the general variables dialog modally, without parent, on a copy of `data`, with the module's
// resources current. OK: the edited lists are copied back into `data` and true is returned; otherwise
// `data` is left as it was and false is returned.
bool StartDlgGenVars(VlAutoStandardsData& data);
