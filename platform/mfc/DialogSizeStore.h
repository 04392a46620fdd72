#pragma once
// Where dialogs remember their size (and, when asked, their position) and a few per-dialog switches,
// under a name of their own ("DLG_EDIT_MACRO"). Kept in the registry (RegistryStore.h), so the command
// keeps them across runs in the user's registry file and tests start from nothing:
//     HKEY_CURRENT_USER\Software\Vorlane\connsheet\Dialogs\<name>: "Width", "Height", "Left", "Top"
// and the switches as DWORD values 0/1 beside them.
#include <optional>
#include <string>

namespace ui {

struct DialogPlacement {
    int width = 0;
    int height = 0;
    std::optional<int> left;  // both or neither
    std::optional<int> top;
};

class DialogSizeStore {
public:
    // The registry key below HKEY_CURRENT_USER that holds one dialog's values.
    static std::wstring keyFor(const std::wstring& name);

    // Nothing for an unknown name, an empty name, or a stored size that no window could have (not
    // positive, or beyond maxSide): such values come from a damaged file, never from a dialog.
    static std::optional<DialogPlacement> read(const std::wstring& name);
    // False for an empty name, a size that is not positive, or when the registry cannot be written.
    static bool write(const std::wstring& name, const DialogPlacement& placement);

    static bool readSwitch(const std::wstring& name, const std::wstring& value, bool& on);
    static bool writeSwitch(const std::wstring& name, const std::wstring& value, bool on);

    static constexpr int maxSide = 16384;
};

}  // namespace ui
