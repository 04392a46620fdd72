#pragma once
// Mx_DesignerControl: one control of a designed dialog. Its position is kept as fractions of the
// template's bitmap (X of its width, Y of its height), so a template fits any bitmap size.
#include "designer/Mx_ControlType.h"
#include "platform/mxbase/Mx_PropertiesList.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class CWnd;
class CComboBox;
class CButton;
class CEdit;

class Mx_DesignerControl {
public:
    Mx_DesignerControl() = default;
    Mx_DesignerControl(const Mx_DesignerControl&) = default;
    Mx_DesignerControl& operator=(const Mx_DesignerControl&) = default;
    virtual ~Mx_DesignerControl() = default;

    Mx_ControlType type = kCtrlStatic;
    // Set by the using module, never stored: created disabled, left out of the keyboard order.
    bool locked = false;
    int resId = 0;     // window id in the host dialog; 0 until appended
    int tabOrder = 0;  // 1-based keyboard order; 0 when out of the order
    double topLeftX = 0.0;
    double topLeftY = 0.0;
    double bottomRightX = 0.0;
    double bottomRightY = 0.0;
    Mx_String contents;
    Mx_String comboList;
    Mx_String flexGroup;
    Mx_String flexPart2;
    Mx_String flexPart3;
    Mx_String flexPart4;
    Mx_String extPart1;
    Mx_String extPart2;
    Mx_String extPart3;
    Mx_String extPart4;
    Mx_StringArray comboItems;  // items handed in by the using module; the list file otherwise

    // The control's keys in a template list ("type3", "topLeftX3", ...). Reading leaves missing or
    // mistyped keys at their current value.
    void getFromPropList(const Mx_PropertiesList& list, int index);
    void setToPropList(Mx_PropertiesList& list, int index) const;
    // The lines of the list file named by comboList; false (items untouched) when there is none.
    bool getComboItemsFromFile(Mx_StringArray& items) const;
    // The stored list: the extended parts joined with ";" for types 25, 26 and 30, comboList otherwise.
    Mx_String getMergedExtComboList() const;
    bool setSplitExtComboList(const Mx_String& text);

    // The control's window in a host dialog; the typed forms only for the fitting classes.
    bool getCtrlPtr(CWnd* dialog, CWnd*& window) const;
    CComboBox* getComboPtr(CWnd* dialog) const;
    CButton* getButtonPtr(CWnd* dialog) const;
    CEdit* getEditPtr(CWnd* dialog) const;
};
