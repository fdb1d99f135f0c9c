#include "common/Value.h"

#include "common/DateFormat.h"
#include "common/DateParser.h"

#include <cmath>

namespace orv {

namespace {

bool parseNumber(const QString& text, double* number)
{
    bool ok = false;
    const double parsed = text.trimmed().toDouble(&ok);
    if (ok)
        *number = parsed;
    return ok && !text.trimmed().isEmpty();
}

void setOk(bool* ok, bool value)
{
    if (ok)
        *ok = value;
}

} // namespace

qint64 Value::toInteger(bool* ok) const
{
    bool converted = false;
    const double number = toDouble(&converted);
    setOk(ok, converted);
    if (!converted)
        return 0;
    if (m_kind == Kind::Integer)
        return m_integer;
    // Halves go to the even neighbour, as the conversion of the old store did.
    return qint64(std::nearbyint(number));
}

double Value::toDouble(bool* ok) const
{
    switch (m_kind) {
    case Kind::Integer:
        setOk(ok, true);
        return double(m_integer);
    case Kind::Double:
        setOk(ok, true);
        return m_double;
    case Kind::Date:
        setOk(ok, true);
        return m_date.serial();
    case Kind::Text: {
        double number = 0.0;
        const bool converted = parseNumber(m_text, &number);
        setOk(ok, converted);
        return number;
    }
    case Kind::Null:
        break;
    }
    setOk(ok, false);
    return 0.0;
}

DateValue Value::toDate(bool* ok) const
{
    switch (m_kind) {
    case Kind::Date:
        setOk(ok, true);
        return m_date;
    case Kind::Integer:
    case Kind::Double:
        setOk(ok, true);
        return DateValue::fromSerial(toDouble());
    case Kind::Text: {
        const std::optional<DateValue> parsed = DateParser::parse(m_text);
        setOk(ok, parsed.has_value());
        return parsed.value_or(DateValue());
    }
    case Kind::Null:
        break;
    }
    setOk(ok, false);
    return DateValue();
}

QString Value::toText() const
{
    switch (m_kind) {
    case Kind::Null:
        return QString();
    case Kind::Integer:
        return QString::number(m_integer);
    case Kind::Double:
        return QString::number(m_double, 'g', 15);
    case Kind::Text:
        return m_text;
    case Kind::Date:
        return DateFormat::generalDate(m_date);
    }
    return QString();
}

bool Value::operator==(const Value& other) const
{
    if (isNumber() && other.isNumber())
        return toDouble() == other.toDouble();
    if (m_kind != other.m_kind)
        return false;
    switch (m_kind) {
    case Kind::Null:
        return true;
    case Kind::Text:
        return m_text == other.m_text;
    case Kind::Date:
        return m_date == other.m_date;
    default:
        return false;
    }
}

QString NullToStr(const Value& value)
{
    return value.toText();
}

} // namespace orv
