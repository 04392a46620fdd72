#include "designer/Mx_DesignerControl.h"

#include "platform/mfc/CButton.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CEdit.h"
#include "platform/mfc/CWnd.h"
#include "platform/mxbase/ObjectExportFiles.h"
#include "platform/mxbase/StringFunctions.h"

namespace {

Mx_String key(const wchar_t* base, int index) {
    Mx_String name(base);
    name.append(index);
    return name;
}

}  // namespace

void Mx_DesignerControl::getFromPropList(const Mx_PropertiesList& list, int index) {
    int typeValue = type;
    if (list.getInt(key(L"type", index), typeValue))
        type = static_cast<Mx_ControlType>(typeValue);
    list.getDouble(key(L"topLeftX", index), topLeftX);
    list.getDouble(key(L"topLeftY", index), topLeftY);
    list.getDouble(key(L"bottomRightX", index), bottomRightX);
    list.getDouble(key(L"bottomRightY", index), bottomRightY);
    list.getString(key(L"contents", index), contents);
    Mx_String list_;
    if (list.getString(key(L"comboList", index), list_))
        setSplitExtComboList(list_);
}

void Mx_DesignerControl::setToPropList(Mx_PropertiesList& list, int index) const {
    list.setInt(key(L"type", index), type);
    list.setDouble(key(L"topLeftX", index), topLeftX);
    list.setDouble(key(L"topLeftY", index), topLeftY);
    list.setDouble(key(L"bottomRightX", index), bottomRightX);
    list.setDouble(key(L"bottomRightY", index), bottomRightY);
    list.setString(key(L"contents", index), contents);
    list.setString(key(L"comboList", index), getMergedExtComboList());
}

bool Mx_DesignerControl::getComboItemsFromFile(Mx_StringArray& items) const {
    if (comboList.isEmpty() || !ObjectExportFileExists(comboList))
        return false;
    return ObjectExportReadFile(comboList, items);
}

Mx_String Mx_DesignerControl::getMergedExtComboList() const {
    if (type == kCtrlFlexButton)
        return arrToStr({flexGroup, flexPart2, flexPart3, flexPart4});
    if (type == kCtrlVarButton || type == kCtrlVarButton2)
        return arrToStr({extPart1, extPart2, extPart3, extPart4, comboList});
    return comboList;
}

bool Mx_DesignerControl::setSplitExtComboList(const Mx_String& text) {
    if (!designer::hasExtendedList(type)) {
        comboList = text;
        extPart2.clear();
        return true;
    }
    Mx_StringArray parts;
    strToArr(text, parts);
    auto part = [&parts](int i) { return i < parts.length() ? parts[i] : Mx_String(); };
    if (type == kCtrlFlexButton) {
        flexGroup = part(0);
        flexPart2 = part(1);
        flexPart3 = part(2);
        flexPart4 = part(3);
        return true;
    }
    extPart1 = part(0);
    extPart2 = part(1);
    extPart3 = part(2);
    extPart4 = part(3);
    comboList = part(4);
    return true;
}

bool Mx_DesignerControl::getCtrlPtr(CWnd* dialog, CWnd*& window) const {
    window = nullptr;
    if (!dialog || !dialog->GetSafeHwnd() || resId == 0)
        return false;
    window = dialog->GetDlgItem(resId);
    return window != nullptr;
}

CComboBox* Mx_DesignerControl::getComboPtr(CWnd* dialog) const {
    CWnd* window = nullptr;
    if (!designer::hasEditableList(type) || !getCtrlPtr(dialog, window))
        return nullptr;
    return dynamic_cast<CComboBox*>(window);
}

CButton* Mx_DesignerControl::getButtonPtr(CWnd* dialog) const {
    CWnd* window = nullptr;
    if (designer::controlClass(type).kind != designer::WindowKind::Button || !getCtrlPtr(dialog, window))
        return nullptr;
    return dynamic_cast<CButton*>(window);
}

CEdit* Mx_DesignerControl::getEditPtr(CWnd* dialog) const {
    CWnd* window = nullptr;
    if (designer::controlClass(type).kind != designer::WindowKind::Edit || !getCtrlPtr(dialog, window))
        return nullptr;
    return dynamic_cast<CEdit*>(window);
}
