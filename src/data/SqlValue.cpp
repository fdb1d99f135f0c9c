#include "data/SqlValue.h"

#include "common/DateParser.h"
#include "data/DaoType.h"

#include <sqlite3.h>

#include <cstdio>

namespace orv {

namespace {

int digitsAt(const char* text, int position, int count)
{
    int number = 0;
    for (int i = position; i < position + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        number = number * 10 + (text[i] - '0');
    }
    return number;
}

// "yyyy-MM-dd" or "yyyy-MM-dd HH:mm:ss", read straight from the engine's bytes.
bool storedDate(const char* text, int bytes, DateValue* date)
{
    if ((bytes != 10 && bytes != 19) || text[4] != '-' || text[7] != '-')
        return false;
    const QDate day(digitsAt(text, 0, 4), digitsAt(text, 5, 2), digitsAt(text, 8, 2));
    if (!day.isValid())
        return false;
    if (bytes == 10) {
        *date = DateValue::fromDate(day);
        return true;
    }
    if (text[10] != ' ' || text[13] != ':' || text[16] != ':')
        return false;
    const QTime time(digitsAt(text, 11, 2), digitsAt(text, 14, 2), digitsAt(text, 17, 2));
    if (!time.isValid())
        return false;
    *date = DateValue::fromDateTime(day, time);
    return true;
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
    const QDate day = date.date();
    char text[32];
    int length =
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", day.year(), day.month(), day.day());
    if (date.hasTime()) {
        const QTime time = date.time();
        length += std::snprintf(text + length, sizeof text - length, " %02d:%02d:%02d", time.hour(),
                                time.minute(), time.second());
    }
    return QString::fromLatin1(text, length);
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
    case dbDate: {
        if (storage != SQLITE_TEXT)
            return DateValue::fromSerial(sqlite3_column_double(statement, column));
        DateValue date;
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        if (storedDate(text, sqlite3_column_bytes(statement, column), &date))
            return date;
        // A date written as text by other means, such as "2005/08/17".
        const QString written = columnText(statement, column);
        const std::optional<DateValue> parsed = DateParser::parse(written);
        return parsed ? Value(*parsed) : Value(written);
    }
    case 0: {
        // An expression such as MAX([基準日]) has no declared type; its dates still read as dates.
        DateValue date;
        if (storage == SQLITE_TEXT &&
            storedDate(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                       sqlite3_column_bytes(statement, column), &date))
            return date;
        return engineValue(statement, column);
    }
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
