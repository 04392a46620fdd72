#pragma once
// The module's registry of modeless macro dialogs, its list of deferred closes and its one modeless
// macro editor. One object for the module, touched only on the user-interface thread.
//
// A dialog's id is its slot's index. Slots are reused (the highest empty one first) and the registry
// shrinks only at its tail, so the ids callers hold stay valid while their dialogs live.
#include <memory>
#include <utility>
#include <vector>

#include "platform/mfc/Win32Types.h"

class CDlgMacro;
class MacroEditorWindow;

class MacroDlgRegistry {
public:
    static MacroDlgRegistry& instance();

    int length() const { return static_cast<int>(m_slots.size()); }
    // The dialog in slot `id`, null when the id is out of range or the slot is empty.
    CDlgMacro* at(int id) const;
    // The slot a new dialog goes to: the highest empty slot, or -1 when none is empty.
    int highestEmptySlot() const;
    // Appends an empty slot and returns its index.
    int appendSlot();
    void place(int id, CDlgMacro* dialog);
    // Empties the slot; when it was the last one, drops every empty slot at the tail.
    void release(int id);

    // A dialog that closed itself from one of its own handlers is deleted once that handler has
    // returned: it is kept here until the next call of an entry point.
    void retire(CDlgMacro* dialog) { m_retired.push_back(dialog); }
    void deleteRetired();

    // --- deferred closes: {timer id, dialog id}
    void addDeferred(UINT_PTR timer, int dialogId);
    // The dialog id recorded for the timer; false when the timer is not in the list.
    bool deferredDialog(UINT_PTR timer, int& dialogId) const;
    void removeDeferred(UINT_PTR timer);
    const std::vector<std::pair<UINT_PTR, int>>& deferred() const { return m_deferred; }

    // --- the modeless macro editor (null when none is open)
    MacroEditorWindow* editor() const { return m_editor.get(); }
    void setEditor(std::unique_ptr<MacroEditorWindow> editor);
    std::unique_ptr<MacroEditorWindow> takeEditor();

    // The cut-preview option of the profile-cuts editor, kept between its runs.
    bool cutPreview = true;

private:
    MacroDlgRegistry();
    ~MacroDlgRegistry();

    std::vector<CDlgMacro*> m_slots;
    std::vector<CDlgMacro*> m_retired;
    std::vector<std::pair<UINT_PTR, int>> m_deferred;
    std::unique_ptr<MacroEditorWindow> m_editor;
};
