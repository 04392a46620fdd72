// The layout operations of a designed dialog: units, positions read back from the windows, the keyboard
// order and the editing commands of the designer.
#include <algorithm>

#include "designer/CControlRect.h"
#include "designer/CControlTracker.h"
#include "designer/Mx_DlgDesignerData.h"
#include "module/ModuleResources.h"
#include "platform/arx/AcArray.h"
#include "platform/arx/CommandLine.h"
#include "platform/mfc/CEdit.h"
#include "platform/mfc/CWnd.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/NumberFunctions.h"
#include "platform/mxbase/UiTexts.h"
#include "spread/Mx_DlgPromptString.h"

namespace {

constexpr double kNoTopYet = 100.0;      // above every factor
constexpr double kNoLeftYet = 100000.0;  // right of every pixel position
constexpr int kCopyOffset = 20;
constexpr double kNewWidth = 30.0;
constexpr double kNewHeight = 18.0;

}  // namespace

// ---------------------------------------------------------------------------------------------- units

double Mx_DlgDesignerData::factorToPixels(bool horizontal, double factor) const {
    return factor * (horizontal ? imageWidth : imageHeight);
}

double Mx_DlgDesignerData::pixelsToFactor(bool horizontal, double pixels) const {
    const int size = horizontal ? imageWidth : imageHeight;
    // Without a bitmap there is nothing to measure against; callers check for one first.
    return size > 0 ? pixels / size : 0.0;
}

double Mx_DlgDesignerData::getTopLeftX(const Mx_DesignerControl& c) const {
    return factorToPixels(true, c.topLeftX);
}
double Mx_DlgDesignerData::getTopLeftY(const Mx_DesignerControl& c) const {
    return factorToPixels(false, c.topLeftY);
}
double Mx_DlgDesignerData::getBottomRightX(const Mx_DesignerControl& c) const {
    return factorToPixels(true, c.bottomRightX);
}
double Mx_DlgDesignerData::getBottomRightY(const Mx_DesignerControl& c) const {
    return factorToPixels(false, c.bottomRightY);
}
void Mx_DlgDesignerData::setTopLeftX(Mx_DesignerControl& c, double p) const {
    c.topLeftX = pixelsToFactor(true, p);
}
void Mx_DlgDesignerData::setTopLeftY(Mx_DesignerControl& c, double p) const {
    c.topLeftY = pixelsToFactor(false, p);
}
void Mx_DlgDesignerData::setBottomRightX(Mx_DesignerControl& c, double p) const {
    c.bottomRightX = pixelsToFactor(true, p);
}
void Mx_DlgDesignerData::setBottomRightY(Mx_DesignerControl& c, double p) const {
    c.bottomRightY = pixelsToFactor(false, p);
}
double Mx_DlgDesignerData::getWidth(const Mx_DesignerControl& c) const {
    return getBottomRightX(c) - getTopLeftX(c);
}
double Mx_DlgDesignerData::getHeight(const Mx_DesignerControl& c) const {
    return getBottomRightY(c) - getTopLeftY(c);
}

void Mx_DlgDesignerData::setWidth(Mx_DesignerControl& c, double pixels) const {
    setBottomRightX(c, getTopLeftX(c) + pixels);
}

void Mx_DlgDesignerData::setHeight(Mx_DesignerControl& c, double pixels) const {
    setTopLeftY(c, getBottomRightY(c) - pixels);
}

// ---------------------------------------------------------------------------------------------- positions

