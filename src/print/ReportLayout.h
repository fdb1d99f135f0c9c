#pragma once

#include "print/ReportControl.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace orv {

enum class PaperKind
{
    A4,
    PrinterDefault
};
enum class PaperOrientation
{
    Portrait,
    Landscape
};

struct ReportMargins
{
    int left = 1440;
    int right = 1440;
    int top = 1440;
    int bottom = 1440;
};

// A stretch of the Detail band printed on one page.
struct PageSlice
{
    int top = 0;
    int bottom = 0;
};

// One report layout: the Detail band with its controls, and the page it prints on.
class ReportLayout
{
public:
    QString designer;
    QString caption;
    QString dataFile;
    PaperKind paper = PaperKind::A4;
    PaperOrientation orientation = PaperOrientation::Portrait;
    ReportMargins margins;
    int bandWidth = 0;
    int bandHeight = 0;

    ReportControl& add(ReportControl control);
    const std::vector<ReportControl>& controls() const { return m_controls; }
    ReportControl* control(const QString& name);
    const ReportControl* control(const QString& name) const;

    // Field controls bound to an element, in band order (an element bound twice is listed twice).
    QStringList boundFields() const;
    // Distinct element names that the layout reads.
    QStringList boundElements() const;
    int countOf(ControlKind kind) const;

    // Width and height of the printable area in twips (the paper less the margins).
    int printableWidth() const;
    int printableHeight() const;
    // The band cut into pages: at every page break, and wherever a stretch outgrows the page.
    QList<PageSlice> pageSlices() const;
    int pageCount() const { return int(pageSlices().size()); }

private:
    std::vector<ReportControl> m_controls;
};

} // namespace orv
