#pragma once

#include "common/Value.h"

#include <QVector>

struct sqlite3_stmt;

namespace orv {

// Moves values between orv::Value and SQLite. Dates travel as the text "yyyy-MM-dd", or
// "yyyy-MM-dd HH:mm:ss" when they have a time of day.
class SqlValue
{
public:
    static QString dateText(const DateValue& date);
    static bool bind(sqlite3_stmt* statement, int position, const Value& value);
    static bool bindAll(sqlite3_stmt* statement, const QVector<Value>& values);
    // The column as the DAO type reads it: dates from their text, texts as texts, numbers as
    // numbers; a type of 0 keeps what the engine holds.
    static Value read(sqlite3_stmt* statement, int column, int daoType);
};

} // namespace orv
