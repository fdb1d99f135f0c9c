#pragma once

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace orv::test {

// A word of a PDF page with its box in points.
struct PdfWord
{
    int page = 0;
    QRectF box;
    QString text;
};

// Text of a PDF file through poppler's pdftotext, as a user would copy it: not normalised.
class PdfText
{
public:
    static QString text(const QString& pdfPath, bool layout = false);
    static QList<PdfWord> words(const QString& pdfPath);
    static int pageCount(const QString& pdfPath);
    // The names of the fonts the file embeds, as pdffonts lists them.
    static QStringList embeddedFonts(const QString& pdfPath);
    // Without white space: for comparing texts whose spacing the PDF does not keep.
    static QString compact(const QString& text);
};

} // namespace orv::test
