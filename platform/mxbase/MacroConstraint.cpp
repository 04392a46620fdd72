#include "platform/mxbase/MacroConstraint.h"

namespace {

struct KindInfo {
    const char* name;
    int objects;
};

constexpr KindInfo kKinds[MacroConstraint::kKindCount] = {
    {"parallel", 2}, {"perpendicular", 2}, {"coincident", 2},  {"symmetric", 3},
    {"tangent", 2},  {"concentric", 2},    {"equalRadius", 2}, {"distance", 2},
    {"angle", 2},    {"radius", 1},        {"fixed", 1},
};

constexpr const wchar_t* kGeometryTypes[] = {L"point",  L"line",     L"plane",
                                             L"circle", L"coordSys", L"boltPattern"};

}  // namespace

int MacroConstraint::objectsOf(int kind) {
    return kind >= 0 && kind < kKindCount ? kKinds[kind].objects : 0;
}

const char* MacroConstraint::nameOf(int kind) {
    return kind >= 0 && kind < kKindCount ? kKinds[kind].name : "";
}

bool MacroGeometry::isType(const Mx_String& type) {
    for (const wchar_t* known : kGeometryTypes) {
        if (type == Mx_String(known))
            return true;
    }
    return false;
}
