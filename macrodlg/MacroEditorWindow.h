#pragma once
// What the entry points need of the macro editor (dialog 8715): the editor is built elsewhere and
// plugs in through a factory. Without one installed the editor's entry points open nothing.
#include <functional>
#include <memory>

#include "platform/mfc/Win32Types.h"
#include "platform/mxbase/EditConstrData.h"

class CWnd;

class MacroEditorWindow {
public:
    virtual ~MacroEditorWindow() = default;

    virtual void setData(const EditConstrData& data) = 0;
    virtual const EditConstrData& data() const = 0;
    virtual void setModeless(bool modeless) = 0;
    // Modal run: IDOK or IDCANCEL.
    virtual INT_PTR runModal(CWnd* owner) = 0;
    // Modeless: creates the window from its template and shows it. False when that failed.
    virtual bool createModeless(CWnd* owner) = 0;
    // Destroys the modeless window; false when it could not be destroyed.
    virtual bool destroyWindow() = 0;
};

using MacroEditorFactory = std::function<std::unique_ptr<MacroEditorWindow>()>;
void setMacroEditorFactory(MacroEditorFactory factory);
// A new editor, or null when none is installed.
std::unique_ptr<MacroEditorWindow> makeMacroEditor();

// The macro settings dialog (8141) that the editor's settings button opens on the edited macro: it reads
// the settings, runs the dialog and writes them on OK. IDCANCEL (nothing written) when none is installed.
using MacroSettingsRunner = std::function<INT_PTR(EditConstrData& data, CWnd* owner)>;
void setMacroSettingsRunner(MacroSettingsRunner runner);
INT_PTR runMacroSettings(EditConstrData& data, CWnd* owner);
