// The assessment report (19 pages) from a filled data file: the data read into the report, and
// the whole report written as a PDF. The floors: the same file parsed by a plain XML reader, and
// every control of the layout painted once, as it is, on a PDF writer of the same pages.
#include "common/AnsiText.h"
#include "data/AppState.h"
#include "print/view/ReportDesigner.h"
#include "print/view/ReportRenderer.h"
#include "print/view/ReportWindows.h"
#include "support/FloorComparison.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <cstdio>

using namespace orv;

namespace {

// A filled assessment file: a text, a code or a mark for every field of the layout.
void writeAssessmentFile(const ReportLayout& layout, const QString& path)
{
    AnsiTextWriter writer;
    writer.open(path);
    writer.writeLine("<?xml version=\"1.0\" encoding=\"shift_jis\" ?>");
    writer.writeLine("<main>");
    int n = 0;
    for (const ReportControl& c : layout.controls()) {
        if (!c.isBoundField())
            continue;
        const QString value = c.checkBox       ? QStringLiteral("レ")
                              : c.width > 2000 ? QStringLiteral("記入例 %1 山田花子").arg(n)
                                               : QString::number(n % 9);
        writer.writeLine("<" + c.dataField + ">" + value + "</" + c.dataField + ">");
        ++n;
    }
    writer.writeLine("</main>");
    writer.commit();
}

// The elements under <main> of a Shift_JIS data file.
bool readPlain(const QString& path, QHash<QString, QString>* values)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader xml(fromAnsi(file.readAll()));
    values->clear();
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() != QLatin1String("main"))
            values->insert(xml.name().toString(), xml.readElementText());
    }
    return !xml.hasError() && !values->isEmpty();
}

// Every control once, on pages of the report's size, the controls shared out in order.
bool paintPlain(const ReportDocument& document, const QHash<QString, QString>& values,
                const QPageLayout& pageLayout, int pages, const QString& path)
{
    QPdfWriter writer(path);
    writer.setPageLayout(pageLayout);
    writer.setResolution(1440);
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const std::vector<ReportControl>& controls = document.layout.controls();
    const int perPage = int(controls.size() + pages - 1) / pages;
    int top = 0;
    for (int i = 0; i < int(controls.size()); ++i) {
        if (i > 0 && i % perPage == 0) {
            writer.newPage();
            top = controls.at(i).top;
        }
        const ReportControl& c = controls.at(i);
        const QRect box(c.left, c.top - top, c.width, c.height);
        switch (c.kind) {
        case ControlKind::Line:
            painter.drawLine(box.topLeft(), box.bottomRight());
            break;
        case ControlKind::Rectangle:
            painter.drawRect(box);
            break;
        case ControlKind::Label:
        case ControlKind::Field:
            painter.setFont(ReportRenderer::fontOf(c.font));
            painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter,
                             c.isBoundField() ? values.value(c.dataField) : c.text);
            break;
        default:
            break;
        }
    }
    return painter.end();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    AppState state;
    state.folder = ProgramFolder(dir.path());
    ReportWindows windows(state);
    ReportDesigner& report = windows.designer(ReportKind::Assessment);
    writeAssessmentFile(report.document().layout, report.FileURL);
    const QString pdf = dir.filePath(QStringLiteral("assessment.pdf"));
    report.Run();
    const ReportRenderer renderer(report.document());
    const int pages = renderer.pageCount();
    const QPageLayout pageLayout = renderer.pageLayout();

    QHash<QString, QString> values;
    bench::FloorComparison read(QStringLiteral("assessment data file read into the report"));
    bench::FloorComparison print(
        QStringLiteral("assessment data file to PDF (%1 pages)").arg(pages));
    const bool measured =
        read.measure(
            [&] {
                return bench::FloorComparison::timed([&] {
                    report.Run();
                    return !report.document().record.isEmpty();
                });
            },
            [&] {
                return bench::FloorComparison::timed(
                    [&] { return readPlain(report.FileURL, &values); });
            }) &&
        print.measure(
            [&] {
                return bench::FloorComparison::timed([&] {
                    report.Run();
                    return ReportRenderer(report.document()).writePdf(pdf);
                });
            },
            [&] {
                return bench::FloorComparison::timed([&] {
                    return readPlain(report.FileURL, &values) &&
                           paintPlain(report.document(), values, pageLayout, pages, pdf);
                });
            });
    if (!measured)
        return 1;
    read.print();
    print.print();
    print.printHeadline();
    return 0;
}
