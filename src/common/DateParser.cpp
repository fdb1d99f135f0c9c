#include "common/DateParser.h"

#include "common/EraCalendar.h"
#include "common/HalfWidth.h"

#include <QRegularExpression>

namespace orv {

namespace {

std::optional<QTime> parseTime(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int hour = match.captured(1).toInt();
    const int minute = match.captured(2).toInt();
    const int second = match.captured(3).isEmpty() ? 0 : match.captured(3).toInt();
    const QTime time(hour, minute, second);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

std::optional<QDate> parseGregorian(const QString& text)
{
    static const QRegularExpression slash(QStringLiteral("^(\\d{4})([/-])(\\d{1,2})\\2(\\d{1,2})$"));
    static const QRegularExpression kanji(QStringLiteral("^(\\d{4})年(\\d{1,2})月(\\d{1,2})日$"));
    QRegularExpressionMatch match = slash.match(text);
    int year = 0;
    int month = 0;
    int day = 0;
    if (match.hasMatch()) {
        year = match.captured(1).toInt();
        month = match.captured(3).toInt();
        day = match.captured(4).toInt();
    } else if ((match = kanji.match(text)).hasMatch()) {
        year = match.captured(1).toInt();
        month = match.captured(2).toInt();
        day = match.captured(3).toInt();
    } else {
        return std::nullopt;
    }
    const QDate date(year, month, day);
    if (!date.isValid() || year < 100)
        return std::nullopt;
    return date;
}

std::optional<QDate> parseEra(const QString& text)
{
    for (const QString& era : EraCalendar::eraNamesNewestFirst()) {
        if (era.isEmpty() || !text.startsWith(era))
            continue;
        static const QRegularExpression rest(QStringLiteral("^(元|\\d{1,2})年(\\d{1,2})月(\\d{1,2})日$"));
        const QRegularExpressionMatch match = rest.match(text.mid(era.size()));
        if (!match.hasMatch())
            return std::nullopt;
        const int year = match.captured(1) == QStringLiteral("元") ? 1 : match.captured(1).toInt();
        return EraCalendar::fromEra(era, year, match.captured(2).toInt(), match.captured(3).toInt());
    }
    return std::nullopt;
}

std::optional<QDate> parseDatePart(const QString& text)
{
    if (std::optional<QDate> date = parseGregorian(text))
        return date;
    return parseEra(text);
}

} // namespace

std::optional<DateValue> DateParser::parse(const QString& input)
{
    const QString text = toHalfWidth(input).trimmed();
    if (text.isEmpty())
        return std::nullopt;
    if (std::optional<QTime> time = parseTime(text))
        return DateValue::fromDateTime(DateValue::baseDate(), *time);

    // A time may follow the date after blanks, or directly after 日.
    static const QRegularExpression split(QStringLiteral("^(\\S+?日|\\S+)\\s*(\\d{1,2}:\\d{1,2}(?::\\d{1,2})?)?$"));
    const QRegularExpressionMatch match = split.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const std::optional<QDate> date = parseDatePart(match.captured(1));
    if (!date)
        return std::nullopt;
    if (match.captured(2).isEmpty())
        return DateValue::fromDate(*date);
    const std::optional<QTime> time = parseTime(match.captured(2));
    if (!time)
        return std::nullopt;
    return DateValue::fromDateTime(*date, *time);
}

} // namespace orv
