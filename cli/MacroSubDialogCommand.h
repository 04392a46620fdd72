#pragma once
// `connsheet macro FILE --bolt-advanced | --pattern NAME`: a sub-dialog of the macro dialog opened on
// its own, with the data a page would hand it; every change it applies is written into the drawing as
// the page would write it (the bolt tab's data through UpdateModule, a pattern into its bolt module).
#include <string>

class MacroData;

namespace connsheet {

enum class MacroSubDialog { BoltAdvanced, Pattern };

// Runs the dialog (modally, the caller's driver playing the steps). False with `problem` set when the
// macro has nothing for it: no bolt tab, no pattern of that name.
bool openMacroSubDialog(MacroSubDialog which, const std::string& name, MacroData& data, std::string& problem);

}  // namespace connsheet
