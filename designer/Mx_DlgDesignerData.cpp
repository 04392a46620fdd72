#include "designer/Mx_DlgDesignerData.h"

#include <algorithm>
#include <cwctype>

#include "designer/CControlRect.h"
#include "designer/CControlTracker.h"
#include "module/ModuleResources.h"
#include "platform/mfc/Bitmap.h"
#include "platform/mfc/BitmapFile.h"
#include "platform/mfc/CButton.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CWnd.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/NumberFunctions.h"
#include "platform/mxbase/ObjectExportFiles.h"
#include "platform/mxbase/UiTexts.h"

namespace {

constexpr int kFlexIconId = 239;
// A combo box's window is as high as its dropped list: outside the designer it opens this far.
constexpr int kDroppedComboHeight = 200;

// The product's paths compare as Windows compares them: either separator, any letter case.
std::wstring comparable(const Mx_String& path) {
    std::wstring text = path.str();
    for (wchar_t& c : text)
        c = c == L'/' ? L'\\' : static_cast<wchar_t>(std::towlower(c));
    return text;
}

Mx_String withExtension(const Mx_String& path, const wchar_t* extension) {
    const int dot = path.findLastFrom(L'.');
    const int separator = std::max(path.findLastFrom(L'\\'), path.findLastFrom(L'/'));
    Mx_String result = dot > separator ? path.getSubStringAt(0, dot) : path;
    result += L".";
    result += extension;
    return result;
}

}  // namespace

Mx_DlgDesignerData::Mx_DlgDesignerData() = default;

Mx_DlgDesignerData::~Mx_DlgDesignerData() {
    for (CControlRect* rect : drawnCtrls)
        delete rect;
    drawnCtrls.clear();
    if (flexIcon)
        DestroyIcon(flexIcon);
    delete tracker;
}

// ---------------------------------------------------------------------------------------------- set-up

bool Mx_DlgDesignerData::initialize(CWnd* dialog, int firstId, int lastId, int typeCombo, int contentsLabel,
                                    int contentsEdit, int listLabel, int listEdit, bool design) {
    if (!dialog)
        return false;
    dialogHandle = dialog->GetSafeHwnd();
    firstResId = firstId;
    lastResId = lastId;
    designMode = design;
    initialized = true;
    if (!designMode)
        return true;
    if (!tracker)
        tracker = new CControlTracker;
    tracker->attachDialog(dialog);
    typeComboId = typeCombo;
    contentsLabelId = contentsLabel;
    contentsEditId = contentsEdit;
    listLabelId = listLabel;
    listEditId = listEdit;
    if (auto* combo = dynamic_cast<CComboBox*>(dialog->GetDlgItem(typeComboId))) {
        combo->ResetContent();
        for (int type = 0; type < designer::kControlTypeCount; ++type)
            combo->AddString(designer::controlTypeName(type).c_str());
    }
    updatePropsOfCurSel();
    return true;
}

CWnd* Mx_DlgDesignerData::getDlgPtr() const {
    return dialogHandle && IsWindow(dialogHandle) ? CWnd::FromHandle(dialogHandle) : nullptr;
}

void Mx_DlgDesignerData::getImageSize(int& width, int& height) const {
    width = initialized ? imageWidth : 0;
    height = initialized ? imageHeight : 0;
}

bool Mx_DlgDesignerData::getNameFromFile(const Mx_String& path, Mx_String& templateName) const {
    const std::wstring root = comparable(getDesignerRootFolder());
    const std::wstring full = comparable(path);
    if (full.size() <= root.size() || full.compare(0, root.size(), root) != 0)
        return false;
    Mx_String below = path.getSubStringAt(static_cast<int>(root.size()));
    const int dot = below.findLastFrom(L'.');
    const int separator = std::max(below.findLastFrom(L'\\'), below.findLastFrom(L'/'));
    if (dot > separator)
        below = below.getSubStringAt(0, dot);
    // A path that climbs out of the root again ("root\..\x.txt") names no template.
    if (!isSafeTemplateName(below))
        return false;
    templateName = below;
    return true;
}

bool Mx_DlgDesignerData::readFromFile(const Mx_String& path, bool withBitmap) {
    if (!ObjectExportFileExists(path))
        return false;
    if (!getNameFromFile(path, name))
        return false;
    Mx_PropertiesList list;
    list.readFromFile(path);  // the well-formed lines count even when others are not
    int count = 0;
    list.getInt(L"nrOfControls", count);
    controls.removeAll();
    // A count beyond both the file's lines and the id range describes nothing a template can hold;
    // taking it at its word would allocate controls by the billion.
    count = std::clamp(count, 0, std::max(list.length(), lastResId - firstResId + 1));
    for (int i = 0; i < count; ++i) {
        Mx_DesignerControl control;
        control.getFromPropList(list, i);
        append(control);
    }
    if (withBitmap)
        attachBitmap(withExtension(path, L"bmp"));
    return true;
}

