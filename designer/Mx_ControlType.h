#pragma once
// The kinds of control a designed dialog holds (types 0 to 30), the window each one is created as and
// how the run-time value interface treats it.
#include "platform/mfc/Win32Types.h"
#include "platform/mxbase/Mx_String.h"

enum Mx_ControlType : int {
    kCtrlStatic = 0,
    kCtrlGroupBox = 1,
    kCtrlEdit = 2,
    kCtrlCombo = 3,
    kCtrlBoltCount1 = 4,
    kCtrlBoltCount2 = 5,
    kCtrlButton = 6,
    kCtrlVarButton = 25,
    kCtrlVarButton2 = 26,
    kCtrlStandardsList = 27,
    kCtrlPositionList = 28,
    kCtrlCheckBox = 29,
    kCtrlFlexButton = 30,
};

namespace designer {

inline constexpr int kControlTypeCount = 31;

enum class WindowKind { Static, Button, Edit, ComboBox };

struct ControlClass {
    WindowKind kind = WindowKind::Static;
    const wchar_t* className = L"STATIC";
    DWORD style = 0;  // besides WS_CHILD | WS_VISIBLE
    DWORD exStyle = 0;
};

// The window of a type; types outside 0..30 are statics.
ControlClass controlClass(int type);
inline bool isComboType(int type) {
    return controlClass(type).kind == WindowKind::ComboBox;
}
// Types whose list is a file of items the user may also type past (getComboPtr answers for them).
inline bool hasEditableList(int type) {
    return type == 3 || type == 13 || type == 15 || type == 16;
}
inline bool isBoltCount(int type) {
    return type == kCtrlBoltCount1 || type == kCtrlBoltCount2;
}
// Types 25, 26 and 30 keep several strings behind their one stored list.
inline bool hasExtendedList(int type) {
    return type == kCtrlVarButton || type == kCtrlVarButton2 || type == kCtrlFlexButton;
}

// The name shown in the designer's type list.
Mx_String controlTypeName(int type);
// The five items of a position list (type 28).
Mx_String positionItem(int index);
inline constexpr int kPositionItemCount = 5;
// The caption of the contents field and the hint of the list field for a type, in the designer.
Mx_String contentsCaption(int type);
Mx_String listHint(int type);
// Types whose list field the designer lets the user edit.
bool usesListField(int type);

}  // namespace designer
