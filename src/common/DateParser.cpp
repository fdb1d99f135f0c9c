#include "common/DateParser.h"

#include "common/EraCalendar.h"
#include "common/HalfWidth.h"

#include <QRegularExpression>

namespace orv {

namespace {

std::optional<QTime> parseTime(const QString& text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?$"));
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

// A year of two digits, as the desktop reads it: 00 to 29 in this century, 30 to 99 in the last.
int fullYear(int twoDigits)
{
    return twoDigits < 30 ? 2000 + twoDigits : 1900 + twoDigits;
}

std::optional<QDate> validDate(int year, int month, int day)
{
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

// Year, month and day, each separated by "/", "." or "-" (one of them throughout), or written
// with 年, 月 and 日. The year has four digits or two, or is missing for this year.
std::optional<QDate> parseGregorian(const QString& text, const QDate& today)
{
    static const QRegularExpression separated(
        QStringLiteral("^(?<year>\\d{4}|\\d{2})([/.\\-])(?<month>\\d{1,2})\\2(?<day>\\d{1,2})$"));
    static const QRegularExpression kanji(
        QStringLiteral("^(?<year>\\d{4})年(?<month>\\d{1,2})月(?<day>\\d{1,2})日$"));
    static const QRegularExpression monthDay(
        QStringLiteral("^(?<month>\\d{1,2})([/.\\-])(?<day>\\d{1,2})$"));
    QRegularExpressionMatch match = separated.match(text);
    if (!match.hasMatch())
        match = kanji.match(text);
    if (match.hasMatch()) {
        const QString year = match.captured(u"year");
        if (year.size() == 4 && year.toInt() < 100)
            return std::nullopt;
        return validDate(year.size() == 2 ? fullYear(year.toInt()) : year.toInt(),
                         match.captured(u"month").toInt(), match.captured(u"day").toInt());
    }
    if ((match = monthDay.match(text)).hasMatch())
        return validDate(today.year(), match.captured(u"month").toInt(),
                         match.captured(u"day").toInt());
    return std::nullopt;
}

// The era of the text's start, its name or its letter (H for 平成); the rest in *rest.
QString eraAtStart(const QString& text, QString* rest)
{
    for (const QString& era : EraCalendar::eraNamesNewestFirst()) {
        if (!era.isEmpty() && text.startsWith(era)) {
            *rest = text.mid(era.size());
            return era;
        }
    }
    const QString era = text.isEmpty() ? QString() : EraCalendar::eraNameOfLetter(text.at(0));
    if (!era.isEmpty())
        *rest = text.mid(1);
    return era;
}

std::optional<QDate> parseEra(const QString& text)
{
    QString rest;
    const QString era = eraAtStart(text, &rest);
    if (era.isEmpty())
        return std::nullopt;
    static const QRegularExpression kanji(
        QStringLiteral("^(?<year>元|\\d{1,2})年(?<month>\\d{1,2})月(?<day>\\d{1,2})日$"));
    static const QRegularExpression separated(
        QStringLiteral("^(?<year>元|\\d{1,2})([/.\\-])(?<month>\\d{1,2})\\2(?<day>\\d{1,2})$"));
    QRegularExpressionMatch match = kanji.match(rest);
    if (!match.hasMatch())
        match = separated.match(rest);
    if (!match.hasMatch())
        return std::nullopt;
    const QString year = match.captured(u"year");
    return EraCalendar::fromEra(era, year == QStringLiteral("元") ? 1 : year.toInt(),
                                match.captured(u"month").toInt(), match.captured(u"day").toInt());
}

std::optional<QDate> parseDatePart(const QString& text, const QDate& today)
{
    if (std::optional<QDate> date = parseGregorian(text, today))
        return date;
    return parseEra(text);
}

} // namespace

std::optional<DateValue> DateParser::parse(const QString& input, const QDate& today)
{
    const QString text = toHalfWidth(input).trimmed();
    if (text.isEmpty())
        return std::nullopt;
    if (std::optional<QTime> time = parseTime(text))
        return DateValue::fromDateTime(DateValue::baseDate(), *time);

    // A time may follow the date after blanks, or directly after 日.
    static const QRegularExpression split(
        QStringLiteral("^(\\S+?日|\\S+)\\s*(\\d{1,2}:\\d{1,2}(?::\\d{1,2})?)?$"));
    const QRegularExpressionMatch match = split.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const std::optional<QDate> date = parseDatePart(match.captured(1), today);
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
