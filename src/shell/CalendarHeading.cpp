#include "shell/CalendarHeading.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QSpinBox>
#include <QToolButton>

namespace orv {

void CalendarHeading::yearFirst(QCalendarWidget* calendar)
{
    // Qt's heading: the month button, a space the year editor takes while it shows, the year
    // button. The month moves behind the year; the space stays where the year starts.
    auto* bar = calendar->findChild<QWidget*>(QStringLiteral("qt_calendar_navigationbar"));
    auto* month = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
    auto* year = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_yearbutton"));
    auto* yearEdit = calendar->findChild<QSpinBox*>(QStringLiteral("qt_calendar_yearedit"));
    auto* layout = bar ? qobject_cast<QHBoxLayout*>(bar->layout()) : nullptr;
    if (!layout || !month || !year || !yearEdit || layout->indexOf(month) < 0 ||
        layout->indexOf(year) < 0)
        return;
    layout->removeWidget(month);
    layout->insertWidget(layout->indexOf(year) + 1, month);

    const auto writeYear = [calendar, year] {
        year->setText(QStringLiteral("%1年").arg(calendar->yearShown()));
    };
    writeYear();
    // Qt writes the bare year again whenever the page changes or the year has been edited.
    QObject::connect(calendar, &QCalendarWidget::currentPageChanged, year, writeYear);
    QObject::connect(yearEdit, &QSpinBox::editingFinished, year, writeYear);
}

} // namespace orv
