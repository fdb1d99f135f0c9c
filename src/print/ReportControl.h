#pragma once

#include <QString>

#include <memory>

namespace orv {

class ReportDocument;

// What a control of the Detail band draws.
enum class ControlKind
{
    Label,
    Field,
    Line,
    Rectangle,
    PageBreak,
    SubReport
};

// The two Japanese faces of the printed forms: gothic (sans) and mincho (serif).
enum class FontFace
{
    Gothic,
    Mincho
};

enum class HAlign
{
    Left,
    Centre,
    Right
};
enum class VAlign
{
    Top,
    Middle,
    Bottom
};

struct ReportFont
{
    FontFace face = FontFace::Gothic;
    double points = 9.0;
    bool bold = false;
};

// One control of a layout, placed in twips on the Detail band. A line runs from (left, top)
// to (left + width, top + height). A field prints the element named by dataField, or its
// design text when it has no element.
struct ReportControl
{
    ControlKind kind = ControlKind::Label;
    QString name;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    QString text;
    QString dataField;
    ReportFont font;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Middle;
    bool vertical = false;  // one character per line
    bool border = false;    // a frame around the text box
    bool checkBox = false;  // the mark printed in a small box of its own
    double lineWidth = 0.5; // points
    std::shared_ptr<ReportDocument> subReport;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool isBoundField() const { return kind == ControlKind::Field && !dataField.isEmpty(); }
};

} // namespace orv
