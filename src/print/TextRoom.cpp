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

int TextRoom::width(const QString& text, double points)
{
    return int(std::ceil(ems(text) * points * kTwipsPerPoint)) + 2 * kSidePadding;
}

int TextRoom::lines(const QString& text, int boxWidth, double points)
{
    const double room = (boxWidth - 2 * kSidePadding) / (points * kTwipsPerPoint);
    int lines = 1;
    double line = 0;
    for (const QChar c : text) {
        const double em = c == QLatin1Char('\n') ? 0 : isNarrow(c) ? kNarrowEm : 1.0;
        if (c == QLatin1Char('\n') || (line > 0 && line + em > room)) {
            ++lines;
            line = 0;
        }
        if (em > room)
            return 1 << 16; // a character wider than the box
        line += em;
    }
    return lines;
}

int TextRoom::height(int lines, double points)
{
    const double em = points * kTwipsPerPoint;
    return int(std::ceil(((lines - 1) * kLinePitch + kLineInk) * em)) + 2 * kEndPadding;
}

int TextRoom::heightFor(const QString& text, int boxWidth, double points)
{
    return height(lines(text, boxWidth, points), points);
}

int TextRoom::heightForValue(const QString& text, int boxWidth, int lineHeight)
{
    if (lines(text, boxWidth, kSmallestOnOneLine) == 1)
        return lineHeight;
    return std::max(lineHeight, heightFor(text, boxWidth, kWrappedPoints));
}

} // namespace orv
