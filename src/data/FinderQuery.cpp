#include "data/FinderQuery.h"

#include "data/Database.h"
#include "data/Recordset.h"

#include <QStringList>

namespace orv {

namespace {

QString joined(const QString& table, const QString& first, const QString& second)
{
    const QString prefix = table.isEmpty() ? QString() : table + QLatin1Char('.');
    return QStringLiteral("COALESCE(%1[%2],'') || COALESCE(%1[%3],'')").arg(prefix, first, second);
}

FinderMode faceSheetMode()
{
    FinderMode mode;
    mode.caption = QStringLiteral("基本情報データの選択");
    mode.dateLabel = QStringLiteral("記入日");
    mode.table = QStringLiteral("KIHON1");
    mode.deleteTitle = QStringLiteral("基本情報の削除");
    mode.idExpression = QStringLiteral("[ID]");
    mode.dateExpression = QStringLiteral("[基準日]");
    mode.nameExpression = joined(QString(), QStringLiteral("1-1-1"), QStringLiteral("1-1-2"));
    mode.readingExpression = joined(QString(), QStringLiteral("1-1-3"), QStringLiteral("1-1-4"));
    mode.birthExpression = QStringLiteral("[1-3-1]");
    mode.baseQuery = QStringLiteral("SELECT [ID], [基準日], %1 AS [名前], %2 AS [よみ], "
                                    "[1-3-1] AS [生年月日] FROM KIHON1")
                         .arg(mode.nameExpression, mode.readingExpression);
    return mode;
}

// Records of a table joined with every face sheet of their resident.
FinderMode joinedMode(const QString& table, const QString& dateColumn, const QString& caption,
                      const QString& dateLabel, const QString& deleteTitle)
{
    const QString kihon = QStringLiteral("KIHON1");
    FinderMode mode;
    mode.caption = caption;
    mode.dateLabel = dateLabel;
    mode.table = table;
    mode.deleteTitle = deleteTitle;
    mode.idExpression = QStringLiteral("%1.[ID]").arg(table);
    mode.dateExpression = QStringLiteral("%1.[基準日]").arg(table);
    mode.nameExpression = joined(kihon, QStringLiteral("1-1-1"), QStringLiteral("1-1-2"));
    mode.readingExpression = joined(kihon, QStringLiteral("1-1-3"), QStringLiteral("1-1-4"));
    mode.birthExpression = QStringLiteral("KIHON1.[1-3-1]");
    mode.baseQuery = QStringLiteral("SELECT %1, %2, %3 AS [名前], %4 AS [よみ], %5.[%6], "
                                    "KIHON1.[1-3-1] AS [生年月日] FROM %5 INNER JOIN KIHON1 ON "
                                    "%5.[ID] = KIHON1.[ID]")
                         .arg(mode.idExpression, mode.dateExpression, mode.nameExpression,
                              mode.readingExpression, table, dateColumn);
    return mode;
}

const QVector<FinderMode>& modes()
{
    static const QVector<FinderMode> table = {
        faceSheetMode(),
        joinedMode(QStringLiteral("A"), QStringLiteral("A3"),
                   QStringLiteral("アセスメントデータの選択"), QStringLiteral("基準日"),
                   QStringLiteral("アセスメント表データの削除")),
        joinedMode(QStringLiteral("S"), QStringLiteral("S0-1"),
                   QStringLiteral("RAPサマリーデータの選択"), QStringLiteral("記入日"),
                   QStringLiteral("RAPサマリーの削除")),
        joinedMode(QStringLiteral("T"), QStringLiteral("T0-1"),
                   QStringLiteral("薬物治療調査票データの選択"), QStringLiteral("記入日"),
                   QStringLiteral("薬物治療調査票の削除")),
    };
    return table;
}

} // namespace

const FinderMode* FinderQuery::mode(int mode)
{
    if (mode < 0 || mode >= modeCount)
        return nullptr;
    return &modes()[mode];
}

SqlQuery FinderQuery::emptyList(const FinderMode& mode)
{
    return {mode.baseQuery + QStringLiteral(" WHERE ") + mode.idExpression + QStringLiteral(" = ?"),
            {Value(QStringLiteral("Orv21DefaultData"))}};
}

SqlQuery FinderQuery::search(const FinderMode& mode, const FinderCriteria& criteria)
{
    QStringList terms;
    QVector<Value> params;
    // Letters are matched without regard to case, as LIKE matches them.
    const QString contains = QStringLiteral("(lower(%1) GLOB ?)");
    if (!criteria.id.isEmpty()) {
        terms << QStringLiteral("(%1 = ?)").arg(mode.idExpression);
        params << Value(criteria.id);
    }
    if (!criteria.name.isEmpty()) {
        terms << contains.arg(mode.nameExpression);
        params << Value(containsPattern(criteria.name));
    }
    if (!criteria.reading.isEmpty()) {
        terms << contains.arg(mode.readingExpression);
        params << Value(containsPattern(criteria.reading));
    }
    // Keys are dates without a time of day: a date box is matched by its day.
    if (criteria.hasDate) {
        terms << QStringLiteral("(%1 = ?)").arg(mode.dateExpression);
        params << Value(criteria.date.dateOnly());
    }
    if (criteria.hasBirth) {
        terms << QStringLiteral("(%1 = ?)").arg(mode.birthExpression);
        params << Value(criteria.birth.dateOnly());
    }
    if (terms.isEmpty())
        return emptyList(mode);
    return {mode.baseQuery + QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" OR ")),
            params};
}

bool FinderQuery::fetch(Database& db, const SqlQuery& query, QVector<FinderRow>* rows,
                        QString* error)
{
    rows->clear();
    std::unique_ptr<Recordset> rs = db.openRecordset(query.sql, query.params, error);
    if (!rs)
        return false;
    const int id = rs->columnIndex(QStringLiteral("ID"));
    const int kijun = rs->columnIndex(QStringLiteral("基準日"));
    const int name = rs->columnIndex(QStringLiteral("名前"));
    const int reading = rs->columnIndex(QStringLiteral("よみ"));
    const int birth = rs->columnIndex(QStringLiteral("生年月日"));
    for (; !rs->eof(); rs->moveNext()) {
        FinderRow row;
        row.id = rs->value(id).toText();
        row.kijun = rs->value(kijun).toDate();
        row.name = rs->value(name).toText();
        row.reading = rs->value(reading).toText();
        row.birth = rs->value(birth);
        if (row.birth.kind() == Value::Kind::Text)
            row.birth = row.birth.toText().isEmpty() ? Value() : Value(row.birth.toDate());
        rows->append(row);
    }
    // Nothing of the list stays open on the connection.
    rs->close();
    return true;
}

QString FinderQuery::containsPattern(const QString& typed)
{
    QString pattern = QStringLiteral("*");
    for (const QChar c : typed) {
        if (c == QLatin1Char('*') || c == QLatin1Char('?'))
            pattern += c;
        else if (c == QLatin1Char('#'))
            pattern += QStringLiteral("[0-9０-９]");
        else if (c == QLatin1Char('['))
            pattern += QStringLiteral("[[]");
        else if (c.unicode() < 0x80)
            pattern += c.toLower();
        else
            pattern += c;
    }
    return pattern + QLatin1Char('*');
}

} // namespace orv
