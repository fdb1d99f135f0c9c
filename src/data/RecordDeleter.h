#pragma once

#include "common/DateValue.h"

#include <QString>

namespace orv {

class Database;

// Deletes of whole records by key: a face sheet (with every record of the resident when it
// was the last one), an assessment across its eighteen section tables, or one row of a table.
// Each delete is one transaction; a key that matches no row deletes nothing.
class RecordDeleter
{
public:
    explicit RecordDeleter(Database& db) : m_db(db) {}

    bool KIHONDel(const QString& id, const DateValue& kijun, QString* error = nullptr);
    bool AssessmentDel(const QString& id, const DateValue& kijun, QString* error = nullptr);
    bool deleteRecord(const QString& table, const QString& id, const DateValue& kijun,
                      QString* error = nullptr);

    // "A" to "R".
    static QStringList sectionTables();

private:
    bool deleteByKey(const QString& table, const QString& id, const DateValue& kijun,
                     QString* error);

    Database& m_db;
};

} // namespace orv
