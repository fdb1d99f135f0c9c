#pragma once

#include <QPoint>
#include <QSize>

namespace orv {

// 15 twips to the pixel at 96 dpi, scaled by the screen's logical dpi.
class Twips
{
public:
    explicit Twips(double logicalDpi = 96.0) : m_dpi(logicalDpi) {}
    double twipsPerPixel() const { return 1440.0 / m_dpi; }
    int toPixels(double twips) const;
    double fromPixels(int pixels) const { return pixels * twipsPerPixel(); }
    QSize toPixels(double widthTwips, double heightTwips) const;

    // Left or top of a window centred on the screen, in twips: the difference rounded to a
    // whole number, then halved dropping the remainder.
    static int centredOffset(double screenTwips, double windowTwips);

private:
    double m_dpi;
};

} // namespace orv
