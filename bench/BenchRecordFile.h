#pragma once

#include "data/Database.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QStringList>

#include <cstdio>

namespace orv::bench {

// A record file shaped like the program's: a face-sheet table and the eighteen section tables
// A to R, about thirty columns each, every table keyed by (ID, 基準日).
constexpr int ColumnsPerSection = 30;

inline QString sectionTable(int section)
{
    return QString(QChar('A' + section));
}

inline QString residentId(int resident)
{
    return QStringLiteral("R%1").arg(resident, 5, 10, QLatin1Char('0'));
}

inline DateValue assessmentDate(int assessment)
{
    return DateValue::fromDate(QDate(2005, 4, 1).addMonths(3 * assessment));
}

// Column i of a section: mostly coded numbers, some texts, a date and a memo.
inline QString columnDeclaration(const QString& table, int i)
{
    const QString name = QStringLiteral("[%1%2]").arg(table).arg(i);
    if (i % 10 == 9)
        return name + QStringLiteral(" TEXT(50)");
    if (i == 28)
        return name + QStringLiteral(" DATETIME");
    if (i == 29)
        return name + QStringLiteral(" MEMO TEXT");
    return name + QStringLiteral(" BYTE");
}

inline Value columnValue(int i, QRandomGenerator& random)
{
    if (i % 10 == 9)
        return QStringLiteral("記入%1").arg(random.bounded(1000));
    if (i == 28)
        return DateValue::fromDate(QDate(2005, 1, 1).addDays(random.bounded(365)));
    if (i == 29)
        return random.bounded(4) == 0 ? Value(QStringLiteral("特記事項なし")) : Value();
    return Value(qint64(random.bounded(4)));
}

inline bool buildRecordFile(const QString& path, int residents, int assessmentsEach)
{
    QString error;
    auto db = Database::create(path, &error);
    if (!db) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return false;
    }
    QRandomGenerator random(20050817);
    db->execute(QStringLiteral("CREATE TABLE KIHON1([ID] TEXT(20) NOT NULL, [基準日] DATETIME NOT "
                               "NULL, [1-1-1] TEXT(50), [1-1-2] TEXT(50), [1-3-1] DATETIME);"
                               "CREATE INDEX KIHON1_key ON KIHON1([ID], [基準日]);"));
    for (int section = 0; section < 18; ++section) {
        const QString table = sectionTable(section);
        QStringList columns = {QStringLiteral("[ID] TEXT(20) NOT NULL"),
                               QStringLiteral("[基準日] DATETIME NOT NULL")};
        for (int i = 0; i < ColumnsPerSection; ++i)
            columns.append(columnDeclaration(table, i));
        db->execute(
            QStringLiteral("CREATE TABLE [%1](%2); CREATE INDEX [%1_key] ON [%1]([ID], [基準日]);")
                .arg(table, columns.join(QLatin1Char(','))));
    }
    TransactionGuard transaction(*db);
    for (int resident = 0; resident < residents; ++resident) {
        const QString id = residentId(resident);
        db->execute(QStringLiteral("INSERT INTO KIHON1 VALUES(?,?,?,?,?)"),
                    {id, assessmentDate(0), QStringLiteral("山田"), QStringLiteral("花子"),
                     DateValue::fromDate(QDate(1920, 1, 1).addDays(resident % 5000))});
        for (int assessment = 0; assessment < assessmentsEach; ++assessment) {
            for (int section = 0; section < 18; ++section) {
                QVector<Value> values = {id, assessmentDate(assessment)};
                QStringList marks = {QStringLiteral("?"), QStringLiteral("?")};
                for (int i = 0; i < ColumnsPerSection; ++i) {
                    values.append(columnValue(i, random));
                    marks.append(QStringLiteral("?"));
                }
                if (!db->execute(QStringLiteral("INSERT INTO [%1] VALUES(%2)")
                                     .arg(sectionTable(section), marks.join(QLatin1Char(','))),
                                 values, &error)) {
                    std::fprintf(stderr, "%s\n", qPrintable(error));
                    return false;
                }
            }
        }
    }
    return transaction.commit(&error);
}

} // namespace orv::bench
