#pragma once

#include "print/ReportDocument.h"
#include "print/view/PageDrawing.h"

#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QTransform>

class QPainter;
class QPrinter;

namespace orv {

// Paints a report document page by page: the Detail band cut at its page breaks, on the
// layout's paper, orientation and margins.
class ReportRenderer
{
public:
    explicit ReportRenderer(const ReportDocument& document);

    int pageCount() const { return int(m_slices.size()); }
    QPageLayout pageLayout() const;
    // Paints one page; the painter works in twips from the top left of the printable area.
    void paintPage(QPainter& painter, int page) const;
    // The whole sheet of one page, margins included, as an image at the given resolution.
    QImage pageImage(int page, double dpi) const;
    // What the last painting of a page drew.
    const PageDrawing& drawing(int page) const { return m_drawings.at(page); }

    bool writePdf(const QString& path, QString* error = nullptr) const;
    void print(QPrinter* printer) const;

    static QFont fontOf(const ReportFont& font);
    static QString gothicFamily();
    static QString minchoFamily();

private:
    void paintBand(QPainter& painter, const ReportDocument& document, int top, int bottom) const;
    void paintControl(QPainter& painter, const ReportDocument& document,
                      const ReportControl& control) const;
    void paintText(QPainter& painter, const ReportControl& control, const QString& text) const;
    void paintVertical(QPainter& painter, const ReportControl& control, const QString& text) const;
    void recordRule(const QPainter& painter, const QLineF& line) const;
    void recordFrame(const QPainter& painter, const QRectF& frame) const;
    void recordText(const QPainter& painter, PlacedText text) const;
    // Gives the PDF file just written for pages first to last the text that was drawn on them.
    bool mapPdfText(const QString& path, int first, int last, QString* error) const;

    const ReportDocument& m_document;
    QList<PageSlice> m_slices;
    mutable QVector<PageDrawing> m_drawings;
    mutable PageDrawing* m_drawing = nullptr; // the page being painted
    mutable QTransform m_toPage;              // from the painter's device to the page
};

} // namespace orv
