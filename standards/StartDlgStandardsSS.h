#pragma once
// The entry to the standards engine: one evaluation of a standards sheet in a pooled hidden dialog.
class VlDlgStandardsData;

// Runs `data` (mode 0: against its macro; mode 1: a child run on its argument list). True on success,
// when `data` has been replaced by the result (every variable with its final value); on failure `data`
// is left as it was.
bool StartDlgStandardsSS(VlDlgStandardsData& data);
// A self-check: a child run of the fixed sheet "c:\a\a\a\test.vls".
bool StartDlgStandardsSStest();
