#pragma once
// The words of the macro file format for the program's numbered kinds and switches, shared by its
// reader and writer.
#include <cstddef>

#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/Mx_Macro.h"

namespace macrojson::names {

inline constexpr const char* kCutValueKeys[kCutValueCount] = {
    "offset",        "polyOffset",     "lengthOffset",   "centerOffset", "insideOffset",
    "outsideOffset", "chamferOffset1", "chamferOffset2", "radius",
};

struct Named {
    const char* name;
    int value;
};
inline constexpr Named kModuleKinds[] = {{"general", 0}, {"bolt", 1}, {"profile", 2}};
inline constexpr Named kTabKinds[] = {{"general", MacroTabData::kGeneral},
                                      {"bolt", MacroTabData::kBolt},
                                      {"profile", MacroTabData::kProfile},
                                      {"array", MacroTabData::kArray}};
inline constexpr Named kCellKinds[] = {{"number", MacroCell::kNumber},
                                       {"text", MacroCell::kText},
                                       {"combo", MacroCell::kCombo},
                                       {"editCombo", MacroCell::kEditCombo},
                                       {"checkBox", MacroCell::kCheckBox}};

template <std::size_t N>
const char* nameOf(const Named (&table)[N], int value) {
    for (const Named& entry : table) {
        if (entry.value == value)
            return entry.name;
    }
    return table[0].name;
}

// How the pattern dialog lays a pattern out.
inline constexpr Named kAlignments[] = {{"varies", static_cast<int>(PatternAlignment::Varies)},
                                        {"end", static_cast<int>(PatternAlignment::End)},
                                        {"distributed", static_cast<int>(PatternAlignment::Distributed)},
                                        {"start", static_cast<int>(PatternAlignment::Start)}};

// The bolt settings of a bolt tab (what the bolt-advanced dialog edits).
inline constexpr Named kSwitchStates[] = {{"off", static_cast<int>(Switch::Off)},
                                          {"on", static_cast<int>(Switch::On)},
                                          {"varies", static_cast<int>(Switch::Varies)}};

struct SwitchMember {
    const char* name;
    Switch MacroBoltData::*member;
};
inline constexpr SwitchMember kBoltSwitches[] = {
    {"workshop", &MacroBoltData::workshop}, {"countersunk", &MacroBoltData::countersunk},
    {"flipped", &MacroBoltData::flipped},   {"tapped", &MacroBoltData::tapped},
    {"nut1", &MacroBoltData::nut1},         {"nut2", &MacroBoltData::nut2},
    {"washer1", &MacroBoltData::washer1},   {"washer2", &MacroBoltData::washer2},
    {"washers", &MacroBoltData::washers}};

}  // namespace macrojson::names
