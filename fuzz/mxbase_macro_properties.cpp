// Property files from anywhere must be refused with a message and leave the macro as it was, never
// crash. Whatever is accepted must be taken again without changing anything more.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroJson.h"
#include "platform/mxbase/MacroPropertyFile.h"
#include "platform/mxbase/Mx_Macro.h"

namespace {

// The end plate's tabs, written in here so the target needs no file.
constexpr std::string_view kMacro = R"({"version": 1, "name": "EndPlate", "tabs": [
  {"name": "Plates", "kind": "general", "module": "EndPlate",
   "cells": [{"name": "Thickness", "value": "15"}, {"name": "Width", "value": "200", "readOnly": true}]},
  {"name": "Bolts", "kind": "bolt", "module": "EndPlateBolts", "boltData": {"composition": "M20", "diameter": "20"}},
  {"name": "Stiffeners", "kind": "profile", "module": "Stiffeners",
   "profileGroups": [{"group": "Stiffeners", "section": "PL-10x95", "material": "S355"}]}]})";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Mx_Macro macro;
    MacroData tabs;
    Mx_String error;
    if (!macrojson::read(kMacro, macro, &tabs, error))
        std::abort();
    const MacroData before = tabs;
    int count = -1;
    if (!macroprops::read(std::string_view(reinterpret_cast<const char*>(data), size), tabs, count, error)) {
        if (error.isEmpty() || !tabs.sameTabs(before) || count != -1)
            std::abort();  // a refusal says why and changes nothing
        return 0;
    }
    if (count < 0 || (count == 0) != tabs.sameTabs(before))
        std::abort();  // the count tells whether anything changed
    const MacroData taken = tabs;
    int again = -1;
    if (!macroprops::read(macroprops::write(tabs), tabs, again, error) || again != 0 || !tabs.sameTabs(taken))
        std::abort();
    return 0;
}
