#pragma once

#include "common/DateValue.h"

#include <QDate>
#include <QString>

#include <optional>

namespace orv {

// The one answer to "is this a date", as a Japanese desktop reads what is typed into a date
// box: year, month and day separated by "/", "." or "-" (2005/8/17, 05.08.17: a year of two
// digits 00 to 29 is this century's, 30 to 99 the last's), with 年, 月 and 日, in an era by its
// name or letter (平成17年8月17日, 元年 too, 平成17/8/17, H17.8.17), or month and day alone (8/17)
// in the year of today; each with an optional time h:mm or h:mm:ss, or a time alone.
// Impossible days, also of an era, are refused. Full-width digits and signs are read as narrow
// ones.
class DateParser
{
public:
    static std::optional<DateValue> parse(const QString& text,
                                          const QDate& today = QDate::currentDate());
    static bool isDate(const QString& text, const QDate& today = QDate::currentDate())
    {
        return parse(text, today).has_value();
    }
};

} // namespace orv
