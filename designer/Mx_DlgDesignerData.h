#pragma once
// Mx_DlgDesignerData: one designed dialog (an image dialog) - a bitmap with controls laid over it.
//
// A product dialog that shows a template initialises the object against itself with design mode off,
// reads the template, draws the controls and then reads and writes their values by window id:
//
//     data.initialize(this, 33000, 33099, 0, 0, 0, 0, 0, false);
//     data.readFromFile(getDesignerRootFolder() + L"End Plate.txt", true);
//     data.redrawAllControls();
//     data.setCtrlValue(id, L"12");
//
// The designer window (CDlgDesigner) initialises it in design mode: the controls are then created
// disabled so that the mouse reaches the designer, and a CControlTracker keeps the selection on which
// the layout operations act.
//
// Template files are properties lists ("nrOfControls", then per control "type<i>", the four position
// factors, "contents<i>" and "comboList<i>") below the root folder; the bitmap of the same name lies
// beside. Names that would lead outside the root folder are refused.
#include <memory>
#include <vector>

#include "designer/Mx_DesignerControl.h"
#include "platform/mfc/BitmapImage.h"
#include "platform/mfc/CRect.h"
#include "platform/mxbase/Mx_Array.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"
#include "spread/Mx_TabMsgHandle.h"

class CControlRect;
class CControlTracker;
class CDC;
class CWnd;

// The root folder of the dialog templates: the library folder's "Dialog Templates\Dialog Design\".
Mx_String getDesignerRootFolder();
// Every template below the root folder (searched through subfolders), as names: the path below the root
// without ".txt", sorted.
void getModuleImages(Mx_StringArray& names);
// The names of a template's edit fields (type 2), loaded without its bitmap. False when the template
// cannot be read.
bool GetImageDlgCtrlNames(const Mx_String& path, Mx_StringArray& names);
// A template name stays inside the root folder: not empty, not absolute, no ".." part.
bool isSafeTemplateName(const Mx_String& name);

class Mx_DlgDesignerData {
public:
    Mx_DlgDesignerData();
    virtual ~Mx_DlgDesignerData();
    Mx_DlgDesignerData(const Mx_DlgDesignerData&) = delete;
    Mx_DlgDesignerData& operator=(const Mx_DlgDesignerData&) = delete;

    // ---- Set-up and file
    bool initialize(CWnd* dialog, int firstResId, int lastResId, int typeComboId, int contentsLabelId,
                    int contentsEditId, int listLabelId, int listEditId, bool designMode);
    bool readFromFile(const Mx_String& path, bool withBitmap);
    // False when nothing was written (a path outside the root folder, a failed write).
    bool writeToFile(const Mx_String& path);
    void attachBitmap(const Mx_String& path);
    void getImageSize(int& width, int& height) const;
    const Mx_String& getName() const { return name; }
    bool isInitialized() const { return initialized; }
    bool isDesignMode() const { return designMode; }
    const ui::BitmapImage& getImage() const { return image; }

    // Copies the control in with the lowest free window id of the range; returns that id (0 when the
    // range is used up).
    int append(const Mx_DesignerControl& control);
    int getNrControls() const { return controls.length(); }
    const Mx_DesignerControl* getControl(int index) const { return controls.at(index); }
    Mx_DesignerControl* getControlWrite(int index) { return controls.at(index); }
    Mx_DesignerControl* getControlFromRes(int resId);
    void removeControl(int index);
    bool findCtrlFromResource(int resId, int& index) const;
    CWnd* getDlgPtr() const;

    void getAllCtrlNames(Mx_StringArray& names) const;
    bool findEditCtrlWithContents(const Mx_String& contentsName, int& index) const;

    // ---- Windows
    void redrawAllControls();
    void removeAllDrawnCtrls();
    int getNrDrawnCtrls() const { return static_cast<int>(drawnCtrls.size()); }
    // The pixel rectangle of a control (client coordinates of the host dialog).
    CRect controlRect(const Mx_DesignerControl& control) const;
    // Forwarded by the host dialog's handlers of the same messages.
    BOOL OnEraseBkgnd(CDC* dc);
    void OnPaint(CDC* dc);
    void OnLButtonDown(UINT flags, CPoint point);
    BOOL OnSetCursor(UINT hitTest, UINT message);

    // ---- Values
    bool getCtrlValue(int resId, Mx_String& value);
    bool setCtrlValue(int resId, const Mx_String& value);
    bool setCtrlReadOnly(int resId, bool readOnly);
    bool isADynControl(int resId) const;
    bool getDynControlType(int resId, Mx_ControlType& type) const;
    bool getFocusedDynControl(int& resId) const;
    bool isTypeBoltCount(int resId) const;

