#include "platform/mfc/WindowClass.h"

#include <cwctype>
#include <vector>

#include "platform/mfc/CWnd.h"
#include "platform/mfc/StandardClasses.h"

namespace ui {
namespace {

bool sameName(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

std::vector<WindowClass>& classes() {
    // Never destroyed, like the window table that uses it.
    static std::vector<WindowClass>* all = [] {
        auto* v = new std::vector<WindowClass>;
        for (WindowClass& c : standardWindowClasses()) v->push_back(std::move(c));
        return v;
    }();
    return *all;
}

}  // namespace

void registerWindowClass(WindowClass windowClass) {
    for (WindowClass& c : classes()) {
        if (sameName(c.name, windowClass.name)) {
            c = std::move(windowClass);
            return;
        }
    }
    classes().push_back(std::move(windowClass));
}

bool isWindowClassRegistered(const std::wstring& name) { return findWindowClass(name) != nullptr; }

const WindowClass* findWindowClass(const std::wstring& name) {
    for (const WindowClass& c : classes())
        if (sameName(c.name, name)) return &c;
    return nullptr;
}

}  // namespace ui
