#pragma once

#include "print/LayoutBuilder.h"

#include <QString>
#include <QStringList>

namespace orv {

// Writes the items of a questionnaire form down the pages: headings, coded items with their
// choices, text and date fields, and lists of check boxes. Each row asks for its room first,
// so a page ends between rows.
class LayoutFormFlow
{
public:
    explicit LayoutFormFlow(LayoutBuilder* builder);

    // Estimated height of text set in a box of the given width.
    static int textHeight(const QString& text, int width, double points, int lineGap = 40);
    // Estimated width of text set on one line.
    static int textWidth(const QString& text, double points);

    void title(const QString& text, double points = 16.0);
    void heading(const QString& text, double points = 11.0);
    void subHeading(const QString& text);
    // An item title: its code at the left and its question; the item's fields follow.
    void item(const QString& code, const QString& title);
    // A field with the question at the left and the value at the right; choices, when given,
    // are printed in small type under the question.
    void codeRow(const QString& title, const QString& element, const QString& choices = QString());
    void valueRow(const QString& title, const QString& element, int fieldWidth = 4200,
                  const QString& unit = QString());
    // Check items in two columns: mark box at the right of each text.
    void checkRows(const QStringList& texts, const QStringList& elements, int columns = 2);
    void note(const QString& text);
    void space(int height) { m_b->advance(height); }
    void frame(int top, int bottom, double points = 0.75);

    static constexpr int kIndent = 240;
    static constexpr int kRowHeight = 300;

private:
    LayoutBuilder* m_b;
};

} // namespace orv
