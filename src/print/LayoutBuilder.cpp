#include "print/LayoutBuilder.h"

namespace orv {

LayoutBuilder::LayoutBuilder(ReportLayout* layout) : m_layout(layout) {}

ReportFont LayoutBuilder::gothic(double points, bool bold)
{
    return {FontFace::Gothic, points, bold};
}

ReportFont LayoutBuilder::mincho(double points, bool bold)
{
    return {FontFace::Mincho, points, bold};
}

ReportControl& LayoutBuilder::place(ControlKind kind, int left, int top, int width, int height)
{
    ReportControl c;
    c.kind = kind;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    return m_layout->add(std::move(c));
}

ReportControl& LayoutBuilder::textBox(ControlKind kind, int left, int top, int width, int height,
                                      const QString& text, ReportFont font, HAlign align)
{
    ReportControl& c = place(kind, left, top, width, height);
    c.text = text;
    c.font = font;
    c.hAlign = align;
    return c;
}

ReportControl& LayoutBuilder::label(int left, int top, int width, int height, const QString& text,
                                    ReportFont font, HAlign align)
{
    return textBox(ControlKind::Label, left, top, width, height, text, font, align);
}

ReportControl& LayoutBuilder::field(int left, int top, int width, int height,
                                    const QString& element, ReportFont font, HAlign align)
{
    ReportControl& c =
        textBox(ControlKind::Field, left, top, width, height, QString(), font, align);
    c.name = element;
    c.dataField = element;
    return c;
}

ReportControl& LayoutBuilder::textField(int left, int top, int width, int height,
                                        const QString& text, ReportFont font, HAlign align)
{
    return textBox(ControlKind::Field, left, top, width, height, text, font, align);
}

ReportControl& LayoutBuilder::checkField(int left, int top, int size, const QString& element)
{
    ReportControl& c = field(left, top, size, size, element, gothic(9.0), HAlign::Centre);
    c.checkBox = true;
    c.border = true;
    return c;
}

ReportControl& LayoutBuilder::line(int x1, int y1, int x2, int y2, double points)
{
    ReportControl& c = place(ControlKind::Line, x1, y1, x2 - x1, y2 - y1);
    c.lineWidth = points;
    return c;
}

ReportControl& LayoutBuilder::rectangle(int left, int top, int width, int height, double points)
{
    ReportControl& c = place(ControlKind::Rectangle, left, top, width, height);
    c.lineWidth = points;
    return c;
}

ReportControl& LayoutBuilder::subReport(int left, int top, int width, int height,
                                        const QString& name)
{
    ReportControl& c = place(ControlKind::SubReport, left, top, width, height);
    c.name = name;
    return c;
}

void LayoutBuilder::pageBreak(int top)
{
    place(ControlKind::PageBreak, 0, top, 0, 0);
}

void LayoutBuilder::newPage()
{
    pageBreak(m_y);
    m_pageTop = m_y;
    ++m_pages;
}

void LayoutBuilder::ensureRoom(int height)
{
    if (m_y > m_pageTop && m_y + height > pageBottom())
        newPage();
}

} // namespace orv
