#include "print/ReportLayout.h"

#include <QSet>

#include <algorithm>

namespace orv {

namespace {

// A4 in twips (210 x 297 mm); the printer's default paper is taken to be A4 as well.
constexpr int kA4Width = 11906;
constexpr int kA4Height = 16838;

} // namespace

ReportControl& ReportLayout::add(ReportControl control)
{
    bandWidth = std::max(bandWidth, control.right());
    if (control.kind != ControlKind::PageBreak)
        bandHeight = std::max(bandHeight, control.bottom());
    m_controls.push_back(std::move(control));
    return m_controls.back();
}

ReportControl* ReportLayout::control(const QString& name)
{
    for (ReportControl& c : m_controls) {
        if (c.name == name)
            return &c;
    }
    return nullptr;
}

const ReportControl* ReportLayout::control(const QString& name) const
{
    return const_cast<ReportLayout*>(this)->control(name);
}

QStringList ReportLayout::boundFields() const
{
    QStringList fields;
    for (const ReportControl& c : m_controls) {
        if (c.isBoundField())
            fields << c.dataField;
    }
    return fields;
}

QStringList ReportLayout::boundElements() const
{
    QStringList elements;
    QSet<QString> seen;
    for (const QString& field : boundFields()) {
        if (!seen.contains(field)) {
            seen.insert(field);
            elements << field;
        }
    }
    return elements;
}

int ReportLayout::countOf(ControlKind kind) const
{
    return int(std::count_if(m_controls.begin(), m_controls.end(),
                             [kind](const ReportControl& c) { return c.kind == kind; }));
}

int ReportLayout::printableWidth() const
{
    const int paperWidth = orientation == PaperOrientation::Portrait ? kA4Width : kA4Height;
    return paperWidth - margins.left - margins.right;
}

int ReportLayout::printableHeight() const
{
    const int paperHeight = orientation == PaperOrientation::Portrait ? kA4Height : kA4Width;
    return paperHeight - margins.top - margins.bottom;
}

QList<PageSlice> ReportLayout::pageSlices() const
{
    QList<int> breaks;
    for (const ReportControl& c : m_controls) {
        if (c.kind == ControlKind::PageBreak && c.top > 0 && c.top < bandHeight)
            breaks << c.top;
    }
    std::sort(breaks.begin(), breaks.end());
    breaks.erase(std::unique(breaks.begin(), breaks.end()), breaks.end());
    breaks << std::max(bandHeight, 1);

    const int pageHeight = std::max(printableHeight(), 1);
    QList<PageSlice> slices;
    int top = 0;
    for (int end : breaks) {
        while (end - top > pageHeight) {
            slices.append({top, top + pageHeight});
            top += pageHeight;
        }
        slices.append({top, end});
        top = end;
    }
    return slices;
}

} // namespace orv
