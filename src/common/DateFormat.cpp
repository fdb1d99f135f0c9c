#include "common/DateFormat.h"

#include "common/EraCalendar.h"

namespace orv {

namespace {

int runLength(const QString& pattern, int from)
{
    const QChar c = pattern.at(from).toLower();
    int end = from;
    while (end < pattern.size() && pattern.at(end).toLower() == c)
        ++end;
    return end - from;
}

QString twoDigits(int number)
{
    return QString::number(number).rightJustified(2, QLatin1Char('0'));
}

QString eraInitial(const QString& eraName)
{
    static const QList<QPair<QString, QString>> initials = {
        {QStringLiteral("明治"), QStringLiteral("M")}, {QStringLiteral("大正"), QStringLiteral("T")},
        {QStringLiteral("昭和"), QStringLiteral("S")}, {QStringLiteral("平成"), QStringLiteral("H")},
        {QStringLiteral("令和"), QStringLiteral("R")},
    };
    for (const auto& pair : initials) {
        if (pair.first == eraName)
            return pair.second;
    }
    return eraName.left(1);
}

} // namespace

QString DateFormat::generalDate(const DateValue& value)
{
    const QTime time = value.time();
    const QString timeText = QStringLiteral("%1:%2:%3")
                                 .arg(time.hour())
                                 .arg(twoDigits(time.minute()), twoDigits(time.second()));
    if (value.date() == DateValue::baseDate())
        return timeText;
    const QString dateText = format(value, QStringLiteral("yyyy/mm/dd"));
    return value.hasTime() ? dateText + QLatin1Char(' ') + timeText : dateText;
}

QString DateFormat::format(const DateValue& value, const QString& pattern)
{
    if (pattern.isEmpty() || pattern.compare(QLatin1String("General Date"), Qt::CaseInsensitive) == 0)
        return generalDate(value);

    const QDate date = value.date();
    const QTime time = value.time();
    const std::optional<EraCalendar::EraDate> era = EraCalendar::toEra(date);
    // A day before Meiji has no era year the forms could print: its era name is left out and
    // its era year is the western year.
    const bool western = !era || !era->modern;
    QString out;
    bool afterHour = false;
    for (int i = 0; i < pattern.size();) {
        const QChar c = pattern.at(i);
        const QChar lower = c.toLower();
        if (c == QLatin1Char('"')) {
            const int close = pattern.indexOf(QLatin1Char('"'), i + 1);
            const int end = close < 0 ? int(pattern.size()) : close;
            out += pattern.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        if (c == QLatin1Char('\\') && i + 1 < pattern.size()) {
            out += pattern.at(i + 1);
            i += 2;
            continue;
        }
        const int run = runLength(pattern, i);
        if (lower == QLatin1Char('y') && run == 4) {
            out += QString::number(date.year()).rightJustified(4, QLatin1Char('0'));
            afterHour = false;
        } else if (lower == QLatin1Char('m')) {
            const int number = afterHour ? time.minute() : date.month();
            out += run >= 2 ? twoDigits(number) : QString::number(number);
            afterHour = false;
        } else if (lower == QLatin1Char('d')) {
            out += run >= 2 ? twoDigits(date.day()) : QString::number(date.day());
            afterHour = false;
        } else if (lower == QLatin1Char('g')) {
            const QString name = western ? QString() : era->eraName;
            out += run >= 3 ? name : run == 2 ? name.left(1) : eraInitial(name);
        } else if (lower == QLatin1Char('e')) {
            if (western)
                out += QString::number(date.year()).rightJustified(4, QLatin1Char('0'));
            else
                out += run >= 2 ? twoDigits(era->eraYear) : QString::number(era->eraYear);
        } else if (lower == QLatin1Char('h')) {
            out += run >= 2 ? twoDigits(time.hour()) : QString::number(time.hour());
            afterHour = true;
            i += run;
            continue;
        } else if (lower == QLatin1Char('n')) {
            out += run >= 2 ? twoDigits(time.minute()) : QString::number(time.minute());
        } else if (lower == QLatin1Char('s')) {
            out += run >= 2 ? twoDigits(time.second()) : QString::number(time.second());
            afterHour = false;
        } else {
            out += pattern.mid(i, run);
            // separators between an hour and its minutes keep the minute reading
            if (c != QLatin1Char(':') && c != QLatin1Char(' '))
                afterHour = false;
        }
        i += run;
    }
    return out;
}

} // namespace orv
