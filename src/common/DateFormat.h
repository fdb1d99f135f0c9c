#pragma once

#include "common/DateValue.h"

#include <QString>

namespace orv {

// Date patterns in the notation of the old forms: yyyy, m, mm, d, dd, ggg, gg, g, e, ee,
// h, hh, n, nn, s, ss; an "m" right after an hour means minutes. Any other character is
// written as it stands. An empty pattern or "General Date" gives the general date form.
class DateFormat
{
public:
    static QString format(const DateValue& value, const QString& pattern);
    // "2005/08/17", "2005/08/17 9:05:00", or "9:05:00" for a time alone.
    static QString generalDate(const DateValue& value);

    // The three forms the program writes.
    static QString ymd(const DateValue& value) { return format(value, QStringLiteral("yyyy/mm/dd")); }
    static QString eraLong(const DateValue& value)
    {
        return format(value, QStringLiteral("ggge年mm月dd日"));
    }
    static QString eraShort(const DateValue& value)
    {
        return format(value, QStringLiteral("ggge年m月d日"));
    }
};

} // namespace orv
