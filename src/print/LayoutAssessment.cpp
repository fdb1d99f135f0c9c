#include "data/Catalogue.h"
#include "print/LayoutBuilder.h"
#include "print/LayoutCatalogueSection.h"
#include "print/ReportCatalogue.h"
#include "print/ReportLayouts.h"

#include <algorithm>

namespace orv {

namespace {

constexpr int kPages = 19;
// Besides the sections the printed form starts on a new page, G, Q and R do as well, so
// that no page holds only the tail of a section.
const QString kNewPageSections = QStringLiteral("BCDFGHIJPQR");

// "A.患者・入所者の基本的情報" is printed "A．患者・入所者の基本的情報".
QString sectionHeading(const CatalogueSection& section)
{
    QString title = section.title;
    const int dot = int(title.indexOf(QLatin1Char('.')));
    if (dot > 0)
        title.replace(dot, 1, QStringLiteral("．"));
    return title;
}

ReportLayout build(int rowHeight, int groupGap, LayoutCatalogueSection::LongestValues* longest)
{
    ReportLayout layout;
    ReportCatalogue::apply(QStringLiteral("rptOrv21Care_a_r"), &layout);
    LayoutBuilder b(&layout);
    b.label(0, 0, b.width(), 480, QStringLiteral("施設ケアアセスメント表（Orv2.1）"),
            LayoutBuilder::gothic(14, true), HAlign::Centre);
    b.advance(560);
    LayoutCatalogueSection writer(&b, rowHeight, groupGap, longest);
    const Catalogue& catalogue = Catalogue::builtIn();
    for (QChar letter = QLatin1Char('A'); letter <= QLatin1Char('R');
         letter = QChar(letter.unicode() + 1)) {
        const CatalogueSection* section = catalogue.section(QString(letter));
        if (!section)
            continue;
        if (kNewPageSections.contains(letter) && b.y() > b.pageTop())
            b.newPage();
        writer.heading(sectionHeading(*section), section->note);
        for (const CatalogueGroup& group : section->groups)
            writer.group(group);
    }
    return layout;
}

} // namespace

ReportLayout ReportLayouts::assessment()
{
    // The rows are made as high as the 19 pages allow: for each space between the groups,
    // the greatest row height that still gives 19 pages, found by halving the range; of
    // those, the layout whose emptiest page is fullest.
    ReportLayout layout;
    LayoutCatalogueSection::LongestValues longest;
    int bestFill = -1;
    for (const int groupGap : {0, 30, 60, 90, 120, 150, 180}) {
        int low = 200;  // at most 19 pages
        int high = 640; // more than 19 pages
        while (high - low > 1) {
            const int middle = (low + high) / 2;
            if (build(middle, groupGap, &longest).pageCount() <= kPages)
                low = middle;
            else
                high = middle;
        }
        ReportLayout candidate = build(low, groupGap, &longest);
        const QList<PageSlice> slices = candidate.pageSlices();
        if (slices.size() != kPages)
            continue;
        const auto emptiest = std::min_element(slices.begin(), slices.end(),
                                               [](const PageSlice& a, const PageSlice& b) {
                                                   return a.bottom - a.top < b.bottom - b.top;
                                               });
        const int fill = emptiest->bottom - emptiest->top;
        if (fill > bestFill) {
            bestFill = fill;
            layout = std::move(candidate);
        }
    }
    return layout;
}

} // namespace orv
