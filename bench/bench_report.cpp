#include "common/AnsiText.h"
#include "data/AppState.h"
#include "print/ReportLayouts.h"
#include "print/view/ReportDesigner.h"
#include "print/view/ReportPreview.h"
#include "print/view/ReportRenderer.h"
#include "print/view/ReportWindows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

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

double medianMs(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
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

    const int runs = 9;
    const double layoutMs = medianMs(runs, [] { ReportLayouts::assessment(); });
    const double pdfMs = medianMs(runs, [&] {
        report.Run();
        ReportRenderer(report.document()).writePdf(dir.filePath("assessment.pdf"));
    });
    QElapsedTimer first;
    first.start();
    windows.showReport(ReportKind::Assessment);
    QCoreApplication::processEvents();
    const double firstPreviewMs = first.nsecsElapsed() / 1e6;
    const double previewMs = medianMs(runs, [&] {
        windows.showReport(ReportKind::Assessment);
        QCoreApplication::processEvents();
    });
    const double pageMs = medianMs(runs, [&] {
        ReportPreview* preview = report.preview();
        preview->showPage((preview->currentPage() + 1) % preview->pageCount());
    });

    std::printf("assessment layout build (19 pages)         median %8.1f ms\n", layoutMs);
    std::printf("assessment data file to PDF (19 pages)     median %8.1f ms\n", pdfMs);
    std::printf("assessment preview, first opening          once   %8.1f ms\n", firstPreviewMs);
    std::printf("assessment preview shown again (data read) median %8.1f ms\n", previewMs);
    std::printf("preview turn to the next page              median %8.1f ms\n", pageMs);
    std::printf("(%d runs each)\n", runs);
    return 0;
}