bool Mx_DlgDesignerData::getSizeFromControl(int index) {
    if (drawnCtrls.size() != static_cast<std::size_t>(controls.length()) || !controls.isValidIndex(index))
        return false;
    CWnd* window = nullptr;
    CWnd* dialog = getDlgPtr();
    if (!getCtrlPtr(index, window) || !dialog || imageWidth <= 0 || imageHeight <= 0)
        return false;
    CRect rect;
    window->GetWindowRect(&rect);
    dialog->ScreenToClient(&rect);
    Mx_DesignerControl& control = controls[index];
    CRect drawnAt = controlRect(control);
    if (!designMode && designer::controlClass(control.type).kind == designer::WindowKind::ComboBox)
        drawnAt.bottom = std::max<LONG>(drawnAt.bottom, drawnAt.top + 200);
    // A window still where its factors put it keeps the factors: reading back a pixel position would
    // only round them, and a template saved unchanged must stay byte for byte the same.
    if (rect == drawnAt)
        return true;
    control.topLeftX = double(rect.left) / imageWidth;
    control.topLeftY = double(rect.top) / imageHeight;
    control.bottomRightX = double(rect.right) / imageWidth;
    control.bottomRightY = double(rect.bottom) / imageHeight;
    return true;
}

void Mx_DlgDesignerData::getSizeFromAllControls() {
    for (int i = 0; i < controls.length(); ++i)
        getSizeFromControl(i);
}

// ---------------------------------------------------------------------------------------------- keyboard
// order

void Mx_DlgDesignerData::sortAllControls() {
    std::vector<int> remaining;
    for (int i = 0; i < controls.length(); ++i) {
        const Mx_DesignerControl& control = controls[i];
        if (!control.locked && control.type != kCtrlStatic && control.type != kCtrlGroupBox)
            remaining.push_back(i);
    }
    int nextOrder = 1;
    while (!remaining.empty())
        sortNextRow(remaining, nextOrder);
}

void Mx_DlgDesignerData::sortNextRow(std::vector<int>& remaining, int& nextOrder) {
    if (remaining.empty())
        return;
    double top = kNoTopYet;
    int topmost = remaining.front();
    for (int index : remaining) {
        if (controls[index].topLeftY < top) {
            top = controls[index].topLeftY;
            topmost = index;
        }
    }
    // A control starting above the topmost one's bottom edge sits in its row.
    const double rowBottom = controls[topmost].bottomRightY;
    AcArray<double> lefts;
    AcArray<int> row;
    std::vector<int> rest;
    for (int index : remaining) {
        if (controls[index].topLeftY <= rowBottom || index == topmost) {
            lefts.append(controls[index].topLeftX);
            row.append(index);
        } else {
            rest.push_back(index);
        }
    }
    remaining.swap(rest);
    ObjectExportSort(lefts, row);
    for (int i = 0; i < row.length(); ++i)
        controls[row[i]].tabOrder = nextOrder++;
}

bool Mx_DlgDesignerData::findCtrlWithTabOrder(int order, int& index) const {
    for (int i = 0; i < controls.length(); ++i) {
        if (controls[i].tabOrder == order) {
            index = i;
            return true;
        }
    }
    return false;
}

bool Mx_DlgDesignerData::containsEditableCtrls() const {
    for (int i = 0; i < controls.length(); ++i)
        if (!controls[i].locked)
            return true;
    return false;
}

bool Mx_DlgDesignerData::handleTabKey(UINT key, Mx_TabMsgHandle& result) {
    result = kTabNotHandled;
    if (key != VK_TAB || !initialized)
        return false;
    if (!containsEditableCtrls())
        return false;
    const bool backward = GetKeyState(VK_SHIFT) < 0;
    int resId = 0, index = -1;
    if (!getFocusedDynControl(resId) || resId == 0 || !findCtrlFromResource(resId, index))
        return false;
    const int order = controls[index].tabOrder;
    int next = -1;
    if (backward) {
        if (order > 1 && findCtrlWithTabOrder(order - 1, next)) {
            setFocusToCtrl(next);
            result = kTabFocusMoved;
        } else {
            result = kTabLeaveBackward;
        }
        return true;
    }
    if (findCtrlWithTabOrder(order + 1, next)) {
        setFocusToCtrl(next);
        result = kTabFocusMoved;
    } else {
        result = kTabLeaveForward;
    }
    return true;
}