    // ---- Flex buttons
    void getFlexBtnsGroups(Mx_StringArray& groups) const;
    bool getFlexBtnsInGroup(const Mx_String& group, std::vector<int>& all, std::vector<int>& withPart3) const;
    bool findFlexButton(const Mx_String& group, const Mx_String& buttonName, int& index) const;
    bool getAllFlexVarsOfGroup(const Mx_String& group, Mx_StringArray& names) const;
    bool getFlexBtnGroupName(int resId, Mx_String& group, Mx_String& buttonName) const;
    bool getFlexBtnStatus(int index, int& state);
    bool setFlexBtnStatus(const Mx_String& group, const Mx_String& buttonName, int state);
    bool getSetFlexBtnStatus(bool set, int index, int& state);
    bool hideAllFlexBtns(const Mx_String& group);

    // ---- Units and positions (pixels of the bitmap)
    double factorToPixels(bool horizontal, double factor) const;
    double pixelsToFactor(bool horizontal, double pixels) const;
    double getTopLeftX(const Mx_DesignerControl& control) const;
    double getTopLeftY(const Mx_DesignerControl& control) const;
    double getBottomRightX(const Mx_DesignerControl& control) const;
    double getBottomRightY(const Mx_DesignerControl& control) const;
    void setTopLeftX(Mx_DesignerControl& control, double pixels) const;
    void setTopLeftY(Mx_DesignerControl& control, double pixels) const;
    void setBottomRightX(Mx_DesignerControl& control, double pixels) const;
    void setBottomRightY(Mx_DesignerControl& control, double pixels) const;
    double getWidth(const Mx_DesignerControl& control) const;
    double getHeight(const Mx_DesignerControl& control) const;
    void setWidth(Mx_DesignerControl& control, double pixels) const;
    void setHeight(Mx_DesignerControl& control, double pixels) const;
    void getSizeFromAllControls();

    // ---- Keyboard order
    void sortAllControls();
    bool handleTabKey(UINT key, Mx_TabMsgHandle& result);
    bool setFocusToCtrl(bool first);

    // ---- Editing (design mode)
    bool addNewControl(int type);
    void copyCurCtrls();
    bool removeCurControls();
    void changeCtrlSize(bool horizontal);
    void changeCtrlSize(int index, bool horizontal, double pixels);
    bool outlineCurCtrls();
    bool stickRightCurCtrls();
    int getCurSel() const;
    CControlTracker* getTracker() const { return tracker; }
    void printPositions() const;

    // ---- Property panel of the designer window
    void updatePropsOfCurSel();
    void propsOfCurSelUpdated();

protected:
    bool getNameFromFile(const Mx_String& path, Mx_String& templateName) const;
    bool findDrawnCtrlFromResource(int resId, int& index, CControlRect*& rect) const;
    bool getCtrlPtr(int index, CWnd*& window) const;
    bool drawControl(const Mx_DesignerControl& control);
    void removeDrawnCtrlOnly(int resId);
    void FillDesCombo(CWnd* dialog, const Mx_DesignerControl& control);

    bool getSetComboValue(bool set, const Mx_DesignerControl& control, Mx_String& value);
    bool getComboValue(const Mx_DesignerControl& control, Mx_String& value);
    bool setComboValue(const Mx_DesignerControl& control, const Mx_String& value);
    bool getSetCheckValue(bool set, const Mx_DesignerControl& control, Mx_String& value);
    bool getCheckValue(const Mx_DesignerControl& control, Mx_String& value);
    bool setCheckValue(const Mx_DesignerControl& control, const Mx_String& value);
    bool setBtnIcon(const Mx_DesignerControl& control);

    bool getSizeFromControl(int index);
    void sortNextRow(std::vector<int>& remaining, int& nextOrder);
    bool findCtrlWithTabOrder(int order, int& index) const;
    bool containsEditableCtrls() const;
    bool setFocusToCtrl(int index);
    bool findMostLeftCtrl(const std::vector<int>& resIds, int& index);
    void selectCtrls(const std::vector<int>& resIds);

    void updateProps(int index);
    void readProps(int index);

private:
    bool initialized = false;
    bool updatingProps = false;
    HWND dialogHandle = nullptr;
    HICON flexIcon = nullptr;
    std::vector<CControlRect*> drawnCtrls;  // owned
    CControlTracker* tracker = nullptr;     // owned; design mode only
    ui::BitmapImage image;
    ui::BitmapImage imageMask;
    int imageWidth = 0;
    int imageHeight = 0;
    int firstResId = 0;
    int lastResId = 0;
    bool designMode = false;
    int typeComboId = 0;
    int contentsLabelId = 0;
    int contentsEditId = 0;
    int listLabelId = 0;
    int listEditId = 0;
    Mx_String name;
    Mx_Array<Mx_DesignerControl> controls;
};
