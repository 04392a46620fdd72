#include "macrodlg/MacroDlgRegistry.h"

#include <algorithm>

#include "macrodlg/CDlgMacro.h"
#include "macrodlg/MacroEditorWindow.h"

MacroDlgRegistry& MacroDlgRegistry::instance() {
    static MacroDlgRegistry registry;
    return registry;
}

MacroDlgRegistry::MacroDlgRegistry() = default;

MacroDlgRegistry::~MacroDlgRegistry() = default;

CDlgMacro* MacroDlgRegistry::at(int id) const {
    if (id < 0 || id >= length())
        return nullptr;
    return m_slots[static_cast<std::size_t>(id)];
}

int MacroDlgRegistry::highestEmptySlot() const {
    int id = -1;
    for (int i = 0; i < length(); ++i) {
        if (m_slots[static_cast<std::size_t>(i)] == nullptr)
            id = i;
    }
    return id;
}

int MacroDlgRegistry::appendSlot() {
    m_slots.push_back(nullptr);
    return length() - 1;
}

void MacroDlgRegistry::place(int id, CDlgMacro* dialog) {
    if (id < 0)
        return;
    if (id >= length())
        m_slots.resize(static_cast<std::size_t>(id) + 1, nullptr);
    m_slots[static_cast<std::size_t>(id)] = dialog;
}

void MacroDlgRegistry::release(int id) {
    if (id < 0 || id >= length())
        return;
    m_slots[static_cast<std::size_t>(id)] = nullptr;
    if (id != length() - 1)
        return;
    while (!m_slots.empty() && m_slots.back() == nullptr)
        m_slots.pop_back();
}

void MacroDlgRegistry::deleteRetired() {
    std::vector<CDlgMacro*> retired;
    retired.swap(m_retired);
    for (CDlgMacro* dialog : retired)
        delete dialog;
}

void MacroDlgRegistry::addDeferred(UINT_PTR timer, int dialogId) {
    m_deferred.emplace_back(timer, dialogId);
}

bool MacroDlgRegistry::deferredDialog(UINT_PTR timer, int& dialogId) const {
    for (const auto& [id, dialog] : m_deferred) {
        if (id == timer) {
            dialogId = dialog;
            return true;
        }
    }
    return false;
}

void MacroDlgRegistry::removeDeferred(UINT_PTR timer) {
    m_deferred.erase(std::remove_if(m_deferred.begin(), m_deferred.end(),
                                    [timer](const auto& record) { return record.first == timer; }),
                     m_deferred.end());
}

void MacroDlgRegistry::setEditor(std::unique_ptr<MacroEditorWindow> editor) {
    m_editor = std::move(editor);
}

std::unique_ptr<MacroEditorWindow> MacroDlgRegistry::takeEditor() {
    return std::move(m_editor);
}
