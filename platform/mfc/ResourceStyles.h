#pragma once
// Internal: the style names resource text may use (WS_, WS_EX_, DS_, BS_, ES_, CBS_, LBS_, SS_).
#include <string>

#include "platform/mfc/Win32Types.h"

namespace ui {

// False for an unknown name. Names are upper case.
bool styleValue(const std::string& name, DWORD& value);

}  // namespace ui
