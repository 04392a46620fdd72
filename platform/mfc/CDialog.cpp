#include "platform/mfc/CDialog.h"

#include <algorithm>

#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/StandardClasses.h"
#include "platform/mfc/UiDriver.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/Window.h"

using ui::Window;
using ui::windowFromHandle;

namespace ui {
namespace {

// The "#32770" class's own handling: a close box means Cancel, unless Cancel is disabled.
class DialogProcedure : public WindowProcedure {
public:
    LRESULT handle(Window& w, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CLOSE) {
            Window* cancel = w.findChild(IDCANCEL);
            if (cancel && !cancel->isEnabled()) return 0;
            sendMessage(w.handle, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel ? cancel->handle : nullptr));
            return 0;
        }
        return defaultWindowProc(w, message, wParam, lParam);
    }
};

// The window below the dialog that holds the focus, or null when the focus is elsewhere.
Window* focusedControl(Window& dialog) {
    Window* focus = windowFromHandle(focusWindow());
    for (Window* f = focus; f; f = f->isChild() ? f->parent : nullptr)
        if (f->parent == &dialog) return focus;
    return nullptr;
}

void focusControl(Window* control) {
    if (!control) return;
    setFocus(control->handle);
    // Tabbing into an edit selects its text, as the dialog manager does.
    if (sendMessage(control->handle, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        sendMessage(control->handle, EM_SETSEL, 0, -1);
}

Window* firstTabStop(Window& dialog) {
    std::vector<Window*> stops = tabOrder(dialog);
    return stops.empty() ? nullptr : stops.front();
}

// Presses the button of that id as the dialog manager does for Return and Escape: nothing when the
// button exists but is disabled.
void pressDialogButton(Window& dialog, int id) {
    Window* button = dialog.findChild(id);
    if (button && (!button->isEnabled() || !button->isVisible())) return;
    sendMessage(dialog.handle, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                reinterpret_cast<LPARAM>(button ? button->handle : nullptr));
}

}  // namespace

std::unique_ptr<WindowProcedure> makeDialogProcedure() { return std::make_unique<DialogProcedure>(); }

}  // namespace ui

