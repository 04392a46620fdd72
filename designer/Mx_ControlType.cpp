#include "designer/Mx_ControlType.h"

#include "platform/mxbase/UiTexts.h"

namespace designer {
namespace {

constexpr DWORD kDropDown = WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
constexpr DWORD kDropList = WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kFlexButton = BS_AUTOCHECKBOX | BS_ICON | BS_VCENTER | BS_PUSHLIKE;

constexpr ControlClass kStatic{WindowKind::Static, L"STATIC", 0, 0};
constexpr ControlClass kGroupBox{WindowKind::Button, L"BUTTON", BS_GROUPBOX, 0};
constexpr ControlClass kEdit{WindowKind::Edit, L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
constexpr ControlClass kMultiLine{WindowKind::Edit, L"EDIT", ES_MULTILINE | ES_AUTOVSCROLL, WS_EX_CLIENTEDGE};
constexpr ControlClass kPush{WindowKind::Button, L"BUTTON", BS_PUSHBUTTON, 0};
constexpr ControlClass kComboDropDown{WindowKind::ComboBox, L"COMBOBOX", kDropDown, 0};
constexpr ControlClass kComboList{WindowKind::ComboBox, L"COMBOBOX", kDropList, 0};
constexpr ControlClass kCheck{WindowKind::Button, L"BUTTON", BS_AUTOCHECKBOX, 0};
constexpr ControlClass kFlex{WindowKind::Button, L"BUTTON", kFlexButton, 0};

constexpr ControlClass kClasses[kControlTypeCount] = {
    kStatic,        kGroupBox, kEdit, kComboDropDown, kMultiLine, kMultiLine, kPush, kComboList,
    kEdit,          kEdit,     kEdit, kEdit,          kPush,      kComboList, kPush, kComboList,
    kComboDropDown, kPush,     kEdit, kEdit,          kEdit,      kEdit,      kEdit, kEdit,
    kPush,          kPush,     kPush, kComboList,     kComboList, kCheck,     kFlex,
};

Mx_String joined(std::initializer_list<int> numbers) {
    Mx_String text;
    bool first = true;
    for (int number : numbers) {
        if (!first)
            text += L";";
        text += dialString(number);
        first = false;
    }
    return text;
}

}  // namespace

ControlClass controlClass(int type) {
    if (type < 0 || type >= kControlTypeCount)
        return kStatic;
    return kClasses[type];
}

Mx_String controlTypeName(int type) {
    if (type >= 0 && type <= 3)
        return dialString(799 + type);
    if (type == kCtrlBoltCount1 || type == kCtrlBoltCount2) {
        Mx_String name = coreString(2220);
        name += type == kCtrlBoltCount1 ? L" 1: " : L" 2: ";
        name += dialString(803);
        return name;
    }
    if (type >= 6 && type <= 25)
        return dialString(804 + type - 6);
    static constexpr int kLater[] = {1315, 1341, 1404, 1405, 1428};
    if (type >= 26 && type <= 30)
        return dialString(kLater[type - 26]);
    return Mx_String();
}

Mx_String positionItem(int index) {
    static constexpr int kItems[kPositionItemCount] = {1395, 1396, 1397, 1398, 695};
    return index >= 0 && index < kPositionItemCount ? dialString(kItems[index]) : Mx_String();
}

Mx_String contentsCaption(int type) {
    switch (type) {
        case 0:
        case 1:
        case 25:
        case 26:
        case 29:
            return dialString(827);
        case 2:
        case 3:
            return dialString(828);
        case 4:
        case 5:
        case 6:
            return dialString(829);
        case 13:
        case 14:
        case 15:
        case 16:
        case 17:
            return dialString(830);
        case 18:
        case 19:
        case 20:
        case 21:
        case 22:
        case 23:
        case 24:
            return dialString(831);
        case 28:
            return dialString(1406);
        case 30:
            return dialString(1429);
        default:
            return Mx_String();
    }
}

bool usesListField(int type) {
    switch (type) {
        case 0:
        case 1:
        case 3:
        case 23:
        case 25:
        case 26:
        case 27:
        case 29:
        case 30:
            return true;
        default:
            return false;
    }
}

Mx_String listHint(int type) {
    switch (type) {
        case 0:
        case 1:
            return dialString(1403);
        case 3:
            return dialString(833);
        case 23:
            return dialString(834);
        case 27:
            return dialString(1342);
        case 29:
            return dialString(828);
        case 25:
            return joined({1316, 1317, 1318, 1319});
        case 26:
            return joined({1316, 1317, 1320, 1319});
        case 30:
            return joined({705, 1430, 1431});
        default:
            return Mx_String();
    }
}

}  // namespace designer
