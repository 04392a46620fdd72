#include "platform/mxbase/ClashCheck.h"

#include <map>
#include <string>

#include "platform/mxbase/MacroDrawing.h"
#include "platform/mxbase/Mx_DbMacro.h"

namespace {

struct DialogInfo {
    AcArray<AcDbObjectId> ids;
    int clashes = 0;
};

bool& status() {
    static bool on = false;
    return on;
}

std::map<int, DialogInfo>& dialogs() {
    static std::map<int, DialogInfo> known;
    return known;
}

bool sameConnection(const Mx_Macro& a, const Mx_Macro& b) {
    return a.name().equal(b.name(), false) && a.baseProfiles() == b.baseProfiles();
}

}  // namespace

void clashSetStatus(bool on) {
    status() = on;
    MacroDrawing::active().note(std::wstring(L"clashSetStatus ") + (on ? L"on" : L"off"));
}

bool clashGetStatus() {
    return status();
}

void clashInitDlgStarted(int dialogId) {
    dialogs()[dialogId] = DialogInfo{};
    MacroDrawing::active().note(L"clashInitDlgStarted " + std::to_wstring(dialogId));
}

void clashResetInfo(int dialogId, const AcArray<AcDbObjectId>& ids) {
    DialogInfo& info = dialogs()[dialogId];
    info.ids = ids;
    info.clashes = 0;
    MacroDrawing::active().note(L"clashResetInfo " + std::to_wstring(dialogId) + L" " +
                                std::to_wstring(ids.length()) + L" objects");
}

int clashcheck(int dialogId, const AcArray<AcDbObjectId>& ids) {
    MacroDrawing& drawing = MacroDrawing::active();
    int clashes = 0;
    if (status()) {
        const AcArray<AcDbObjectId> all = drawing.objectIds();
        for (int i = 0; i < ids.length(); ++i) {
            const Mx_DbMacro* mine = drawing.object(ids[i]);
            if (mine == nullptr)
                continue;
            for (int j = 0; j < all.length(); ++j) {
                const Mx_DbMacro* other = drawing.object(all[j]);
                if (all[j] != ids[i] && sameConnection(*mine->macroRead(), *other->macroRead()))
                    ++clashes;
            }
        }
    }
    dialogs()[dialogId].clashes = clashes;
    drawing.note(L"clashcheck " + std::to_wstring(dialogId) + L" " +
                 (status() ? std::to_wstring(clashes) + L" clashes" : std::wstring(L"off")));
    return clashes;
}

void clashDlgClosed(int dialogId) {
    dialogs().erase(dialogId);
    MacroDrawing::active().note(L"clashDlgClosed " + std::to_wstring(dialogId));
}

int clashLastCount(int dialogId) {
    auto it = dialogs().find(dialogId);
    return it == dialogs().end() ? -1 : it->second.clashes;
}

int clashOpenDialogs() {
    return static_cast<int>(dialogs().size());
}
