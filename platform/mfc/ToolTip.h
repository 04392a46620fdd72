#pragma once
// MFC's CToolTipCtrl over "tooltips_class32". A tooltip control keeps, per tool (a window, or a
// rectangle of a window with an id), the text shown when the mouse rests on it. Nothing pops up here;
// ui::toolTipText answers what would be shown, for tests and for the text dump.
#include <string>
#include <vector>

#include "platform/mfc/Automation.h"
#include "platform/mfc/CWnd.h"

#define TOOLTIPS_CLASS L"tooltips_class32"

constexpr DWORD TTS_ALWAYSTIP = 0x1;
constexpr DWORD TTS_NOPREFIX = 0x2;
constexpr DWORD TTDT_AUTOMATIC = 0;
constexpr DWORD TTDT_RESHOW = 1;
constexpr DWORD TTDT_AUTOPOP = 2;
constexpr DWORD TTDT_INITIAL = 3;

class CToolTipCtrl : public CWnd {
public:
    // A tooltip window owned by `parent` (destroyed with it).
    BOOL Create(CWnd* parent, DWORD style = 0);
    using CWnd::Create;  // the window-class form stays callable beside this one

    // A tool for a whole window (rect null and id 0) or for a rectangle of it, by id.
    BOOL AddTool(CWnd* tool, LPCTSTR text, LPCRECT rect = nullptr, UINT_PTR id = 0);
    BOOL AddTool(CWnd* tool, UINT textResourceId, LPCRECT rect = nullptr, UINT_PTR id = 0);
    void DelTool(CWnd* tool, UINT_PTR id = 0);
    void UpdateTipText(LPCTSTR text, CWnd* tool, UINT_PTR id = 0);
    void GetText(CString& text, CWnd* tool, UINT_PTR id = 0) const;
    int GetToolCount() const;
    // While inactive no tip shows (toolTipText answers nothing).
    void Activate(BOOL activate);
    bool isActive() const;
    void SetDelayTime(DWORD which, int milliseconds);
    int GetDelayTime(DWORD which) const;
    int SetMaxTipWidth(int width);
    // Mouse messages a tool window forwards; kept for source compatibility, nothing to do headless.
    void RelayEvent(LPMSG message);
};

namespace ui {
void registerToolTipClass();
// The tip a user would see over the window (of any active tooltip control that knows it; the most
// recently created wins); empty when none.
std::wstring toolTipText(HWND tool);
// The tip over a control of an automated dialog.
std::wstring toolTipText(const Automation& dlg, int id);
}  // namespace ui