BOOL IsDialogMessage(HWND pageHandle, MSG* msg) {
    Window* page = windowFromHandle(pageHandle);
    if (!page || !msg || msg->message != WM_KEYDOWN) return FALSE;
    if (msg->hwnd != pageHandle && !IsChild(pageHandle, msg->hwnd)) return FALSE;
    // A page (DS_CONTROL) takes part in the keyboard interface of the dialog it sits in.
    Window* dialog = ui::navigationRoot(*page);
    HWND dialogHandle = dialog->handle;
    UINT code = static_cast<UINT>(ui::sendMessage(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg)));
    if (code & DLGC_WANTALLKEYS) return FALSE;
    switch (msg->wParam) {
    case VK_TAB: {
        if (code & DLGC_WANTTAB) return FALSE;
        CWnd* self = CWnd::FromHandle(dialogHandle);
        Window* current = ui::focusedControl(*dialog);
        CWnd* next = self->GetNextDlgTabItem(current ? current->wnd : nullptr, ui::isKeyDown(VK_SHIFT));
        if (next) ui::focusControl(windowFromHandle(next->m_hWnd));
        return TRUE;
    }
    case VK_ESCAPE:
        ui::pressDialogButton(*dialog, IDCANCEL);
        return TRUE;
    case VK_RETURN: {
        int id = IDOK;
        if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
            id = GetDlgCtrlID(msg->hwnd);
        } else if (auto* d = dynamic_cast<CDialog*>(CWnd::FromHandle(dialogHandle))) {
            id = static_cast<int>(LOWORD(d->GetDefID()));
        }
        ui::pressDialogButton(*dialog, id);
        return TRUE;
    }
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
        if ((code & DLGC_WANTARROWS) || !(code & DLGC_RADIOBUTTON)) return FALSE;
        Window* current = ui::focusedControl(*dialog);
        if (!current) return FALSE;
        bool previous = msg->wParam == VK_LEFT || msg->wParam == VK_UP;
        CWnd* next = CWnd::FromHandle(current->parent->handle)->GetNextDlgGroupItem(current->wnd, previous);
        if (next && next->m_hWnd != current->handle) {
            ui::setFocus(next->m_hWnd);
            if (ui::sendMessage(next->m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) ui::sendMessage(next->m_hWnd, BM_CLICK, 0, 0);
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

CDialog::CDialog() = default;

CDialog::CDialog(UINT templateId, CWnd* parent) : m_pParentWnd(parent), m_templateId(templateId) {}

CDialog::~CDialog() {
    if (m_disabledOwner) {
        ::EnableWindow(m_disabledOwner, TRUE);
        m_disabledOwner = nullptr;
    }
}

bool CDialog::IsModalEnded() const { return m_ended || !IsWindow(m_hWnd); }

BOOL CDialog::createFromTemplate(const ui::DialogTemplate& t, CWnd* parent, bool modal) {
    DWORD style = t.style;
    DWORD exStyle = t.exStyle | ((style & DS_CONTROL) ? WS_EX_CONTROLPARENT : 0);
    bool child = (style & WS_CHILD) != 0;
    Window* parentWindow = parent ? windowFromHandle(parent->m_hWnd) : nullptr;
    if (child && !parentWindow) return FALSE;

    RECT client = ui::dialogUnitsToPixels(t.x, t.y, t.cx, t.cy);
    RECT insets = ui::frameInsets(style, exStyle);
    int width = client.right - client.left + insets.left + insets.right;
    int height = client.bottom - client.top + insets.top + insets.bottom;
    int x = client.left, y = client.top;
    if (!child) {
        // Top-level dialogs are placed relative to their owner's client area; centred ones (and modal
        // ones, which the host always centres) sit in the middle of it.
        RECT area{0, 0, 1920, 1080};
        if (parentWindow) {
            Window* top = parentWindow->topLevel();
            POINT origin = top->clientOrigin();
            RECT c = top->clientRect();
            area = {origin.x, origin.y, origin.x + c.right, origin.y + c.bottom};
        }
        if (modal || (style & DS_CENTER)) {
            x = (area.left + area.right - width) / 2;
            y = (area.top + area.bottom - height) / 2;
        } else {
            x += area.left;
            y += area.top;
        }
    }

    ui::CreateParams p;
    p.className = WC_DIALOG;
    p.text = t.caption;
    p.style = style & ~WS_VISIBLE;  // shown after WM_INITDIALOG, as the dialog manager does
    p.exStyle = exStyle;
    p.rect = {x, y, x + width, y + height};
    p.parent = parentWindow ? parentWindow->handle : nullptr;
    p.attach = this;
    if (!ui::createWindow(p)) return FALSE;
    Window* self = windowFromHandle(m_hWnd);
    self->templateName = std::to_wstring(t.id);

    for (const ui::ControlTemplate& c : t.controls) {
        ui::CreateParams cp;
        cp.className = c.className;
        cp.text = c.text;
        cp.style = c.style | WS_CHILD;
        cp.exStyle = c.exStyle;
        cp.rect = ui::dialogUnitsToPixels(c.x, c.y, c.cx, c.cy);
        cp.parent = m_hWnd;
        cp.id = c.id;
        if (!ui::createWindow(cp)) {
            // An unknown control class fails the whole dialog, as CreateDialog does.
            DestroyWindow();
            return FALSE;
        }
    }

    HWND first = nullptr;
    if (Window* stop = ui::firstTabStop(*self)) first = stop->handle;
    HWND hwnd = m_hWnd;
    if (SendMessage(WM_INITDIALOG, reinterpret_cast<WPARAM>(first), 0)) {
        // TRUE from OnInitDialog: the first tab stop takes the focus (if nothing else took it).
        Window* s = windowFromHandle(hwnd);
        if (s && !ui::focusedControl(*s)) {
            if (Window* stop = ui::firstTabStop(*s)) ui::focusControl(stop);
        }
    }
    if (!IsWindow(hwnd)) return FALSE;
    if (modal || (style & WS_VISIBLE)) {
        if (!m_ended) ShowWindow(SW_SHOW);
        // Focus that OnInitDialog could not set while the dialog was hidden is set now.
        Window* s = windowFromHandle(hwnd);
        if (s && s->isShown() && !ui::focusedControl(*s) && !child) {
            if (Window* stop = ui::firstTabStop(*s)) ui::focusControl(stop);
        }
    }
    return TRUE;
}

INT_PTR CDialog::DoModal() {
    const ui::DialogTemplate* t = ui::findDialogTemplate(m_templateId);
    if (!t || m_hWnd) return -1;
    // Copy: a nested call may unload or replace resources while we run.
    ui::DialogTemplate dialogTemplate = *t;

    CWnd* owner = m_pParentWnd ? m_pParentWnd->GetTopLevelParent() : adsw_acadMainWnd();
    HWND focusBefore = ui::focusWindow();
    m_modal = true;
    m_ended = false;
    m_result = -1;
    if (owner && owner->IsWindowEnabled()) {
        owner->EnableWindow(FALSE);
        m_disabledOwner = owner->m_hWnd;
    }
    if (!createFromTemplate(dialogTemplate, owner, true)) {
        if (m_disabledOwner) ::EnableWindow(m_disabledOwner, TRUE);
        m_disabledOwner = nullptr;
        m_modal = false;
        if (m_hWnd) DestroyWindow();
        return -1;
    }
    if (!IsModalEnded()) ui::activeDriver().runModal(*this);

    // The owner is enabled before the dialog goes, so activation returns to it.
    if (m_disabledOwner) ::EnableWindow(m_disabledOwner, TRUE);
    m_disabledOwner = nullptr;
    if (m_hWnd) {
        ShowWindow(SW_HIDE);
        DestroyWindow();
    }
    m_modal = false;
    if (IsWindow(focusBefore)) ui::setFocus(focusBefore);
    return m_result;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    const ui::DialogTemplate* t = ui::findDialogTemplate(templateId);
    if (!t || m_hWnd) return FALSE;
    m_templateId = templateId;
    ui::DialogTemplate dialogTemplate = *t;
    return CreateIndirect(dialogTemplate, parent);
}

BOOL CDialog::CreateIndirect(const ui::DialogTemplate& dialogTemplate, CWnd* parent) {
    if (m_hWnd) return FALSE;
    m_pParentWnd = parent;
    m_modal = false;
    m_ended = false;
    return createFromTemplate(dialogTemplate, parent, false);
}

void CDialog::EndDialog(int result) {
    if (m_modal) {
        m_result = result;
        m_ended = true;
        return;
    }
    // A modeless dialog is only hidden; its owner destroys it.
    m_result = result;
    if (m_hWnd) ShowWindow(SW_HIDE);
}

BOOL CDialog::OnInitDialog() { return TRUE; }

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::SetDefID(UINT id) {
    m_defaultId = id;
    m_defaultIdSet = true;
}

DWORD CDialog::GetDefID() const {
    if (m_defaultIdSet) return MAKELONG(static_cast<WORD>(m_defaultId), 0x534B);  // DC_HASDEFID
    if (Window* self = windowFromHandle(m_hWnd)) {
        for (Window* c : self->children)
            if (ui::findWindowClass(c->className) == ui::findWindowClass(WC_BUTTON) && (c->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                return MAKELONG(static_cast<WORD>(c->id), 0x534B);
    }
    return MAKELONG(IDOK, 0x534B);
}

void CDialog::GotoDlgCtrl(CWnd* control) {
    if (control) ui::focusControl(windowFromHandle(control->m_hWnd));
}

void CDialog::NextDlgCtrl() const {
    Window* self = windowFromHandle(m_hWnd);
    if (!self) return;
    Window* current = ui::focusedControl(*self);
    CWnd* next = GetNextDlgTabItem(current ? current->wnd : nullptr, FALSE);
    if (next) ui::focusControl(windowFromHandle(next->m_hWnd));
}

void CDialog::PrevDlgCtrl() const {
    Window* self = windowFromHandle(m_hWnd);
    if (!self) return;
    Window* current = ui::focusedControl(*self);
    CWnd* next = GetNextDlgTabItem(current ? current->wnd : nullptr, TRUE);
    if (next) ui::focusControl(windowFromHandle(next->m_hWnd));
}

void CDialog::MapDialogRect(LPRECT rect) const { ::MapDialogRect(m_hWnd, rect); }

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OnInitDialog();
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    WORD code = HIWORD(wParam);
    if (code == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (CWnd::PreTranslateMessage(msg)) return TRUE;
    return IsDialogMessage(m_hWnd, msg);
}
