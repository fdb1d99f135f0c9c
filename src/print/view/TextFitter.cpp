#include "print/view/TextFitter.h"

#include "print/TextRoom.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include <algorithm>

namespace orv {

namespace {

constexpr double kTwipsPerPoint = 20.0;
constexpr double kStep = 0.5;  // points
constexpr double kSlack = 0.5; // twips of rounding

struct Piece
{
    QString text;
    int start = 0; // where the line begins in the whole text
};

// Lines of the text broken to the width, paragraph by paragraph, where the rules of line
// breaking allow it (between Japanese characters, between words); a word longer than the
// width runs past it, unless it may be broken anywhere.
QVector<Piece> wrap(const QString& text, const QFont& font, double width, bool anywhere = false)
{
    QVector<Piece> pieces;
    int offset = 0;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(anywhere ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                    : QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
            line.setLineWidth(width);
        layout.endLayout();
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            QString piece = paragraph.mid(line.textStart(), line.textLength());
            while (!piece.isEmpty() && piece.back().isSpace())
                piece.chop(1);
            pieces.append({piece, offset + line.textStart()});
        }
        if (layout.lineCount() == 0)
            pieces.append({QString(), offset});
        offset += int(paragraph.size()) + 1;
    }
    return pieces;
}

// Places the lines in the box by its alignment; true when every glyph lies inside it.
bool place(const QVector<Piece>& pieces, const QFont& font, const QRectF& inner, HAlign hAlign,
           VAlign vAlign, TextFitter::Result* result)
{
    const QFontMetricsF metrics(font);
    const double pitch = TextRoom::kLinePitch * font.pixelSize();
    // An ideograph stands for the line when the block is aligned, so that fields side by side
    // share their baselines whatever characters they hold.
    const QRectF ideograph = metrics.tightBoundingRect(QStringLiteral("国"));
    const double nominal = (pieces.size() - 1) * pitch + ideograph.height();
    double baseline = inner.top() - ideograph.top();
    if (vAlign == VAlign::Middle)
        baseline += (inner.height() - nominal) / 2;
    else if (vAlign == VAlign::Bottom)
        baseline += inner.height() - nominal;

    bool fits = true;
    result->lines.clear();
    QRectF ink;
    for (const Piece& piece : pieces) {
        const double advance = metrics.horizontalAdvance(piece.text);
        double x = inner.left();
        if (hAlign == HAlign::Centre)
            x += (inner.width() - advance) / 2;
        else if (hAlign == HAlign::Right)
            x += inner.width() - advance;
        const QRectF glyphs = metrics.tightBoundingRect(piece.text);
        fits &= advance <= inner.width() + kSlack && glyphs.width() <= inner.width() + kSlack;
        if (!piece.text.isEmpty()) {
            // Side bearings may reach past the advance: the glyphs stay in the box.
            if (x + glyphs.left() < inner.left())
                x = inner.left() - glyphs.left();
            else if (x + glyphs.right() > inner.right())
                x = inner.right() - glyphs.right();
            const QRectF placed = glyphs.translated(x, baseline);
            ink = ink.isNull() ? placed : ink.united(placed);
        }
        result->lines.append({piece.text, QPointF(x, baseline)});
        baseline += pitch;
    }
    // Glyphs that reach above or below the ideograph's box move the block back into the box.
    double shift = 0;
    if (!ink.isNull()) {
        if (ink.top() < inner.top())
            shift = inner.top() - ink.top();
        else if (ink.bottom() > inner.bottom())
            shift = inner.bottom() - ink.bottom();
        fits &= ink.height() <= inner.height() + kSlack;
    }
    for (TextFitter::Line& line : result->lines)
        line.origin.ry() += shift;
    result->ink = ink.translated(0, shift);
    return fits;
}

} // namespace

TextFitter::Result TextFitter::fit(const QString& text, const QRectF& box, const QFont& font,
                                   double points, HAlign hAlign, VAlign vAlign, int endPadding)
{
    Result result;
    if (text.isEmpty())
        return result;
    QRectF inner =
        box.adjusted(TextRoom::kSidePadding, endPadding, -TextRoom::kSidePadding, -endPadding);
    if (inner.width() <= 0 || inner.height() <= 0)
        inner = box;

    QVector<double> sizes{points};
    for (double p = points - kStep; p > TextRoom::kFloorPoints; p -= kStep)
        sizes << p;
    if (points > TextRoom::kFloorPoints)
        sizes << TextRoom::kFloorPoints;

    for (const double size : sizes) {
        result.font = font;
        result.font.setPixelSize(qRound(size * kTwipsPerPoint));
        result.points = size;
        // Most texts stand on one line: no need to break them.
        const bool oneLine = !text.contains(QLatin1Char('\n')) &&
                             QFontMetricsF(result.font).horizontalAdvance(text) <= inner.width();
        const QVector<Piece> pieces =
            oneLine ? QVector<Piece>{{text, 0}} : wrap(text, result.font, inner.width());
        if (place(pieces, result.font, inner, hAlign, vAlign, &result))
            return result;
    }

    // Too long even at the floor: a word may be broken; failing that, as many lines as the
    // box holds, the writer's line breaks kept, the last one cut with "…" at its end.
    const QVector<Piece> pieces = wrap(text, result.font, inner.width(), true);
    if (place(pieces, result.font, inner, hAlign, vAlign, &result))
        return result;
    const QFontMetricsF metrics(result.font);
    for (int count = int(pieces.size()); count >= 1; --count) {
        QVector<Piece> kept = pieces.mid(0, count);
        const int start = kept.last().start;
        const qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        QString line = text.mid(start, end < 0 ? -1 : end - start);
        while (!line.isEmpty() && line.back().isSpace())
            line.chop(1);
        const bool linesLeftOut =
            std::any_of(pieces.cbegin() + count, pieces.cend(),
                        [](const Piece& piece) { return !piece.text.isEmpty(); });
        QString shown = metrics.elidedText(line, Qt::ElideRight, inner.width());
        if (shown == line && linesLeftOut)
            shown = metrics.elidedText(line + QChar(0x2026), Qt::ElideRight, inner.width());
        kept.last().text = shown;
        result.cut = shown != line;
        if (place(kept, result.font, inner, hAlign, vAlign, &result) || count == 1)
            return result;
    }
    return result;
}

} // namespace orv
