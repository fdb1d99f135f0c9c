#include "data/Catalogue.h"
#include "print/LayoutBuilder.h"
#include "print/LongestValue.h"
#include "print/ReportCatalogue.h"
#include "print/ReportLayouts.h"
#include "print/TextRoom.h"

namespace orv {

namespace {

constexpr int kColumnWidth = 2895;
constexpr int kColumnHeight = 5625;
constexpr int kSubReportHeight = 5650;
constexpr int kRowPitch = 240;
constexpr int kColumnsAcross = 3;
constexpr int kPitchAcross = 3030;
constexpr int kPitchDown = 5895;
constexpr int kNameWidth = 5200;

} // namespace

ReportLayout ReportLayouts::rapColumn(int number)
{
    ReportLayout layout;
    ReportCatalogue::apply(QStringLiteral("rptRAP%1").arg(number), &layout);
    layout.dataFile = QStringLiteral("RAP_%1.xml").arg(number, 2, 10, QLatin1Char('0'));
    LayoutBuilder b(&layout);
    b.rectangle(0, 0, kColumnWidth, kColumnHeight, 0.75);
    b.field(60, 30, kColumnWidth - 120, 260, QStringLiteral("PRINTDATE"), LayoutBuilder::gothic(10),
            HAlign::Centre);
    b.line(0, 300, kColumnWidth, 300);
    const int firstRow = 320;
    for (int row = 1; row <= 22; ++row) {
        const QString jj = QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'));
        const int top = firstRow + (row - 1) * kRowPitch;
        b.field(90, top, 360, kRowPitch, QStringLiteral("NUM") + jj, LayoutBuilder::gothic(9),
                HAlign::Centre);
        b.field(510, top, kColumnWidth - 570, kRowPitch, QStringLiteral("RAP") + jj,
                LayoutBuilder::gothic(9));
    }
    return layout;
}

ReportLayout ReportLayouts::rapList()
{
    ReportLayout layout;
    ReportCatalogue::apply(QStringLiteral("rptRapList"), &layout);
    LayoutBuilder b(&layout);
    const int width = 2 * kPitchAcross + kColumnWidth;
    b.label(0, 0, width, 420, QStringLiteral("RAP一覧表"), LayoutBuilder::gothic(14, true),
            HAlign::Centre);
    // The name of the RAP run: family and given name as section A holds them.
    QString longestName;
    for (const char* code : {"A1-1", "A1-2"}) {
        if (const CatalogueItem* item = Catalogue::builtIn().item(QString::fromUtf8(code)))
            longestName += longestValueText(*item);
    }
    const int nameTop = 540;
    const int nameHeight = TextRoom::heightForValue(longestName, kNameWidth, 300);
    b.label(width - kNameWidth - 1260, nameTop, 900, 300, QStringLiteral("利用者名"),
            LayoutBuilder::gothic(10));
    ReportControl& name = b.label(width - kNameWidth - 360, nameTop, kNameWidth, nameHeight,
                                  QString(), LayoutBuilder::gothic(10));
    name.name = QStringLiteral("lblName");
    b.line(width - kNameWidth - 1260, nameTop + nameHeight + 20, width, nameTop + nameHeight + 20);
    b.label(width - 360, nameTop, 360, 300, QStringLiteral("殿"), LayoutBuilder::gothic(10));
    const int headingTop = nameTop + nameHeight + 100;
    b.label(0, headingTop, 3000, 300, QStringLiteral("アセスメント結果"),
            LayoutBuilder::gothic(11, true));
    const int top = headingTop + 420;
    for (int n = 0; n < 6; ++n) {
        b.subReport((n % kColumnsAcross) * kPitchAcross, top + (n / kColumnsAcross) * kPitchDown,
                    kColumnWidth, kSubReportHeight, QStringLiteral("SubReport%1").arg(n + 1));
    }
    return layout;
}

} // namespace orv
