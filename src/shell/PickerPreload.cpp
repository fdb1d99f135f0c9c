#include "shell/PickerPreload.h"

#include "common/DateParser.h"

namespace orv {

PickerPreload PickerPreload::from(const QString& text, const QDateTime& now)
{
    PickerPreload preload;
    std::optional<DateValue> date;
    if (!text.isEmpty())
        date = DateParser::parse(QString(text).replace(QLatin1Char('.'), QLatin1Char('/')),
                                 now.date());
    if (!date) {
        preload.date = now.date();
        preload.hour = now.time().hour();
        preload.minute = now.time().minute();
        return preload;
    }
    preload.date = date->date();
    if (const std::optional<DateValue> dateTime = DateParser::parse(text, now.date())) {
        preload.hour = dateTime->time().hour();
        preload.minute = dateTime->time().minute();
    }
    return preload;
}

} // namespace orv
