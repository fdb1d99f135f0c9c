#pragma once

#include "print/ReportLayout.h"

namespace orv {

// Places controls on a layout's band and flows content down its pages: builders keep a
// cursor, ask for room, and a new page starts with a page break where the room runs out.
class LayoutBuilder
{
public:
    explicit LayoutBuilder(ReportLayout* layout);

    static ReportFont gothic(double points = 9.0, bool bold = false);
    static ReportFont mincho(double points = 9.0, bool bold = false);

    ReportControl& label(int left, int top, int width, int height, const QString& text,
                         ReportFont font = gothic(), HAlign align = HAlign::Left);
    ReportControl& field(int left, int top, int width, int height, const QString& element,
                         ReportFont font = gothic(), HAlign align = HAlign::Left);
    // A field without an element: prints its design text like a label.
    ReportControl& textField(int left, int top, int width, int height, const QString& text,
                             ReportFont font = gothic(), HAlign align = HAlign::Left);
    // A check-mark field in a small box of its own.
    ReportControl& checkField(int left, int top, int size, const QString& element);
    ReportControl& line(int x1, int y1, int x2, int y2, double points = 0.5);
    ReportControl& rectangle(int left, int top, int width, int height, double points = 0.5);
    ReportControl& subReport(int left, int top, int width, int height, const QString& name);
    void pageBreak(int top);

    // Flow: the cursor y on the band and the top of the page it is on.
    int y() const { return m_y; }
    void setY(int y) { m_y = y; }
    void advance(int height) { m_y += height; }
    int width() const { return m_layout->printableWidth(); }
    int pageTop() const { return m_pageTop; }
    int pageBottom() const { return m_pageTop + m_layout->printableHeight(); }
    int pagesStarted() const { return m_pages; }
    // Breaks the page at the cursor.
    void newPage();
    // Breaks the page unless the cursor is at a page top or the height still fits.
    void ensureRoom(int height);

    ReportLayout& layout() { return *m_layout; }

private:
    ReportControl& place(ControlKind kind, int left, int top, int width, int height);
    ReportControl& textBox(ControlKind kind, int left, int top, int width, int height,
                           const QString& text, ReportFont font, HAlign align);

    ReportLayout* m_layout;
    int m_y = 0;
    int m_pageTop = 0;
    int m_pages = 1;
};

} // namespace orv
