#include "print/LayoutFormFlow.h"

#include "print/TextRoom.h"

#include <algorithm>
#include <cmath>

namespace orv {

LayoutFormFlow::LayoutFormFlow(LayoutBuilder* builder) : m_b(builder) {}

int LayoutFormFlow::textHeight(const QString& text, int width, double points, int lineGap)
{
    const double em = points * 20.0;
    int lines = 0;
    for (const QString& paragraph : text.split(QLatin1Char('\n')))
        lines += std::max(1, int(std::ceil(TextRoom::ems(paragraph) * em / std::max(width, 1))));
    return int(lines * (em * 1.35)) + lineGap;
}

int LayoutFormFlow::textWidth(const QString& text, double points)
{
    return int(std::ceil(TextRoom::ems(text) * points * 20.0));
}

void LayoutFormFlow::title(const QString& text, double points)
{
    const int height = int(points * 20 * 1.6);
    m_b->label(0, m_b->y(), m_b->width(), height, text, LayoutBuilder::gothic(points, true),
               HAlign::Centre);
    m_b->advance(height + 120);
}

void LayoutFormFlow::frame(int top, int bottom, double points)
{
    m_b->rectangle(0, top, m_b->width(), bottom - top, points);
}

} // namespace orv
