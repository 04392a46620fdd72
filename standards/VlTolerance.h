#pragma once
// The choice the tolerance functions (STDWIDTHWITHTOLERANCE, ...) make: the standard value nearest to
// a value within its down and up tolerances, or else the nearest multiple of the step within them.
#include <vector>

class VlTolerance {
public:
    static double choose(const std::vector<double>& standards, double step, double value, double down, double up);
};
