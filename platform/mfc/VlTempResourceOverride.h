#pragma once
// Makes a module's resources current while the module shows its dialogs.
//
// The module keeps one object that knows its own resource handle (the default resource). An entry
// point calls SetDefaultResource, which makes that handle current and reports whether it changed
// anything; on every way out it calls RestoreResource, which puts the previous handle back only if
// SetDefaultResource had changed it. Scope does both for a block, so no way out can forget.
#include <vector>

#include "platform/mfc/Win32Types.h"

class VlTempResourceOverride {
public:
    VlTempResourceOverride() = default;
    explicit VlTempResourceOverride(HINSTANCE defaultResource) : m_default(defaultResource) {}

    void setDefaultResourceHandle(HINSTANCE module) { m_default = module; }
    HINSTANCE defaultResourceHandle() const { return m_default; }

    // True when the current handle was another one (and is now the default). A null default changes
    // nothing.
    bool SetDefaultResource();
    // Puts back the handle the last changing SetDefaultResource replaced; does nothing when there is none.
    void RestoreResource();

    class Scope {
    public:
        explicit Scope(VlTempResourceOverride& owner) : m_owner(owner), m_changed(owner.SetDefaultResource()) {}
        ~Scope() {
            if (m_changed) m_owner.RestoreResource();
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        bool changed() const { return m_changed; }

    private:
        VlTempResourceOverride& m_owner;
        bool m_changed;
    };

private:
    HINSTANCE m_default = nullptr;
    // Handles replaced by SetDefaultResource calls not yet restored; nested runs (a child standards run
    // inside a dialog) each get back exactly what they replaced.
    std::vector<HINSTANCE> m_previous;
};
