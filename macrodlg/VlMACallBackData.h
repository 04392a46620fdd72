#pragma once
// The callback protocol of the profile-advanced dialog: the dialog asks its owner (a profile page, or
// the stand-alone run of StartDlgMacroProfAdv) to read or write the properties of a profile group, and
// to step aside while the user picks in the drawing.
//
//     bool callback(VlMACallBackType type, const VlMACallBackData& data, MacroProfData& prof);
//
// A callback returns false when it cannot reach its owner; the dialog ignores the result.
#include "platform/arx/AcArray.h"
#include "platform/arx/AcDbObjectId.h"
#include "platform/mfc/Win32Types.h"
#include "platform/mxbase/MacroProfData.h"
#include "platform/mxbase/Mx_String.h"

class MacroData;

enum VlMACallBackType : int {
    MACallBackGet = 0,        // fill `prof` with the group's current properties
    MACallBackSet = 1,        // write `prof` into the group, update the module, read it back
    MACallBackHideOwner = 2,  // the dialog lets the user pick in the drawing
    MACallBackShowOwner = 3,
};

class VlMACallBackData {
public:
    VlMACallBackData() = default;
    // A copy shares nothing: it takes the names, the flag, the owner window and the ids, never the
    // macro copy, so no two objects own the same MacroData (call initDataClass on the copy).
    VlMACallBackData(const VlMACallBackData& other);
    VlMACallBackData& operator=(const VlMACallBackData& other);
    virtual ~VlMACallBackData();

    // Takes a copy of the macro the first time; a second call keeps the copy it has.
    void initDataClass(const MacroData& macro);
    MacroData* macroCopy() const { return m_macro; }

    Mx_String groupName;  // empty: the owner's single selected profile
    bool openedForGroup = false;
    HWND ownerWindow = nullptr;
    Mx_String moduleName;
    AcArray<AcDbObjectId> objectIds;

private:
    MacroData* m_macro = nullptr;
};

using VlMACallBack = bool (*)(VlMACallBackType type, const VlMACallBackData& data, MacroProfData& prof);

// The callback of the stand-alone profile-advanced run: works on the macro copy of the data (false
// when there is none). Set writes the properties, updates the module in the drawing and reads them
// back.
bool standAloneProfAdvCallback(VlMACallBackType type, const VlMACallBackData& data, MacroProfData& prof);
