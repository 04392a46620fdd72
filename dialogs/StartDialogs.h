#pragma once
// The entry points of the grid, lookup, image-selection and CIS/2 dialogs. Each runs its dialog
// modally, without parent, on a copy of the caller's object with the module's resources current; on
// OK it copies the result back and returns true, otherwise it returns false and leaves the object as
// it was.
class VlDlgCis2Data;
class VlGridDlgData;
class VlLookUpDlgData;
class VlSelectImageDlgData;

bool StartDlgGrid(VlGridDlgData& data);
// "Show All" also ends with true (result 2).
bool StartDlgLookUp(VlLookUpDlgData& data);
bool StartDlgSelectImage(VlSelectImageDlgData& data);
bool StartDlgCis2Info(VlDlgCis2Data& data);
