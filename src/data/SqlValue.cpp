#include "data/SqlValue.h"

#include "data/DaoType.h"

#include <sqlite3.h>

namespace orv {

namespace {

Value dateFromText(const QString& text)
{
    const QDateTime withTime = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (withTime.isValid())
        return DateValue::fromDateTime(withTime.date(), withTime.time());
    const QDate day = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (day.isValid())
        return DateValue::fromDate(day);
    return text;
}

QString columnText(sqlite3_stmt* statement, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(statement, column));
}

Value engineValue(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return Value(qint64(sqlite3_column_int64(statement, column)));
    case SQLITE_FLOAT:
        return Value(sqlite3_column_double(statement, column));
    case SQLITE_NULL:
        return Value();
    default:
        return columnText(statement, column);
    }
}

} // namespace

QString SqlValue::dateText(const DateValue& date)
{
    const QDateTime dateTime = date.toDateTime();
    return date.hasTime() ? dateTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                          : dateTime.date().toString(QStringLiteral("yyyy-MM-dd"));
}

bool SqlValue::bind(sqlite3_stmt* statement, int position, const Value& value)
{
    switch (value.kind()) {
    case Value::Kind::Null:
        return sqlite3_bind_null(statement, position) == SQLITE_OK;
    case Value::Kind::Integer:
        return sqlite3_bind_int64(statement, position, value.toInteger()) == SQLITE_OK;
    case Value::Kind::Double:
        return sqlite3_bind_double(statement, position, value.toDouble()) == SQLITE_OK;
    case Value::Kind::Text: {
        const QByteArray utf8 = value.toText().toUtf8();
        return sqlite3_bind_text(statement, position, utf8.constData(), int(utf8.size()),
                                 SQLITE_TRANSIENT) == SQLITE_OK;
    }
    case Value::Kind::Date: {
        const QByteArray utf8 = dateText(value.toDate()).toUtf8();
        return sqlite3_bind_text(statement, position, utf8.constData(), int(utf8.size()),
                                 SQLITE_TRANSIENT) == SQLITE_OK;
    }
    }
    return false;
}

bool SqlValue::bindAll(sqlite3_stmt* statement, const QVector<Value>& values)
{
    for (int i = 0; i < values.size(); ++i) {
        if (!bind(statement, i + 1, values.at(i)))
            return false;
    }
    return true;
}

Value SqlValue::read(sqlite3_stmt* statement, int column, int daoType)
{
    const int storage = sqlite3_column_type(statement, column);
    if (storage == SQLITE_NULL)
        return Value();
    switch (daoType) {
    case dbDate:
        if (storage == SQLITE_TEXT)
            return dateFromText(columnText(statement, column));
        return DateValue::fromSerial(sqlite3_column_double(statement, column));
    case dbText:
    case dbMemo:
    case dbLongBinary:
    case dbBinary:
        return columnText(statement, column);
    case dbSingle:
    case dbDouble:
    case dbCurrency:
        if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT)
            return Value(sqlite3_column_double(statement, column));
        return engineValue(statement, column);
    default:
        return engineValue(statement, column);
    }
}

} // namespace orv
