#include "standards/VlTolerance.h"

#include "platform/mxbase/NumberFunctions.h"

namespace {
constexpr double kFar = 999999999.0;
}

double VlTolerance::choose(const std::vector<double>& standards, double step, double value, double down, double up) {
    // Nearest standard value above and at-or-below; on equal distance the earlier one stays.
    double aboveDistance = kFar, belowDistance = kFar;
    double above = kFar, below = kFar;
    for (double s : standards) {
        const double d = s - value;
        if (d > 0) {
            if (d < aboveDistance) {
                aboveDistance = d;
                above = s;
            }
        } else if (-d < belowDistance) {
            belowDistance = -d;
            below = s;
        }
    }
    const bool aboveFits = aboveDistance <= up;
    const bool belowFits = belowDistance <= down;
    if (belowDistance > aboveDistance) {
        if (aboveFits) return above;
        if (belowFits) return below;
    } else {
        if (belowFits) return below;
        if (aboveFits) return above;
    }

    // No standard value fits: the nearest multiple of the step inside the tolerances.
    const double low = value - down, high = value + up;
    double c = value;
    if (c > high) c = high;
    if (c < low) c = low;
    double upper = c;
    ObjectExportRoundUp(c, step, upper);
    double lower = ObjectExportRoundTo(c, step);
    if (lower > c) lower -= step;
    const bool upperFits = upper - value <= up && upper <= high;
    const bool lowerFits = value - lower <= down && lower >= low;
    if (value - lower > upper - value) {
        if (upperFits) return upper;
        if (lowerFits) return lower;
        return c;
    }
    if (lowerFits) return lower;
    if (upperFits) return upper;
    return c;
}
