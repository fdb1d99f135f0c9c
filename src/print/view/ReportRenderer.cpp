#include "print/view/ReportRenderer.h"

#include "print/view/DrawnGlyphs.h"
#include "print/view/DrawnTextRecorder.h"
#include "print/view/PdfTextMapper.h"

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

// Vertical text: one character under the other at a pitch of one em, the way a printed
// form sets a narrow column head; the font shrinks (to two thirds at most) to fit the box.
void paintVertical(QPainter& painter, const ReportControl& c, const QString& text, QFont font)
{
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
    for (const QChar ch : text) {
        painter.drawText(QRectF(c.left, y, c.width, pitch),
                         Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextDontClip, QString(ch));
        y += pitch;
    }
}

int alignmentFlags(const ReportControl& c)
{
    int flags = 0;
    switch (c.hAlign) {
    case HAlign::Left:
        flags |= Qt::AlignLeft;
        break;
    case HAlign::Centre:
        flags |= Qt::AlignHCenter;
        break;
    case HAlign::Right:
        flags |= Qt::AlignRight;
        break;
    }
    switch (c.vAlign) {
    case VAlign::Top:
        flags |= Qt::AlignTop;
        break;
    case VAlign::Middle:
        flags |= Qt::AlignVCenter;
        break;
    case VAlign::Bottom:
        flags |= Qt::AlignBottom;
        break;
    }
    if (c.wordWrap)
        flags |= Qt::TextWordWrap;
    return flags;
}

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
    : m_document(document), m_slices(document.layout.pageSlices())
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
    painter.save();
    painter.translate(0, -slice.top);
    paintBand(painter, m_document, slice.top, slice.bottom);
    painter.restore();
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
        break;
    case ControlKind::Rectangle:
        painter.drawRect(QRectF(c.left, c.top, c.width, c.height));
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
    }
    if (text.isEmpty())
        return;
    QFont font = fontOf(c.font);
    if (c.vertical) {
        paintVertical(painter, c, text, font);
        return;
    }
    const QString& shown = text;
    const int flags = alignmentFlags(c);
    const QRectF inner = c.border ? box.adjusted(30, 0, -30, 0) : box;
    // Text that outgrows its box is set smaller, down to two thirds of its size.
    for (int step = 0; step < 4; ++step) {
        const QRectF needed = QFontMetricsF(font).boundingRect(inner, flags, shown);
        if (needed.width() <= inner.width() + 1 && needed.height() <= inner.height() + 1)
            break;
        font.setPixelSize(std::max(1, qRound(font.pixelSize() * 0.9)));
    }
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(inner, flags | Qt::TextDontClip, shown);
}

} // namespace orv
