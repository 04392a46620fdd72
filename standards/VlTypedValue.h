#pragma once
// The value text a variable holds once an equation or a child sheet has given it a result: the text
// its declared type writes, so that a value reads the same whichever way it was computed.
//
// - Double: the number with 7 decimals ("110.0000000"), as arithmetic gives it through the equation
//   cell, also when a function handed back a text that reads as a number (GETCELL's "110").
// - Int: the whole number, halves away from zero (2.5 gives 3, -2.5 gives -3): what the variable's
//   cell with 0 decimals shows. The cell then holds that whole number too, so later equations
//   compute with the value the sheet shows. A sheet that wants another rounding says so
//   (INT, CEILING, ROUNDTO).
// - String, and a text that is no number (an empty result, "abc"): as it is.
#include "platform/mxbase/Mx_String.h"
#include "standards/VlValueType.h"

Mx_String vlTypedValue(const Mx_String& text, VlValueType type);
// The same for a result the grid computed as a number, for an Int or Double variable.
Mx_String vlTypedValue(double number, VlValueType type);
