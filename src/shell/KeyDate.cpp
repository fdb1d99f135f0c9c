#include "shell/KeyDate.h"

#include "common/DateParser.h"

namespace orv {

std::optional<DateValue> KeyDate::fromText(const QString& text)
{
    const std::optional<DateValue> parsed = DateParser::parse(text);
    if (!parsed)
        return std::nullopt;
    const DateValue day = parsed->dateOnly();
    // The zero date stands for "no date" to every caller.
    if (day.isZero())
        return std::nullopt;
    return day;
}

} // namespace orv