bool Mx_DlgDesignerData::writeToFile(const Mx_String& path) {
    const Mx_String oldName = name;
    if (!getNameFromFile(path, name))
        return false;
    const Mx_String bitmap = withExtension(path, L"bmp");
    if (!oldName.isEmpty()) {
        Mx_String oldBitmap = getDesignerRootFolder();
        oldBitmap += oldName;
        oldBitmap += L".bmp";
        if (comparable(oldBitmap) != comparable(bitmap) && ObjectExportFileExists(oldBitmap))
            ObjectExportCopyFile(oldBitmap, bitmap, true);  // a template without its picture still saves
    }
    getSizeFromAllControls();
    Mx_PropertiesList list;
    list.setInt(L"nrOfControls", controls.length());
    for (int i = 0; i < controls.length(); ++i)
        controls[i].setToPropList(list, i);
    return list.writeToFile(path);
}

void Mx_DlgDesignerData::attachBitmap(const Mx_String& path) {
    if (!ObjectExportFileExists(path))
        return;
    imageWidth = imageHeight = 0;
    ui::BmpReadResult read = ui::readBmpFile(fsys::resolve(path.view()).string());
    if (!read.ok) {
        image = ui::BitmapImage();
        imageMask = ui::BitmapImage();
        return;
    }
    image = std::move(read.image);
    imageMask = image.maskOf(0xFFFFFF);
    imageWidth = image.width();
    imageHeight = image.height();
}

// ---------------------------------------------------------------------------------------------- controls

int Mx_DlgDesignerData::append(const Mx_DesignerControl& control) {
    int id = 0;
    for (int candidate = firstResId; candidate <= lastResId && candidate > 0; ++candidate) {
        int index = -1;
        if (!findCtrlFromResource(candidate, index)) {
            id = candidate;
            break;
        }
    }
    Mx_DesignerControl copy(control);
    copy.resId = id;
    controls.append(copy);
    return id;
}

Mx_DesignerControl* Mx_DlgDesignerData::getControlFromRes(int resId) {
    int index = -1;
    return findCtrlFromResource(resId, index) ? controls.at(index) : nullptr;
}

void Mx_DlgDesignerData::removeControl(int index) {
    if (controls.isValidIndex(index))
        controls.removeAt(index);
}

bool Mx_DlgDesignerData::findCtrlFromResource(int resId, int& index) const {
    if (resId < 1)
        return false;
    for (int i = 0; i < controls.length(); ++i) {
        if (controls[i].resId == resId) {
            index = i;
            return true;
        }
    }
    return false;
}

bool Mx_DlgDesignerData::findDrawnCtrlFromResource(int resId, int& index, CControlRect*& rect) const {
    for (std::size_t i = 0; i < drawnCtrls.size(); ++i) {
        if (drawnCtrls[i]->resId() == resId && resId != 0) {
            index = static_cast<int>(i);
            rect = drawnCtrls[i];
            return true;
        }
    }
    return false;
}

bool Mx_DlgDesignerData::getCtrlPtr(int index, CWnd*& window) const {
    window = nullptr;
    if (index < 0 || index >= getNrDrawnCtrls())
        return false;
    window = drawnCtrls[static_cast<std::size_t>(index)]->window();
    return window != nullptr;
}

void Mx_DlgDesignerData::getAllCtrlNames(Mx_StringArray& names) const {
    names.removeAll();
    for (int i = 0; i < controls.length(); ++i)
        if (controls[i].type == kCtrlEdit)
            names.append(controls[i].contents);
}

