#include "base/dpi_rules.h"

#include <algorithm>

#include "base/alpha_rules.h"

namespace veloria {

int ScaleForDpi(int value96, int dpi)
{
    return dpi == kBaseDpi ? value96 : RoundHalfEven(static_cast<double>(value96) * dpi / kBaseDpi);
}

Placement KeepInside(int left, int top, int width, int height, int areaLeft, int areaTop, int areaRight,
                     int areaBottom)
{
    // Pushed back from the right and bottom first, so that a window too big
    // for the area ends with its top-left corner in it.
    left = std::max(std::min(left, areaRight - width), areaLeft);
    top = std::max(std::min(top, areaBottom - height), areaTop);
    return {left, top};
}

}  // namespace veloria
