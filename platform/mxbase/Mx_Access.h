#pragma once
// Direction of the macro model's combined get/set calls (getSetConstrVarValue, getSetCutValue, ...):
// Get reads the value into the text argument, Set writes the text argument into the macro.
enum class Mx_Access { Get, Set };
