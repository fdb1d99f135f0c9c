#pragma once

#include "common/DateValue.h"

#include <QString>

#include <optional>

namespace orv {

// The one answer to "is this a date": yyyy/m/d, yyyy-m-d, yyyy年m月d日 and the era form
// (平成17年8月17日, 元年 too), each with an optional time h:mm or h:mm:ss, or a time alone.
// Impossible days are refused. Full-width digits and signs are read as narrow ones.
class DateParser
{
public:
    static std::optional<DateValue> parse(const QString& text);
    static bool isDate(const QString& text) { return parse(text).has_value(); }
};

} // namespace orv
