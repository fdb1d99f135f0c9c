#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace orv {

// A date and time as the serial day number counted from 1899/12/30, whose zero stands for
// "no date"; the fraction of the day is the time.
class DateValue
{
public:
    DateValue() = default;
    static DateValue zero() { return DateValue(); }
    static DateValue fromSerial(double serial);
    static DateValue fromDate(const QDate& date);
    static DateValue fromDateTime(const QDate& date, const QTime& time);
    static DateValue fromDateTime(const QDateTime& dateTime);
    static DateValue today();
    static DateValue now();
    static QDate baseDate() { return QDate(1899, 12, 30); }

    double serial() const { return m_serial; }
    bool isZero() const { return m_serial == 0.0; }
    QDate date() const;
    QTime time() const;
    QDateTime toDateTime() const { return QDateTime(date(), time()); }
    bool hasTime() const { return time() != QTime(0, 0); }
    DateValue dateOnly() const { return fromDate(date()); }

    bool operator==(const DateValue& other) const { return m_serial == other.m_serial; }
    bool operator!=(const DateValue& other) const { return m_serial != other.m_serial; }
    bool operator<(const DateValue& other) const { return m_serial < other.m_serial; }

private:
    explicit DateValue(double serial) : m_serial(serial) {}
    double m_serial = 0.0;
};

} // namespace orv
