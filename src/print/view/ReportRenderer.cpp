#include "print/view/ReportRenderer.h"

#include "print/TextRoom.h"
#include "print/view/DrawnGlyphs.h"
#include "print/view/DrawnTextRecorder.h"
#include "print/view/PdfTextMapper.h"
#include "print/view/TextFitter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>

namespace orv {

namespace {

constexpr double kTwipsPerPoint = 20.0;
constexpr double kTwipsPerInch = 1440.0;
constexpr int kPdfResolution = 1440; // one device unit per twip

// A flat control on a page break belongs to the page below it; on the end of the band, to
// the last page.
bool onSlice(const ReportControl& c, int top, int bottom, bool lastSlice)
{
    const int y1 = std::min(c.top, c.bottom());
    const int y2 = std::max(c.top, c.bottom());
    if (y1 == y2)
        return y1 >= top && (y1 < bottom || (lastSlice && y1 == bottom));
    return y1 < bottom && y2 > top;
}

} // namespace

ReportRenderer::ReportRenderer(const ReportDocument& document)
    : m_document(document), m_slices(document.layout.pageSlices()), m_drawings(int(m_slices.size()))
{
}

QString ReportRenderer::gothicFamily()
{
    return QStringLiteral("Noto Sans CJK JP");
}

QString ReportRenderer::minchoFamily()
{
    return QStringLiteral("Noto Serif CJK JP");
}

QFont ReportRenderer::fontOf(const ReportFont& font)
{
    QFont f(font.face == FontFace::Mincho ? minchoFamily() : gothicFamily());
    f.setStyleHint(font.face == FontFace::Mincho ? QFont::Serif : QFont::SansSerif);
    // Sizes in twips, the unit the painter works in.
    f.setPixelSize(std::max(1, qRound(font.points * kTwipsPerPoint)));
    f.setBold(font.bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

QPageLayout ReportRenderer::pageLayout() const
{
    const ReportLayout& layout = m_document.layout;
    const QMarginsF margins(
        layout.margins.left / kTwipsPerPoint, layout.margins.top / kTwipsPerPoint,
        layout.margins.right / kTwipsPerPoint, layout.margins.bottom / kTwipsPerPoint);
    return QPageLayout(QPageSize(QPageSize::A4),
                       layout.orientation == PaperOrientation::Landscape ? QPageLayout::Landscape
                                                                         : QPageLayout::Portrait,
                       margins, QPageLayout::Point);
}

void ReportRenderer::paintPage(QPainter& painter, int page) const
{
    if (page < 0 || page >= m_slices.size())
        return;
    const PageSlice slice = m_slices.at(page);
    PageDrawing& drawing = m_drawings[page];
    drawing = PageDrawing();
    drawing.printable =
        QRectF(0, 0, m_document.layout.printableWidth(), m_document.layout.printableHeight());
    m_drawing = &drawing;
    m_toPage = painter.worldTransform().inverted();
    painter.save();
    painter.translate(0, -slice.top);
    paintBand(painter, m_document, slice.top, slice.bottom);
    painter.restore();
    m_drawing = nullptr;
}

QImage ReportRenderer::pageImage(int page, double dpi) const
{
    const QSizeF sheet = pageLayout().fullRect(QPageLayout::Point).size() * kTwipsPerPoint;
    const double scale = dpi / kTwipsPerInch;
    QImage image(QSize(qRound(sheet.width() * scale), qRound(sheet.height() * scale)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    painter.translate(m_document.layout.margins.left, m_document.layout.margins.top);
    paintPage(painter, page);
    return image;
}

bool ReportRenderer::writePdf(const QString& path, QString* error) const
{
    QPdfWriter writer(path);
    writer.setPageLayout(pageLayout());
    writer.setResolution(kPdfResolution);
    writer.setTitle(m_document.layout.caption);
    writer.setCreator(QStringLiteral("Orv2.1"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        if (error)
            *error = QStringLiteral("%1 に書き込めません。").arg(path);
        return false;
    }
    for (int page = 0; page < pageCount(); ++page) {
        if (page > 0)
            writer.newPage();
        paintPage(painter, page);
    }
    if (!painter.end()) {
        if (error)
            *error = QStringLiteral("%1 に書き込めません。").arg(path);
        return false;
    }
    return mapPdfText(path, 0, pageCount() - 1, error);
}

bool ReportRenderer::mapPdfText(const QString& path, int first, int last, QString* error) const
{
    const QSizeF sheet = pageLayout().fullRect(QPageLayout::Point).size() * kTwipsPerPoint;
    DrawnTextRecorder recorder(sheet.toSize(), kPdfResolution);
    QPainter painter(&recorder);
    for (int page = first; page <= last; ++page)
        paintPage(painter, page);
    painter.end();
    return PdfTextMapper::rewrite(path, DrawnGlyphs(recorder.runs()), error);
}

void ReportRenderer::print(QPrinter* printer) const
{
    QPainter painter;
    if (!painter.begin(printer))
        return;
    const double scale = printer->resolution() / kTwipsPerInch;
    int first = 0;
    int last = pageCount() - 1;
    if (printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0) {
        first = printer->fromPage() - 1;
        last = std::min(last, printer->toPage() - 1);
    }
    for (int page = first; page <= last; ++page) {
        if (page > first)
            printer->newPage();
        painter.save();
        painter.scale(scale, scale);
        paintPage(painter, page);
        painter.restore();
    }
    painter.end();
    // printed to a PDF file
    if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty())
        mapPdfText(printer->outputFileName(), first, last, nullptr);
}

void ReportRenderer::paintBand(QPainter& painter, const ReportDocument& document, int top,
                               int bottom) const
{
    const bool lastSlice = bottom >= document.layout.bandHeight;
    for (const ReportControl& control : document.layout.controls()) {
        if (onSlice(control, top, bottom, lastSlice))
            paintControl(painter, document, control);
    }
}

void ReportRenderer::paintControl(QPainter& painter, const ReportDocument& document,
                                  const ReportControl& c) const
{
    QPen pen(Qt::black);
    pen.setWidthF(c.lineWidth * kTwipsPerPoint);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    switch (c.kind) {
    case ControlKind::Line:
        painter.drawLine(QLineF(c.left, c.top, c.right(), c.bottom()));
        recordRule(painter, QLineF(c.left, c.top, c.right(), c.bottom()));
        break;
    case ControlKind::Rectangle:
        painter.drawRect(QRectF(c.left, c.top, c.width, c.height));
        recordFrame(painter, QRectF(c.left, c.top, c.width, c.height));
        break;
    case ControlKind::Label:
    case ControlKind::Field:
        paintText(painter, c, document.textOf(c));
        break;
    case ControlKind::SubReport:
        if (c.subReport) {
            painter.save();
            painter.translate(c.left, c.top);
            painter.setClipRect(QRectF(0, 0, c.width, c.height), Qt::IntersectClip);
            paintBand(painter, *c.subReport, 0, std::max(c.subReport->layout.bandHeight, 1));
            painter.restore();
        }
        break;
    case ControlKind::PageBreak:
        break;
    }
}

void ReportRenderer::paintText(QPainter& painter, const ReportControl& c, const QString& text) const
{
    const QRectF box(c.left, c.top, c.width, c.height);
    if (c.border || c.checkBox) {
        QPen pen(Qt::black);
        pen.setWidthF(0.5 * kTwipsPerPoint);
        painter.setPen(pen);
        painter.drawRect(box);
        recordFrame(painter, box);
    }
    if (text.isEmpty())
        return;
    if (c.vertical) {
        paintVertical(painter, c, text);
        return;
    }
    const TextFitter::Result fitted =
        TextFitter::fit(text, box, fontOf(c.font), c.font.points, c.hAlign, c.vAlign,
                        c.isBoundField() ? TextRoom::kEndPadding : TextRoom::kFixedTextEndPadding);
    painter.setFont(fitted.font);
    painter.setPen(Qt::black);
    QStringList drawn;
    for (const TextFitter::Line& line : fitted.lines) {
        painter.drawText(line.origin, line.text);
        drawn << line.text;
    }
    recordText(painter, {c.dataField, drawn.join(QLatin1Char('\n')), box, fitted.ink, fitted.points,
                         fitted.cut});
}

// Vertical text: one character under the other at a pitch of one em, the way a printed form
// sets a narrow column head; the font shrinks (to two thirds at most) to fit the box.
void ReportRenderer::paintVertical(QPainter& painter, const ReportControl& c,
                                   const QString& text) const
{
    QFont font = fontOf(c.font);
    const int count = int(text.size());
    double pitch = font.pixelSize() * 1.05;
    for (int step = 0; step < 4 && count * pitch > c.height; ++step) {
        font.setPixelSize(std::max(1, qRound(font.pixelSize() * 0.9)));
        pitch = font.pixelSize() * 1.05;
    }
    painter.setFont(font);
    painter.setPen(Qt::black);
    double y = c.top;
    if (c.vAlign == VAlign::Middle)
        y += std::max(0.0, (c.height - count * pitch) / 2);
    else if (c.vAlign == VAlign::Bottom)
        y += std::max(0.0, c.height - count * pitch);
    const QFontMetricsF metrics(font);
    QRectF ink;
    for (const QChar ch : text) {
        const QRectF cell(c.left, y, c.width, pitch);
        painter.drawText(cell, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextDontClip, QString(ch));
        const QRectF glyph =
            metrics.boundingRect(cell, Qt::AlignHCenter | Qt::AlignVCenter, QString(ch));
        ink = ink.isNull() ? glyph : ink.united(glyph);
        y += pitch;
    }
    recordText(painter, {c.dataField, text, QRectF(c.left, c.top, c.width, c.height), ink,
                         font.pixelSize() / kTwipsPerPoint, false});
}

void ReportRenderer::recordRule(const QPainter& painter, const QLineF& line) const
{
    if (m_drawing)
        m_drawing->rules.append((painter.worldTransform() * m_toPage).map(line));
}

void ReportRenderer::recordFrame(const QPainter& painter, const QRectF& frame) const
{
    recordRule(painter, QLineF(frame.topLeft(), frame.topRight()));
    recordRule(painter, QLineF(frame.topRight(), frame.bottomRight()));
    recordRule(painter, QLineF(frame.bottomRight(), frame.bottomLeft()));
    recordRule(painter, QLineF(frame.bottomLeft(), frame.topLeft()));
}

void ReportRenderer::recordText(const QPainter& painter, PlacedText text) const
{
    if (!m_drawing)
        return;
    const QTransform toPage = painter.worldTransform() * m_toPage;
    text.box = toPage.mapRect(text.box);
    text.ink = toPage.mapRect(text.ink);
    m_drawing->texts.append(text);
}

} // namespace orv
