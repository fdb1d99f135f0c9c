#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

namespace orv {

// What the date picker shows when it opens, read from the text of a page element: the date
// (with "." read as "/"), and the hour and minute of the text as it stands (00:00 when it
// has none). A text that is no date gives the present moment.
class PickerPreload
{
public:
    QDate date;
    int hour = 0;
    int minute = 0;

    static PickerPreload from(const QString& text, const QDateTime& now);
};

} // namespace orv
