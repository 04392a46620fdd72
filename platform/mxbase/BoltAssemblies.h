#pragma once
// The bolt assemblies the bolt pages offer, and the diameters to choose from.
//
// An assembly is named by its size and grade, "M20 8.8" (with " HV" for a preloaded set). The list
// is the ISO metric coarse sizes M12 to M36 in the grades 8.8 and 10.9, each also as HV set.
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class MacroData;

void GetAssemblies(Mx_StringArray& assemblies);
// The diameters of the assemblies, merged with the diameters the bolt tabs of `data` use (the tab of
// `moduleName` first: a value the list lacks still shows), in ascending order without repeats.
void GetMergedDiameters(const MacroData& data, const Mx_String& moduleName, Mx_StringArray& diameters);