bool Mx_DlgDesignerData::findEditCtrlWithContents(const Mx_String& contentsName, int& index) const {
    for (int i = 0; i < controls.length(); ++i) {
        const Mx_DesignerControl& control = controls[i];
        if ((control.type == kCtrlEdit || control.type == kCtrlCombo) &&
            control.contents.equal(contentsName)) {
            index = i;
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------------------------- windows

CRect Mx_DlgDesignerData::controlRect(const Mx_DesignerControl& control) const {
    auto pixels = [](double factor, int size) {
        return static_cast<int>(ObjectExportRoundTo(factor * size, 1.0));
    };
    return CRect(pixels(control.topLeftX, imageWidth), pixels(control.topLeftY, imageHeight),
                 pixels(control.bottomRightX, imageWidth), pixels(control.bottomRightY, imageHeight));
}

bool Mx_DlgDesignerData::drawControl(const Mx_DesignerControl& control) {
    CWnd* dialog = getDlgPtr();
    if (!initialized || !dialog)
        return false;
    const designer::ControlClass windowClass = designer::controlClass(control.type);
    CRect rect = controlRect(control);
    if (!designMode && windowClass.kind == designer::WindowKind::ComboBox &&
        rect.Height() < kDroppedComboHeight)
        rect.bottom = rect.top + kDroppedComboHeight;
    auto drawn = std::make_unique<CControlRect>();
    drawn->m_rect = controlRect(control);
    if (!drawn->create(windowClass.exStyle, windowClass.className, control.contents.c_str(),
                       WS_CHILD | WS_VISIBLE | windowClass.style, rect, dialog, control.resId))
        return false;
    CWnd* window = drawn->window();
    window->SetFont(dialog->GetFont(), FALSE);
    if (control.locked || (designMode && windowClass.kind != designer::WindowKind::Static))
        window->EnableWindow(FALSE);
    CControlRect* rectangle = drawn.release();
    drawnCtrls.push_back(rectangle);
    if (designMode && tracker)
        tracker->addRect(rectangle);
    if (windowClass.kind == designer::WindowKind::ComboBox)
        FillDesCombo(dialog, control);
    if (control.type == kCtrlPositionList)
        setComboValue(control, control.contents);
    if (control.type == kCtrlCheckBox)
        setCheckValue(control, control.comboList);
    if (control.type == kCtrlFlexButton)
        setBtnIcon(control);
    return true;
}

void Mx_DlgDesignerData::FillDesCombo(CWnd* dialog, const Mx_DesignerControl& control) {
    auto* combo = dialog ? dynamic_cast<CComboBox*>(dialog->GetDlgItem(control.resId)) : nullptr;
    if (!combo)
        return;
    combo->ResetContent();
    if (control.type == kCtrlPositionList) {
        for (int i = 0; i < designer::kPositionItemCount; ++i)
            combo->AddString(designer::positionItem(i).c_str());
        return;
    }
    Mx_StringArray items = control.comboItems;
    if (items.isEmpty())
        control.getComboItemsFromFile(items);
    if (items.isEmpty())
        return;
    for (int i = 0; i < items.length(); ++i)
        combo->AddString(items[i].c_str());
    const int found = combo->FindStringExact(-1, control.contents.c_str());
    if (found >= 0)
        combo->SetCurSel(found);
    else
        combo->SetWindowText(control.contents.c_str());
}

void Mx_DlgDesignerData::redrawAllControls() {
    if (!designMode)
        sortAllControls();
    if (designMode && tracker)
        tracker->clearSelection();
    removeAllDrawnCtrls();
    for (int i = 0; i < controls.length(); ++i)
        drawControl(controls[i]);
}

void Mx_DlgDesignerData::removeDrawnCtrlOnly(int resId) {
    // Outside design mode there is no tracker, but the window must still go: drawing again would
    // otherwise leave two windows with the same id.
    if (tracker)
        tracker->removeRect(resId);
    int index = -1;
    CControlRect* rect = nullptr;
    if (!findDrawnCtrlFromResource(resId, index, rect))
        return;
    drawnCtrls.erase(drawnCtrls.begin() + index);
    delete rect;
}

void Mx_DlgDesignerData::removeAllDrawnCtrls() {
    for (int i = 0; i < controls.length(); ++i)
        removeDrawnCtrlOnly(controls[i].resId);
    // Windows whose control is gone (or that share id 0) go too.
    if (tracker)
        for (CControlRect* rect : drawnCtrls)
            tracker->removeRect(rect->resId());
    for (CControlRect* rect : drawnCtrls)
        delete rect;
    drawnCtrls.clear();
}

BOOL Mx_DlgDesignerData::OnEraseBkgnd(CDC* dc) {
    if (!initialized || !dc)
        return 0;
    CWnd* dialog = getDlgPtr();
    if (designMode && dialog) {
        CRect client;
        dialog->GetClientRect(&client);
        dc->FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    }
    if (!image.isNull())
        dc->DrawTransparent(0, 0, image, imageMask);
    return 0;
}

void Mx_DlgDesignerData::OnPaint(CDC* dc) {
    if (tracker && dc)
        tracker->onPaint(dc);
}

void Mx_DlgDesignerData::OnLButtonDown(UINT flags, CPoint point) {
    if (tracker)
        tracker->onLButtonDown(point, flags, true);
}

BOOL Mx_DlgDesignerData::OnSetCursor(UINT hitTest, UINT) {
    return tracker ? tracker->onSetCursor(hitTest) : FALSE;
}

// ---------------------------------------------------------------------------------------------- values

bool Mx_DlgDesignerData::getCtrlValue(int resId, Mx_String& value) {
    int index = -1;
    CControlRect* rect = nullptr;
    if (!findDrawnCtrlFromResource(resId, index, rect))
        return false;
    const Mx_DesignerControl* control = controls.at(index);
    if (control && control->type == kCtrlCheckBox)
        return getCheckValue(*control, value);
    if (control && control->type == kCtrlPositionList)
        return getComboValue(*control, value);
    CString text;
    rect->window()->GetWindowText(text);
    value = static_cast<LPCTSTR>(text);
    return true;
}

bool Mx_DlgDesignerData::setCtrlValue(int resId, const Mx_String& value) {
    int index = -1;
    CControlRect* rect = nullptr;
    if (!findDrawnCtrlFromResource(resId, index, rect) || !controls.isValidIndex(index))
        return false;
    const Mx_DesignerControl& control = controls[index];
    if (control.type == kCtrlVarButton || control.type == kCtrlVarButton2)
        return true;
    if (control.type == kCtrlCheckBox)
        return setCheckValue(control, value);
    if (control.type == kCtrlPositionList)
        return setComboValue(control, value);
    rect->window()->SetWindowText(value.c_str());
    return true;
}

bool Mx_DlgDesignerData::setCtrlReadOnly(int resId, bool readOnly) {
    int index = -1;
    CControlRect* rect = nullptr;
    if (!findDrawnCtrlFromResource(resId, index, rect) || !controls.isValidIndex(index))
        return false;
    const Mx_ControlType type = controls[index].type;
    if (type != kCtrlEdit && type != kCtrlCombo)
        return false;
    CWnd* window = rect->window();
    if (!window)
        return false;
    if ((window->IsWindowEnabled() != FALSE) == readOnly)
        window->EnableWindow(readOnly ? FALSE : TRUE);
    return true;
}

bool Mx_DlgDesignerData::isADynControl(int resId) const {
    int index = -1;
    CControlRect* rect = nullptr;
    return findDrawnCtrlFromResource(resId, index, rect);
}

bool Mx_DlgDesignerData::getDynControlType(int resId, Mx_ControlType& type) const {
    int index = -1;
    if (!findCtrlFromResource(resId, index))
        return false;
    type = controls[index].type;
    return true;
}

bool Mx_DlgDesignerData::getFocusedDynControl(int& resId) const {
    CWnd* focus = CWnd::GetFocus();
    resId = focus ? focus->GetDlgCtrlID() : 0;
    int index = -1;
    return findCtrlFromResource(resId, index);
}

bool Mx_DlgDesignerData::isTypeBoltCount(int resId) const {
    int index = -1;
    return findCtrlFromResource(resId, index) && designer::isBoltCount(controls[index].type);
}

bool Mx_DlgDesignerData::getSetComboValue(bool set, const Mx_DesignerControl& control, Mx_String& value) {
    if (control.type != kCtrlPositionList)
        return false;
    CWnd* window = nullptr;
    if (!control.getCtrlPtr(getDlgPtr(), window))
        return false;
    auto* combo = dynamic_cast<CComboBox*>(window);
    if (!combo)
        return false;
    if (set) {
        combo->SetCurSel(value.toInt());
        return true;
    }
    value = Mx_String(combo->GetCurSel());
    return true;
}

bool Mx_DlgDesignerData::getComboValue(const Mx_DesignerControl& control, Mx_String& value) {
    return getSetComboValue(false, control, value);
}

bool Mx_DlgDesignerData::setComboValue(const Mx_DesignerControl& control, const Mx_String& value) {
    Mx_String copy = value;
    return getSetComboValue(true, control, copy);
}

bool Mx_DlgDesignerData::getSetCheckValue(bool set, const Mx_DesignerControl& control, Mx_String& value) {
    if (control.type != kCtrlCheckBox && control.type != kCtrlFlexButton)
        return false;
    CButton* button = control.getButtonPtr(getDlgPtr());
    if (!button)
        return false;
    if (!set) {
        const int state = button->GetCheck();
        value = state == BST_CHECKED     ? Mx_String(L"1")
                : state == BST_UNCHECKED ? Mx_String(L"0")
                                         : dialString(695);
        return true;
    }
    const UINT others = button->GetButtonStyle() & ~static_cast<UINT>(BS_TYPEMASK);
    if (value.equal(dialString(695))) {
        button->SetButtonStyle(others | BS_AUTO3STATE);
        button->SetCheck(BST_INDETERMINATE);
    } else {
        button->SetButtonStyle(others | BS_AUTOCHECKBOX);
        button->SetCheck(value.toDouble() > 0.0 ? BST_CHECKED : BST_UNCHECKED);
    }
    button->Invalidate();
    return true;
}

bool Mx_DlgDesignerData::getCheckValue(const Mx_DesignerControl& control, Mx_String& value) {
    return getSetCheckValue(false, control, value);
}

bool Mx_DlgDesignerData::setCheckValue(const Mx_DesignerControl& control, const Mx_String& value) {
    Mx_String copy = value;
    return getSetCheckValue(true, control, copy);
}

bool Mx_DlgDesignerData::setBtnIcon(const Mx_DesignerControl& control) {
    CButton* button = control.getButtonPtr(getDlgPtr());
    if (!button)
        return false;
    if (!flexIcon) {
        VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
        flexIcon = static_cast<HICON>(LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(kFlexIconId),
                                                IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    }
    if (!flexIcon)
        return false;
    button->SetIcon(flexIcon);
    return true;
}

// ---------------------------------------------------------------------------------------------- flex buttons

void Mx_DlgDesignerData::getFlexBtnsGroups(Mx_StringArray& groups) const {
    groups.removeAll();
    for (int i = 0; i < controls.length(); ++i)
        if (controls[i].type == kCtrlFlexButton && !groups.contains(controls[i].flexGroup))
            groups.append(controls[i].flexGroup);
}

bool Mx_DlgDesignerData::getFlexBtnsInGroup(const Mx_String& group, std::vector<int>& all,
                                            std::vector<int>& withPart3) const {
    all.clear();
    withPart3.clear();
    if (group.isEmpty())
        return true;
    for (int i = 0; i < controls.length(); ++i) {
        const Mx_DesignerControl& control = controls[i];
        if (control.type != kCtrlFlexButton || !control.flexGroup.equal(group))
            continue;
        all.push_back(i);
        if (!control.flexPart3.isEmpty())
            withPart3.push_back(i);
    }
    return true;
}

bool Mx_DlgDesignerData::findFlexButton(const Mx_String& group, const Mx_String& buttonName,
                                        int& index) const {
    for (int i = 0; i < controls.length(); ++i) {
        const Mx_DesignerControl& control = controls[i];
        if (control.type == kCtrlFlexButton && control.flexGroup.equal(group) &&
            control.contents.equal(buttonName)) {
            index = i;
            return true;
        }
    }
    return false;
}

bool Mx_DlgDesignerData::getAllFlexVarsOfGroup(const Mx_String& group, Mx_StringArray& names) const {
    names.removeAll();
    for (int i = 0; i < controls.length(); ++i)
        if (controls[i].type == kCtrlFlexButton && controls[i].flexGroup.equal(group))
            names.append(controls[i].contents);
    return true;
}

bool Mx_DlgDesignerData::getFlexBtnGroupName(int resId, Mx_String& group, Mx_String& buttonName) const {
    int index = -1;
    if (!findCtrlFromResource(resId, index) || controls[index].type != kCtrlFlexButton)
        return false;
    group = controls[index].flexGroup;
    buttonName = controls[index].contents;
    return true;
}

bool Mx_DlgDesignerData::getSetFlexBtnStatus(bool set, int index, int& state) {
    const Mx_DesignerControl* control = controls.at(index);
    if (!control || control->type != kCtrlFlexButton)
        return false;
    CButton* button = control->getButtonPtr(getDlgPtr());
    if (!button)
        return false;
    if (set) {
        if (state == 2)
            state = 0;
        button->SetCheck(state);
    } else {
        state = button->GetCheck();
    }
    return true;
}

bool Mx_DlgDesignerData::getFlexBtnStatus(int index, int& state) {
    return getSetFlexBtnStatus(false, index, state);
}

bool Mx_DlgDesignerData::setFlexBtnStatus(const Mx_String& group, const Mx_String& buttonName, int state) {
    int index = -1;
    return findFlexButton(group, buttonName, index) && getSetFlexBtnStatus(true, index, state);
}

bool Mx_DlgDesignerData::hideAllFlexBtns(const Mx_String& group) {
    CWnd* dialog = getDlgPtr();
    if (!dialog)
        return false;
    for (int i = 0; i < controls.length(); ++i) {
        const Mx_DesignerControl& control = controls[i];
        if (control.type != kCtrlFlexButton || !control.flexGroup.equal(group))
            continue;
        if (CWnd* window = dialog->GetDlgItem(control.resId))
            window->ShowWindow(SW_HIDE);
    }
    return true;
}
