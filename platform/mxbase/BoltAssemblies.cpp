#include "platform/mxbase/BoltAssemblies.h"

#include <algorithm>
#include <cwchar>  // wcstod
#include <vector>

#include "platform/mxbase/MacroData.h"

namespace {

constexpr int kSizes[] = {12, 16, 20, 24, 27, 30, 36};
constexpr const wchar_t* kGrades[] = {L"8.8", L"10.9"};

double numberOf(const Mx_String& text) {
    return std::wcstod(text.c_str(), nullptr);
}

}  // namespace

void GetAssemblies(Mx_StringArray& assemblies) {
    assemblies.removeAll();
    for (int size : kSizes) {
        for (const wchar_t* grade : kGrades) {
            const std::wstring name = L"M" + std::to_wstring(size) + L" " + grade;
            assemblies.append(Mx_String(name));
            assemblies.append(Mx_String(name + L" HV"));
        }
    }
}

void GetMergedDiameters(const MacroData& data, const Mx_String& moduleName, Mx_StringArray& diameters) {
    (void)moduleName;  // every bolt tab of the data adds its diameter, that module's included
    std::vector<Mx_String> merged;
    for (int size : kSizes)
        merged.emplace_back(std::to_wstring(size));
    for (const MacroTabData& tab : data.tabs()) {
        const MacroBoltData* bolts = nullptr;
        if (tab.getBoltData(bolts) != Acad::eOk || bolts->diameter.isEmpty())
            continue;
        if (std::none_of(merged.begin(), merged.end(),
                         [&](const Mx_String& d) { return d == bolts->diameter; }))
            merged.push_back(bolts->diameter);
    }
    std::stable_sort(merged.begin(), merged.end(),
                     [](const Mx_String& a, const Mx_String& b) { return numberOf(a) < numberOf(b); });
    diameters.removeAll();
    for (const Mx_String& d : merged)
        diameters.append(d);
}
