#pragma once

#include "data/DaoType.h"
#include "data/Database.h"
#include "data/SchemaBuilder.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QStringList>

#include <cstdio>

namespace orv::bench {

// A record file with the program's own tables, filled with residents who each have a face
// sheet and a number of assessments (a row in each section table A to R).

inline QString residentId(int resident)
{
    return QStringLiteral("R%1").arg(resident, 5, 10, QLatin1Char('0'));
}

inline DateValue assessmentDate(int assessment)
{
    return DateValue::fromDate(QDate(2005, 4, 1).addMonths(3 * assessment));
}

inline QStringList sectionTables(QChar first, QChar last)
{
    QStringList tables;
    for (QChar section = first; section <= last; section = QChar(section.unicode() + 1))
        tables.append(QString(section));
    return tables;
}

// A value such as a user enters: coded numbers, short texts, dates, now and then a remark.
inline Value valueFor(const ColumnInfo& column, QRandomGenerator& random)
{
    switch (column.type) {
    case dbByte:
    case dbInteger:
    case dbLong:
        return Value(qint64(random.bounded(4)));
    case dbSingle:
    case dbDouble:
        return Value(random.bounded(1000) / 10.0);
    case dbDate:
        return DateValue::fromDate(QDate(2005, 1, 1).addDays(random.bounded(365)));
    case dbText:
        return QStringLiteral("記入%1").arg(random.bounded(100)).left(column.size);
    case dbMemo:
        return random.bounded(4) == 0 ? Value(QStringLiteral("特記事項なし")) : Value();
    default:
        return Value();
    }
}

// Inserts one row of a table with every column given.
class RowWriter
{
public:
    RowWriter(Database& db, const QString& table) : m_db(db), m_schema(*db.schema(table))
    {
        QStringList marks;
        for (int i = 0; i < m_schema.columns.size(); ++i)
            marks.append(QStringLiteral("?"));
        m_sql =
            QStringLiteral("INSERT INTO [%1] VALUES(%2)").arg(table, marks.join(QLatin1Char(',')));
    }

    bool write(const QString& id, const DateValue& date, QRandomGenerator& random, QString* error)
    {
        QVector<Value> values;
        for (const ColumnInfo& column : m_schema.columns) {
            if (column.name == QLatin1String("ID"))
                values.append(id);
            else if (column.name == QStringLiteral("基準日"))
                values.append(date);
            else
                values.append(valueFor(column, random));
        }
        return m_db.execute(m_sql, values, error);
    }

private:
    Database& m_db;
    const TableSchema m_schema;
    QString m_sql;
};

inline bool buildRecordFile(const QString& path, int residents, int assessmentsEach)
{
    QString error;
    if (!SchemaBuilder().createFile(path, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return false;
    }
    auto db = Database::open(path, &error);
    if (!db)
        return false;
    RowWriter faceSheet(*db, QStringLiteral("KIHON1"));
    QVector<std::shared_ptr<RowWriter>> sections;
    for (const QString& table : sectionTables('A', 'R'))
        sections.append(std::make_shared<RowWriter>(*db, table));
    QRandomGenerator random(20050817);
    TransactionGuard transaction(*db);
    for (int resident = 0; resident < residents; ++resident) {
        const QString id = residentId(resident);
        bool ok = faceSheet.write(id, assessmentDate(0), random, &error);
        for (int assessment = 0; ok && assessment < assessmentsEach; ++assessment) {
            for (const auto& section : std::as_const(sections))
                ok = ok && section->write(id, assessmentDate(assessment), random, &error);
        }
        if (!ok) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return false;
        }
    }
    return transaction.commit(&error);
}

} // namespace orv::bench
