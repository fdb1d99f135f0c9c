#include "shell/PickerResult.h"

#include "common/DateFormat.h"
#include "common/DateParser.h"

namespace orv {

std::optional<DateValue> PickerResult::compose(const QDate& date, const QString& hour,
                                               const QString& minute)
{
    // A calendar without a date stands for the zero date.
    const DateValue day = date.isValid() ? DateValue::fromDate(date) : DateValue::zero();
    return DateParser::parse(DateFormat::ymd(day) + QLatin1Char(' ') + hour + QLatin1Char(':') +
                             minute);
}

} // namespace orv
