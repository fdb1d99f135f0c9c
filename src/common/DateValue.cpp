#include "common/DateValue.h"

#include <cmath>

namespace orv {

namespace {
constexpr qint64 MillisecondsPerDay = 86400000;
}

DateValue DateValue::fromSerial(double serial)
{
    return DateValue(serial);
}

DateValue DateValue::fromDate(const QDate& date)
{
    if (!date.isValid())
        return DateValue();
    return DateValue(double(baseDate().daysTo(date)));
}

DateValue DateValue::fromDateTime(const QDate& date, const QTime& time)
{
    const qint64 days = date.isValid() ? baseDate().daysTo(date) : 0;
    const double fraction = time.isValid() ? time.msecsSinceStartOfDay() / double(MillisecondsPerDay) : 0.0;
    // Before the base day the fraction still counts forward from midnight.
    return DateValue(days < 0 ? double(days) - fraction : double(days) + fraction);
}

DateValue DateValue::fromDateTime(const QDateTime& dateTime)
{
    return fromDateTime(dateTime.date(), dateTime.time());
}

DateValue DateValue::today()
{
    return fromDate(QDate::currentDate());
}

DateValue DateValue::now()
{
    const QDateTime current = QDateTime::currentDateTime();
    return fromDateTime(current.date(), QTime(current.time().hour(), current.time().minute(),
                                              current.time().second()));
}

QDate DateValue::date() const
{
    return baseDate().addDays(qint64(std::trunc(m_serial)));
}

QTime DateValue::time() const
{
    const double fraction = std::fabs(m_serial - std::trunc(m_serial));
    qint64 msecs = qint64(std::llround(fraction * MillisecondsPerDay / 1000.0)) * 1000;
    if (msecs >= MillisecondsPerDay)
        msecs = MillisecondsPerDay - 1000;
    return QTime::fromMSecsSinceStartOfDay(int(msecs));
}

} // namespace orv
