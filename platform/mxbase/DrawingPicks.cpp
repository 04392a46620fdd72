#include "platform/mxbase/DrawingPicks.h"

#include <optional>
#include <string>
#include <utility>

#include "platform/mxbase/MacroDrawing.h"
#include "platform/mxbase/UiTexts.h"

namespace {

struct State {
    Mx_StringArray coordSystems;
    int made = 0;
    std::optional<std::pair<double, double>> point;
};

State& state() {
    static State current;
    return current;
}

constexpr const wchar_t* kInsertionPoints[] = {L"Top left",    L"Top centre",    L"Top right",
                                               L"Centre left", L"Centre",        L"Centre right",
                                               L"Bottom left", L"Bottom centre", L"Bottom right"};
constexpr int kFirstCoordSysId = 9000;  // object ids of the coordinate systems, apart from the macros'

void note(const std::wstring& line) {
    MacroDrawing::active().note(line);
}

}  // namespace

void getOffsetTypeStrings(Mx_StringArray& names) {
    names.removeAll();
    for (const wchar_t* name : kInsertionPoints)
        names.append(Mx_String(name));
    names.append(dialString(695));
}

int getProfOffsetType(int index) {
    return index >= 0 && index < 9 ? index : -1;
}

void getAllCoordSys(Mx_StringArray& names) {
    names = state().coordSystems;
}

bool createCoordSys(AcDbObjectId& id, Mx_String& name) {
    State& s = state();
    ++s.made;
    name = Mx_String(L"CS") + Mx_String(s.made);
    id = AcDbObjectId(kFirstCoordSysId + s.made);
    s.coordSystems.append(name);
    note(L"createCoordSys " + name.str());
    return true;
}

bool UserPickPoint(double& x, double& y) {
    State& s = state();
    if (!s.point) {
        note(L"UserPickPoint -> cancelled");
        return false;
    }
    x = s.point->first;
    y = s.point->second;
    s.point.reset();
    note(L"UserPickPoint -> " + Mx_String(x, 2, true).str() + L"," + Mx_String(y, 2, true).str());
    return true;
}

namespace drawingpicks {

void setNextPoint(double x, double y) {
    state().point = std::make_pair(x, y);
}

void reset() {
    state() = State();
    clearUserPicks();
}

}  // namespace drawingpicks