bool Mx_DlgDesignerData::setFocusToCtrl(bool first) {
    if (!containsEditableCtrls())
        return false;
    int index = -1;
    if (first) {
        if (!findCtrlWithTabOrder(1, index))
            return false;
        return setFocusToCtrl(index);
    }
    int highest = 0;
    for (int i = 0; i < controls.length(); ++i) {
        if (controls[i].tabOrder > highest) {
            highest = controls[i].tabOrder;
            index = i;
        }
    }
    if (index >= 0)
        setFocusToCtrl(index);
    return true;
}

bool Mx_DlgDesignerData::setFocusToCtrl(int index) {
    CWnd* window = nullptr;
    if (!getCtrlPtr(index, window))
        return false;
    window->SetFocus();
    const Mx_DesignerControl* control = controls.at(index);
    if (control && designer::controlClass(control->type).kind == designer::WindowKind::Edit)
        window->SendMessage(EM_SETSEL, 0, -1);
    return true;
}

// ---------------------------------------------------------------------------------------------- editing

bool Mx_DlgDesignerData::addNewControl(int type) {
    // Positions are fractions of the bitmap: without one a control has no size to keep.
    if (imageWidth <= 0 || imageHeight <= 0)
        return false;
    Mx_DesignerControl control;
    control.type = static_cast<Mx_ControlType>(type);
    control.contents = dialString(171);
    control.topLeftX = 0.2;
    control.topLeftY = 0.2;
    control.bottomRightX = 0.2 + kNewWidth / imageWidth;
    control.bottomRightY = 0.2 + kNewHeight / imageHeight;
    const int id = append(control);
    const Mx_DesignerControl* added = getControlFromRes(id);
    drawControl(added ? *added : controls.last());
    return true;
}

void Mx_DlgDesignerData::copyCurCtrls() {
    if (!tracker || tracker->selection().empty() || imageWidth <= 0 || imageHeight <= 0)
        return;
    getSizeFromAllControls();
    std::vector<int> selected, copies;
    tracker->getSelectedIds(selected);
    for (int resId : selected) {
        int index = -1;
        if (!findCtrlFromResource(resId, index))
            continue;
        Mx_DesignerControl copy = controls[index];
        setTopLeftX(copy, getTopLeftX(copy) + kCopyOffset);
        setBottomRightX(copy, getBottomRightX(copy) + kCopyOffset);
        setTopLeftY(copy, getTopLeftY(copy) + kCopyOffset);
        setBottomRightY(copy, getBottomRightY(copy) + kCopyOffset);
        const int id = append(copy);
        drawControl(controls.last());
        copies.push_back(id);
    }
    redrawAllControls();
    selectCtrls(copies);
}

bool Mx_DlgDesignerData::removeCurControls() {
    if (!tracker)
        return false;
    std::vector<int> selected;
    tracker->getSelectedIds(selected);
    for (int resId : selected) {
        removeDrawnCtrlOnly(resId);
        int index = -1;
        if (findCtrlFromResource(resId, index))
            removeControl(index);
    }
    return true;
}

void Mx_DlgDesignerData::changeCtrlSize(int index, bool horizontal, double pixels) {
    if (!controls.isValidIndex(index) || (horizontal ? imageWidth : imageHeight) <= 0)
        return;
    Mx_DesignerControl& control = controls[index];
    if (horizontal)
        control.bottomRightX = control.topLeftX + pixels / imageWidth;
    else
        control.bottomRightY = control.topLeftY + pixels / imageHeight;
}

