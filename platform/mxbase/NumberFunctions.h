#pragma once
// Numbers as the core library writes, reads, rounds and sorts them. Nothing here depends on the
// process locale: the decimal point is always ".".
#include <string_view>

#include "platform/arx/AcArray.h"
#include "platform/mxbase/Mx_String.h"

// Number of decimals of the texts that GETCELL/GETPROFCELL keys are made of ("10.000000").
inline constexpr int kKeyDecimals = 6;

// Fixed notation with `decimals` (clamped to 0..20) digits after ".", rounded half away from zero on
// the decimal text of the value (so 2.675 with 2 decimals gives "2.68", as typed). A result that
// rounds to zero is written without a minus sign ("0.00", never "-0.00"); NaN and infinities give
// "nan", "inf" and "-inf". With `trimZeros` trailing zeros of the fraction and a bare "." go.
Mx_String formatNumber(double value, int decimals, bool trimZeros = false);
// The key text of a number: formatNumber(value, kKeyDecimals).
Mx_String formatKeyNumber(double value);
// The shortest text that reads back as the same double ("0.1", "12", "1e+300").
Mx_String formatShortest(double value);

// Reads a whole decimal number: blanks (space, tab, CR, LF) around it, an optional sign, digits with
// an optional "." fraction (at least one digit in all, so "5." and ".5" are numbers and "." is not),
// an optional exponent ("e" or "E", optional sign, at least one digit). Nothing else: no thousands
// separators, no ",", no hexadecimal, no "inf"/"nan". A number too large for a double is refused.
// `value` is left alone on failure.
bool parseNumber(std::wstring_view text, double& value);

// The nearest multiple of `step`, halves away from zero: RoundTo(2.5, 1) = 3, RoundTo(-2.5, 1) = -3.
// A quotient that misses a half or a whole only by binary representation counts as that half or
// whole, so RoundTo(0.15, 0.1) = 0.2 and RoundTo(1.005, 0.01) = 1.01 as a user expects, and the result
// is the multiple closest to its decimal text (3 * 0.1 gives 0.3, not 0.30000000000000004).
// A step of 0 or less, or a value or step that is not finite, returns `value` unchanged.
double ObjectExportRoundTo(double value, double step);
// The smallest multiple of `step` that is not below `value` (towards +infinity: RoundUp(-2.5, 1) = -2).
// A value that is a multiple but for binary representation stays (RoundUp(0.3, 0.1) = 0.3).
// Same rule as RoundTo for a step of 0 or less.
double ObjectExportRoundUp(double value, double step);
// The same with the result in `result`; false (and `result` = `value`) when the step is 0 or less
// or either number is not finite.
bool ObjectExportRoundUp(double value, double step, double& result);

// Sorts `keys` and reorders `companions` the same way, so companions[i] stays with keys[i]. Stable:
// equal keys keep their order. NaN keys go last. False, and nothing changes, when the arrays differ
// in length.
bool ObjectExportSort(AcArray<double>& keys, bool ascending = true);
bool ObjectExportSort(AcArray<double>& keys, AcArray<int>& companions, bool ascending = true);
bool ObjectExportSort(AcArray<double>& keys, AcArray<double>& companions, bool ascending = true);
