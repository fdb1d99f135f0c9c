#include "support/PdfText.h"

#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace orv::test {

namespace {

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return process.readAllStandardOutput();
}

} // namespace

QString PdfText::compact(const QString& text)
{
    QString result = text;
    result.removeIf([](QChar c) { return c.isSpace(); });
    return result;
}

QString PdfText::text(const QString& pdfPath, bool layout)
{
    QStringList arguments;
    if (layout)
        arguments << QStringLiteral("-layout");
    arguments << QStringLiteral("-enc") << QStringLiteral("UTF-8") << pdfPath
              << QStringLiteral("-");
    return QString::fromUtf8(run(QStringLiteral("pdftotext"), arguments));
}

QList<PdfWord> PdfText::words(const QString& pdfPath)
{
    const QByteArray html =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-enc"),
                                          QStringLiteral("UTF-8"), pdfPath, QStringLiteral("-")});
    QList<PdfWord> words;
    QXmlStreamReader xml(html);
    int page = 0;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement())
            continue;
        if (xml.name() == QLatin1String("page")) {
            ++page;
        } else if (xml.name() == QLatin1String("word")) {
            const auto a = xml.attributes();
            PdfWord word;
            word.page = page;
            word.box = QRectF(QPointF(a.value("xMin").toDouble(), a.value("yMin").toDouble()),
                              QPointF(a.value("xMax").toDouble(), a.value("yMax").toDouble()));
            word.text = xml.readElementText();
            words << word;
        }
    }
    return words;
}

int PdfText::pageCount(const QString& pdfPath)
{
    const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdfPath}));
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QStringList PdfText::embeddedFonts(const QString& pdfPath)
{
    QStringList fonts;
    const QStringList lines =
        QString::fromUtf8(run(QStringLiteral("pdffonts"), {pdfPath})).split(QLatin1Char('\n'));
    for (const QString& line : lines.mid(2)) {
        const QString name = line.section(QLatin1Char(' '), 0, 0);
        if (!name.isEmpty() && line.contains(QLatin1String(" yes ")))
            fonts << name;
    }
    return fonts;
}

} // namespace orv::test