void Mx_DlgDesignerData::changeCtrlSize(bool horizontal) {
    if (!tracker || tracker->selection().empty())
        return;
    getSizeFromAllControls();
    std::vector<int> selected;
    tracker->getSelectedIds(selected);
    Mx_String answer;
    {
        VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
        Mx_DlgPromptString prompt(getDlgPtr());
        prompt.setTitle(dialString(horizontal ? 90 : 744));
        prompt.setPrompt(dialString(horizontal ? 825 : 826));
        prompt.setValue(horizontal ? L"30" : L"18");
        prompt.setOkCaption(dialString(1));
        prompt.setCancelCaption(dialString(2));
        if (prompt.DoModal() != IDOK || !prompt.accepted())
            return;
        answer = prompt.value();
    }
    const double pixels = answer.toDouble();
    for (int resId : selected) {
        int index = -1;
        if (findCtrlFromResource(resId, index))
            changeCtrlSize(index, horizontal, pixels);
    }
    redrawAllControls();
    selectCtrls(selected);
}

bool Mx_DlgDesignerData::findMostLeftCtrl(const std::vector<int>& resIds, int& index) {
    if (resIds.empty())
        return false;
    double left = kNoLeftYet;
    bool found = false;
    for (int resId : resIds) {
        int candidate = -1;
        if (!findCtrlFromResource(resId, candidate))
            continue;
        const double x = getTopLeftX(controls[candidate]);
        if (x < left) {
            left = x;
            index = candidate;
            found = true;
        }
    }
    return found;
}

bool Mx_DlgDesignerData::outlineCurCtrls() {
    if (!tracker || tracker->selection().empty())
        return false;
    getSizeFromAllControls();
    std::vector<int> selected;
    tracker->getSelectedIds(selected);
    int reference = -1;
    if (!findMostLeftCtrl(selected, reference))
        return false;
    const double bottom = getBottomRightY(controls[reference]);
    for (int resId : selected) {
        int index = -1;
        if (!findCtrlFromResource(resId, index) || index == reference)
            continue;
        Mx_DesignerControl& control = controls[index];
        const double height = getHeight(control);
        setBottomRightY(control, bottom);
        setTopLeftY(control, bottom - height);
    }
    redrawAllControls();
    selectCtrls(selected);
    return true;
}

bool Mx_DlgDesignerData::stickRightCurCtrls() {
    if (!tracker || tracker->selection().size() != 2)
        return false;
    getSizeFromAllControls();
    std::vector<int> selected;
    tracker->getSelectedIds(selected);
    int reference = -1;
    if (!findMostLeftCtrl(selected, reference))
        return false;
    const Mx_DesignerControl& ref = controls[reference];
    for (int resId : selected) {
        int index = -1;
        if (!findCtrlFromResource(resId, index) || index == reference)
            continue;
        Mx_DesignerControl& control = controls[index];
        const double width = getWidth(control);
        setTopLeftX(control, getBottomRightX(ref));
        setBottomRightX(control, getBottomRightX(ref) + width);
        control.topLeftY = ref.topLeftY;
        control.bottomRightY = ref.bottomRightY;
    }
    redrawAllControls();
    selectCtrls(selected);
    return true;
}

void Mx_DlgDesignerData::selectCtrls(const std::vector<int>& resIds) {
    if (!tracker)
        return;
    tracker->clearSelection();
    for (int resId : resIds)
        tracker->selectById(resId, false);
    if (CWnd* dialog = getDlgPtr())
        dialog->Invalidate();
}

int Mx_DlgDesignerData::getCurSel() const {
    if (!tracker)
        return -1;
    const int resId = tracker->getSingleSelectedId();
    int index = -1;
    return resId > 0 && findCtrlFromResource(resId, index) ? index : -1;
}

void Mx_DlgDesignerData::printPositions() const {
    for (int i = 0; i < controls.length(); ++i) {
        const Mx_DesignerControl& control = controls[i];
        acutPrintf(L"**** Control %s ****\n", control.contents.c_str());
        acutPrintf(L"Left: %f - Right: %f\n", control.topLeftX, control.bottomRightX);
        acutPrintf(L"Top: %f - Bottom: %f\n", control.topLeftY, control.bottomRightY);
    }
    acutPrintf(L"********\n");
}
