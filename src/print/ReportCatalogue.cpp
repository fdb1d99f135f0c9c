#include "print/ReportCatalogue.h"

namespace orv {

const QList<ReportCatalogueEntry>& ReportCatalogue::entries()
{
    using P = PaperKind;
    using O = PaperOrientation;
    static const QList<ReportCatalogueEntry> table = {
        {"rptOrv21Care_1_2",
         "Orv2.1 入院・入所時のフェイスシート情報",
         "orv21_12.xml",
         P::A4,
         O::Portrait,
         {1440, 1440, 1300, 1300},
         2,
         48},
        {"rptOrv21Care_a_r",
         "Orv2.1 施設ケア アセスメント表",
         "orv21_ar.xml",
         P::A4,
         O::Portrait,
         {1440, 1440, 1080, 750},
         19,
         474},
        {"rptOrv21Care_rap",
         "Orv2.1 RAP選定表",
         "orv21_trigger.xml",
         P::A4,
         O::Landscape,
         {900, 900, 720, 720},
         2,
         101},
        {"rptOrv21Care_s",
         "Orv2.1 RAPサマリー",
         "orv21_s.xml",
         P::PrinterDefault,
         O::Portrait,
         {1440, 1440, 1080, 1040},
         1,
         63},
        {"rptOrv21Care_t",
         "Orv2.1 薬物治療調査票",
         "orv21_t.xml",
         P::A4,
         O::Portrait,
         {1440, 1440, 500, 360},
         2,
         215},
        {"rptRapList",
         "Orv2.1 RAP一覧表",
         QString(),
         P::A4,
         O::Portrait,
         {1440, 1440, 1440, 1440},
         1,
         0},
        {"rptRAP",
         QString(),
         "RAP_01.xml",
         P::PrinterDefault,
         O::Portrait,
         {1440, 1440, 1440, 1440},
         0,
         45},
    };
    return table;
}

const ReportCatalogueEntry& ReportCatalogue::entry(const QString& designer)
{
    const QString key =
        designer.startsWith(QLatin1String("rptRAP")) ? QStringLiteral("rptRAP") : designer;
    for (const ReportCatalogueEntry& e : entries()) {
        if (e.designer == key)
            return e;
    }
    static const ReportCatalogueEntry none{};
    return none;
}

void ReportCatalogue::apply(const QString& designer, ReportLayout* layout)
{
    const ReportCatalogueEntry& e = entry(designer);
    layout->designer = designer;
    layout->caption = e.caption;
    layout->dataFile = e.dataFile;
    layout->paper = e.paper;
    layout->orientation = e.orientation;
    layout->margins = e.margins;
}

} // namespace orv
