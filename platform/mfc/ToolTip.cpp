#include "platform/mfc/ToolTip.h"

#include <algorithm>
#include <map>
#include <utility>  // exchange

#include "platform/mfc/CString.h"
#include "platform/mfc/ControlPainting.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/Window.h"
#include "platform/mfc/WindowClass.h"

namespace {

struct Tool {
    HWND window = nullptr;
    UINT_PTR id = 0;
    RECT rect{};
    std::wstring text;
};

class ToolTipProcedure : public ui::WindowProcedure {
public:
    std::vector<Tool> tools;
    bool active = true;
    std::map<DWORD, int> delays{{TTDT_INITIAL, 500}, {TTDT_AUTOPOP, 5000}, {TTDT_RESHOW, 100}};
    int maxWidth = -1;

    Tool* find(HWND window, UINT_PTR id) {
        for (Tool& tool : tools)
            if (tool.window == window && tool.id == id)
                return &tool;
        return nullptr;
    }
    LRESULT handle(ui::Window& w, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_PAINT)
            return ui::defaultWindowProc(w, message, wParam, lParam);
        // Shown, a tip is a pale yellow box with a black frame around its text: the window's text,
        // else the first tool's.
        CPaintDC dc(w.wnd);
        ui::ControlFont font(dc, w);
        const RECT client = w.clientRect();
        dc.FillSolidRect(&client, GetSysColor(COLOR_INFOBK));
        dc.Draw3dRect(&client, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
        std::wstring text = w.text;
        if (text.empty() && !tools.empty())
            text = tools.front().text;
        RECT inside{client.left + 3, client.top + 1, client.right - 2, client.bottom - 1};
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(GetSysColor(COLOR_INFOTEXT));
        const UINT wrap = maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER;
        dc.DrawText(CString(text), &inside, wrap | ((w.style & TTS_NOPREFIX) ? DT_NOPREFIX : 0));
        return 0;
    }

    std::wstring describe(const ui::Window&) const override {
        return L"tools=" + std::to_wstring(tools.size()) + (active ? L"" : L" inactive");
    }
};

ToolTipProcedure* tipsOf(HWND hwnd) {
    ui::Window* window = ui::windowFromHandle(hwnd);
    return window ? dynamic_cast<ToolTipProcedure*>(window->procedure.get()) : nullptr;
}

// Every tooltip window, newest last, so a tool's tip can be found from the tool.
std::vector<HWND>& tooltipWindows() {
    static std::vector<HWND> windows;
    return windows;
}

}  // namespace

namespace ui {

void registerToolTipClass() {
    registerWindowClass({TOOLTIPS_CLASS, [] { return std::make_unique<ToolTipProcedure>(); },
                         [] { return std::make_unique<CToolTipCtrl>(); }});
}

std::wstring toolTipText(HWND tool) {
    auto& windows = tooltipWindows();
    // Forget tooltip windows that were destroyed.
    std::erase_if(windows, [](HWND hwnd) { return tipsOf(hwnd) == nullptr; });
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        ToolTipProcedure* tips = tipsOf(*it);
        if (!tips->active)
            continue;
        for (const Tool& entry : tips->tools)
            if (entry.window == tool && !entry.text.empty())
                return entry.text;
    }
    return {};
}

std::wstring toolTipText(const Automation& dlg, int id) {
    return toolTipText(dlg.find(id));
}

}  // namespace ui

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    if (!ui::isWindowClassRegistered(TOOLTIPS_CLASS))
        ui::registerToolTipClass();
    ui::CreateParams params;
    params.className = TOOLTIPS_CLASS;
    params.style = WS_POPUP | style;
    params.parent = parent ? parent->GetSafeHwnd() : nullptr;
    params.attach = this;
    if (!ui::createWindow(params))
        return FALSE;
    tooltipWindows().push_back(m_hWnd);
    return TRUE;
}

BOOL CToolTipCtrl::AddTool(CWnd* tool, LPCTSTR text, LPCRECT rect, UINT_PTR id) {
    ToolTipProcedure* tips = tipsOf(m_hWnd);
    if (!tips || !tool || !tool->GetSafeHwnd())
        return FALSE;
    Tool entry;
    entry.window = tool->GetSafeHwnd();
    entry.id = id;
    if (rect)
        entry.rect = *rect;
    // LPSTR_TEXTCALLBACK and similar non-text pointers are not text; keep the tip empty then.
    if (text && !IS_INTRESOURCE(text))
        entry.text = text;
    if (Tool* existing = tips->find(entry.window, id))
        *existing = std::move(entry);
    else
        tips->tools.push_back(std::move(entry));
    return TRUE;
}

BOOL CToolTipCtrl::AddTool(CWnd* tool, UINT textResourceId, LPCRECT rect, UINT_PTR id) {
    CString text;
    text.LoadString(textResourceId);
    return AddTool(tool, text.GetString(), rect, id);
}

void CToolTipCtrl::DelTool(CWnd* tool, UINT_PTR id) {
    ToolTipProcedure* tips = tipsOf(m_hWnd);
    if (!tips || !tool)
        return;
    std::erase_if(tips->tools, [&](const Tool& t) { return t.window == tool->GetSafeHwnd() && t.id == id; });
}

void CToolTipCtrl::UpdateTipText(LPCTSTR text, CWnd* tool, UINT_PTR id) {
    ToolTipProcedure* tips = tipsOf(m_hWnd);
    if (!tips || !tool)
        return;
    if (Tool* entry = tips->find(tool->GetSafeHwnd(), id))
        entry->text = text && !IS_INTRESOURCE(text) ? text : L"";
}

void CToolTipCtrl::GetText(CString& text, CWnd* tool, UINT_PTR id) const {
    ToolTipProcedure* tips = tipsOf(m_hWnd);
    Tool* entry = tips && tool ? tips->find(tool->GetSafeHwnd(), id) : nullptr;
    text = entry ? CString(entry->text) : CString();
}

int CToolTipCtrl::GetToolCount() const {
    const ToolTipProcedure* tips = tipsOf(m_hWnd);
    return tips ? int(tips->tools.size()) : 0;
}

void CToolTipCtrl::Activate(BOOL activate) {
    if (ToolTipProcedure* tips = tipsOf(m_hWnd))
        tips->active = activate != FALSE;
}

bool CToolTipCtrl::isActive() const {
    const ToolTipProcedure* tips = tipsOf(m_hWnd);
    return tips && tips->active;
}

void CToolTipCtrl::SetDelayTime(DWORD which, int milliseconds) {
    ToolTipProcedure* tips = tipsOf(m_hWnd);
    if (!tips)
        return;
    if (which == TTDT_AUTOMATIC) {
        tips->delays[TTDT_INITIAL] = milliseconds;
        tips->delays[TTDT_AUTOPOP] = milliseconds * 10;
        tips->delays[TTDT_RESHOW] = milliseconds / 5;
    } else {
        tips->delays[which] = milliseconds;
    }
}

int CToolTipCtrl::GetDelayTime(DWORD which) const {
    ToolTipProcedure* tips = tipsOf(m_hWnd);
    return tips ? tips->delays[which] : 0;
}

int CToolTipCtrl::SetMaxTipWidth(int width) {
    ToolTipProcedure* tips = tipsOf(m_hWnd);
    return tips ? std::exchange(tips->maxWidth, width) : -1;
}

void CToolTipCtrl::RelayEvent(LPMSG) {}
