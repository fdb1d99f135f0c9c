#pragma once

#include <QLineF>
#include <QRectF>
#include <QString>
#include <QVector>

namespace orv {

// One text that the renderer set: the box it was set in and the rectangle its glyphs cover.
struct PlacedText
{
    QString element; // the element a bound field prints; empty for fixed text
    QString text;    // as drawn, lines joined; ends in "…" where it was cut
    QRectF box;
    QRectF ink;
    double points = 0;
    bool cut = false;
};

// What the renderer drew on one page, in twips from the top left of the printable area.
struct PageDrawing
{
    QRectF printable;
    QVector<PlacedText> texts;
    QVector<QLineF> rules; // lines, and the sides of rectangles and framed boxes
};

} // namespace orv
