#pragma once

#include "print/ReportControl.h"

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QVector>

namespace orv {

// Sets a text in its box: at the box's own size where it fits, else wrapped and smaller, down
// to the floor size. Text that does not fit even then is cut at the box's edge and ends in "…".
class TextFitter
{
public:
    struct Line
    {
        QString text;
        QPointF origin; // left end of the baseline
    };
    struct Result
    {
        QFont font;
        double points = 0;
        QVector<Line> lines;
        QRectF ink; // what the glyphs cover
        bool cut = false;
    };

    // The font is the box's own; its pixel size counts twips. endPadding: the room kept
    // above and below the text.
    static Result fit(const QString& text, const QRectF& box, const QFont& font, double points,
                      HAlign hAlign, VAlign vAlign, int endPadding);
};

} // namespace orv
