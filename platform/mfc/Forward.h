#pragma once
// Forward declarations of the window platform's classes, for headers that only pass them around.

class CAcUiDialog;
class CButton;
class CComboBox;
class CDC;
class CDialog;
class CEdit;
class CFileDialog;
class CFont;
class CListBox;
class CMenu;
class CStatic;
class CString;
class CWnd;
class CPoint;
class CRect;
class CSize;
class VlTempResourceOverride;

namespace ui {
class Automation;
class ResourceModule;
class ScriptedDriver;
class UiDriver;
class Window;
class WindowProcedure;
struct DialogTemplate;
struct WindowClass;
}  // namespace ui
