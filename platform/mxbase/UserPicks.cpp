#include "platform/mxbase/UserPicks.h"

#include <deque>
#include <string>

#include "platform/mxbase/MacroDrawing.h"

namespace {

std::deque<Mx_String>& answers() {
    static std::deque<Mx_String> queue;
    return queue;
}

bool take(const std::wstring& call, Mx_String& answer) {
    if (answers().empty()) {
        MacroDrawing::active().note(call + L" -> cancelled");
        return false;
    }
    answer = answers().front();
    answers().pop_front();
    MacroDrawing::active().note(call + L" -> " + answer.str());
    return true;
}

}  // namespace

void queueUserPick(const Mx_String& answer) {
    answers().push_back(answer);
}

void clearUserPicks() {
    answers().clear();
}

bool UserChooseSection(const Mx_String& current, Mx_String& section) {
    return take(L"UserChooseSection " + current.str(), section);
}

bool UserSelectPlane(Mx_String& plane) {
    return take(L"UserSelectPlane", plane);
}

bool selectCoordSys(Mx_String& name) {
    return take(L"selectCoordSys", name);
}

bool runDesignedAction(int type, const Mx_String& action, Mx_String& result) {
    return take(L"designed action " + std::to_wstring(type) + L" " + action.str(), result);
}
