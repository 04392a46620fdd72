#pragma once
// Why a variable's value could not be had from the macro, or set into it. The legacy message only
// guesses ("Make sure the variable exists in the macro or module"); the run's report says what is
// missing: the module group, the module's tab, the variable, cut or pattern, the mapping line's link,
// or a value the macro does not take. Worked out only after the exchange failed, so the exchange
// itself stays as it is.
#include <string>

class VlDlgStandardsData;
class VlSSMapping;
class VlVarCell;

std::string vlExchangeCause(const VlSSMapping& mapping, const VlVarCell& cell, const VlDlgStandardsData& data,
                            bool set);
