#include "print/TextRoom.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

constexpr double kTwipsPerPoint = 20.0;
constexpr double kNarrowEm = 0.55;

bool isNarrow(QChar c)
{
    const ushort u = c.unicode();
    return u < 0x2000 || (u >= 0xff61 && u <= 0xff9f);
}

} // namespace

double TextRoom::ems(const QString& text)
{
    double em = 0;
    for (const QChar c : text)
        em += isNarrow(c) ? kNarrowEm : 1.0;
    return em;
}

int TextRoom::width(double ems, double points)
{
    return int(std::ceil(ems * points * kTwipsPerPoint)) + 2 * kSidePadding;
}

int TextRoom::lines(double ems, int boxWidth, double points)
{
    // A line ends where the next character no longer fits: up to one em of each line is lost,
    // half of one on average where narrow characters mix in.
    const double perLine =
        std::floor((boxWidth - 2 * kSidePadding) / (points * kTwipsPerPoint)) - 0.5;
    if (perLine < 0.5)
        return 1 << 16;
    return std::max(1, int(std::ceil(ems / perLine)));
}

int TextRoom::height(int lines, double points)
{
    const double em = points * kTwipsPerPoint;
    return int(std::ceil(((lines - 1) * kLinePitch + kLineInk) * em)) + 2 * kEndPadding;
}

int TextRoom::heightFor(double ems, int boxWidth, double points)
{
    return height(lines(ems, boxWidth, points), points);
}

int TextRoom::heightForValue(double ems, int boxWidth, int lineHeight)
{
    if (lines(ems, boxWidth, kSmallestOnOneLine) == 1)
        return lineHeight;
    return std::max(lineHeight, heightFor(ems, boxWidth, kWrappedPoints));
}

} // namespace orv
