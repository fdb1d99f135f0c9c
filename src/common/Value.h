#pragma once

#include "common/DateValue.h"

#include <QString>

namespace orv {

// A database value: Null, a whole number, a double, a text or a date.
class Value
{
public:
    enum class Kind { Null, Integer, Double, Text, Date };

    Value() = default;
    Value(int number) : m_kind(Kind::Integer), m_integer(number) {}
    Value(qint64 number) : m_kind(Kind::Integer), m_integer(number) {}
    Value(double number) : m_kind(Kind::Double), m_double(number) {}
    Value(const QString& text) : m_kind(Kind::Text), m_text(text) {}
    Value(const char* text) : m_kind(Kind::Text), m_text(QString::fromUtf8(text)) {}
    Value(const DateValue& date) : m_kind(Kind::Date), m_date(date) {}
    static Value null() { return Value(); }

    Kind kind() const { return m_kind; }
    bool isNull() const { return m_kind == Kind::Null; }
    bool isNumber() const { return m_kind == Kind::Integer || m_kind == Kind::Double; }

    // Conversions as the program's text routines expect them; ok is false when the value
    // does not convert (Null never does).
    qint64 toInteger(bool* ok = nullptr) const;
    double toDouble(bool* ok = nullptr) const;
    DateValue toDate(bool* ok = nullptr) const;
    // Null gives the empty text; numbers in plain decimal; dates in the general date form.
    QString toText() const;

    // Same value: numbers compare by value whatever their kind; Null equals only Null.
    bool operator==(const Value& other) const;
    bool operator!=(const Value& other) const { return !(*this == other); }

private:
    Kind m_kind = Kind::Null;
    qint64 m_integer = 0;
    double m_double = 0.0;
    QString m_text;
    DateValue m_date;
};

QString NullToStr(const Value& value);

} // namespace orv
