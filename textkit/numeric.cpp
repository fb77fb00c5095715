// lin2log, ratio, percent: the numeric helpers (shading curves, progress).
#include "textkit/textkit.h"

#include <cmath>

TONEKIT_API float lin2log(float position, float range, int flags)
{
    double x = static_cast<double>(position) / static_cast<double>(range);
    if (flags & 2)
        x = 1.0 - x;
    // The constants are single-precision on purpose: the curves' end values (about
    // 3.65e-8 rather than 0) come from the float degree factor.
    const double theta = (x * static_cast<double>(90.0f) + static_cast<double>(180.0f)) *
                         static_cast<double>(0.017453292f);
    const double w = std::cos(theta);
    const double h = (flags & 1) ? w + 1.0 : std::fabs(w);
    return static_cast<float>(h * static_cast<double>(range));
}

TONEKIT_API double ratio(double inLow, double inHigh, double outLow, double outHigh, double value)
{
    if (inLow > value)
        value = inLow;
    if (inHigh < value)
        value = inHigh;
    return ((outHigh - outLow) / (inHigh - inLow)) * (value - inLow) + outLow;
}

TONEKIT_API float percent(float part, float whole)
{
    const double quotient = static_cast<double>(whole) / static_cast<double>(part);
    return static_cast<float>(100.0 / quotient);
}
