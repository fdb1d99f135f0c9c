#pragma once

#include "print/LayoutBuilder.h"

#include <QString>

namespace orv {

// Writes the parts of a questionnaire form that stand on their own: the title and the frames
// round its blocks; estimates the room that fixed texts take.
class LayoutFormFlow
{
public:
    explicit LayoutFormFlow(LayoutBuilder* builder);

    // Estimated height of text set in a box of the given width.
    static int textHeight(const QString& text, int width, double points, int lineGap = 40);
    // Estimated width of text set on one line.
    static int textWidth(const QString& text, double points);

    void title(const QString& text, double points = 16.0);
    void frame(int top, int bottom, double points = 0.75);

    static constexpr int kIndent = 240;

private:
    LayoutBuilder* m_b;
};

} // namespace orv
