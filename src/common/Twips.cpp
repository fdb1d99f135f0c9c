#include "common/Twips.h"

#include <cmath>

namespace orv {

int Twips::toPixels(double twips) const
{
    return int(std::lround(twips / twipsPerPixel()));
}

QSize Twips::toPixels(double widthTwips, double heightTwips) const
{
    return QSize(toPixels(widthTwips), toPixels(heightTwips));
}

int Twips::centredOffset(double screenTwips, double windowTwips)
{
    // Rounding to even, as the old integer conversion did, then integer halving.
    const long long difference = std::llrint(screenTwips - windowTwips);
    return int(difference / 2);
}

} // namespace orv
