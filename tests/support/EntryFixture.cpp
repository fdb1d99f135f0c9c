#include "EntryFixture.h"

#include "data/Database.h"
#include "data/Recordset.h"

#include <sqlite3.h>

namespace orv::test {

namespace {

const char* const schemaSql = R"SQL(
CREATE TABLE _ColumnProperties(TableName TEXT NOT NULL, ColumnName TEXT NOT NULL,
    Name TEXT NOT NULL, Value TEXT, PRIMARY KEY(TableName, ColumnName, Name));
CREATE TABLE KIHON1([ID] TEXT(20), [基準日] DATETIME, [1-1-1] TEXT(10), [1-3-1] DATETIME,
    [1-12] TEXT(10));
CREATE TABLE A([ID] TEXT(20), [基準日] DATETIME, [A1-1] TEXT(5), [A2] LONG, [A3] TEXT(10),
    [A4] DATETIME, [A5] BYTE, [A6] MEMO, [A7] SINGLE, [A8] DATETIME,
    [A9] TEXT(10) CHECK([A9] IS NULL OR [A9] <> 'NG'));
CREATE TABLE B([ID] TEXT(20), [基準日] DATETIME, [B1] BYTE, [B2] TEXT(10));
INSERT INTO _ColumnProperties VALUES('A', 'A4', 'FORMAT', 'yyyy/mm/dd');
INSERT INTO _ColumnProperties VALUES('KIHON1', '1-3-1', 'Format', 'ggge年mm月dd日');
)SQL";

// C, D, E, F, N carry two coma-dependent columns (a number and a text) beside a free one.
QString comaTableSql(const QString& table)
{
    QString sql = QStringLiteral("CREATE TABLE %1([ID] TEXT(20), [基準日] DATETIME, [%1-1] BYTE, "
                                 "[%1-2] TEXT(10), [%1-9] TEXT(10));")
                      .arg(table);
    for (const QString& col : {QStringLiteral("-1"), QStringLiteral("-2")}) {
        sql += QStringLiteral("INSERT INTO _ColumnProperties VALUES('%1', '%1%2', 'Description', "
                              "'KONSUI item');")
                   .arg(table, col);
    }
    sql += QStringLiteral("INSERT INTO _ColumnProperties VALUES('%1', '%1-1', 'DefaultValue', '0');"
                          "INSERT INTO _ColumnProperties VALUES('%1', '%1-2', 'DefaultValue', "
                          "'\"なし\"');"
                          "INSERT INTO _ColumnProperties VALUES('%1', '%1-9', 'Description', "
                          "'konsui in lower case');")
               .arg(table);
    return sql;
}

QString plainTableSql(const QString& table)
{
    return QStringLiteral("CREATE TABLE %1([ID] TEXT(20), [基準日] DATETIME, [%1-1] TEXT(10));")
        .arg(table);
}

} // namespace

void RecordingEntryHost::navigateAndWait(const QString& filePath)
{
    calls << QStringLiteral("navigate ") + filePath.section(QLatin1Char('/'), -2);
    navPermitSeen = state && state->NavPermit;
    if (onNavigate)
        onNavigate(filePath);
}

void RecordingEntryHost::DispKonsui(bool St)
{
    calls << (St ? QStringLiteral("DispKonsui 1") : QStringLiteral("DispKonsui 0"));
}

void RecordingEntryHost::runDatePicker()
{
    calls << QStringLiteral("picker");
    if (onPick)
        onPick();
}

EntryFixture::EntryFixture()
{
    state.msg = &msg;
    state.folder = ProgramFolder(folder.path());
    host.state = &state;
    // A move to the next page looks for its file first.
    QStringList pages = {QStringLiteral("KIHON1"), QStringLiteral("KIHON2"), QStringLiteral("S"),
                         QStringLiteral("T")};
    for (const QChar letter : QStringLiteral("ABCDEFGHIJKLMNOPQR"))
        pages << QString(letter);
    for (const QString& page : std::as_const(pages))
        folder.write(QStringLiteral("FORM/%1.HTM").arg(page), "<html></html>");
}

bool EntryFixture::open(QString* error)
{
    const QString path = folder.file(QStringLiteral("Orv21.db"));
    QString sql = QString::fromUtf8(schemaSql);
    for (const QChar letter : QStringLiteral("CDEFN"))
        sql += comaTableSql(letter);
    for (const QChar letter : QStringLiteral("GHIJKLMOPQR"))
        sql += plainTableSql(letter);
    sqlite3* handle = nullptr;
    sqlite3_open(path.toUtf8().constData(), &handle);
    char* message = nullptr;
    const int rc = sqlite3_exec(handle, sql.toUtf8().constData(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK && error)
        *error = QString::fromUtf8(message);
    sqlite3_free(message);
    sqlite3_close(handle);
    if (rc != SQLITE_OK)
        return false;
    state.Db = Database::open(path, error);
    return state.Db != nullptr;
}

bool EntryFixture::openWithAssessment(QString* error)
{
    if (!open(error))
        return false;
    if (addAssessment(id, date) && addFaceSheet(id, date) && openRow(QStringLiteral("A")))
        return true;
    *error = QStringLiteral("the assessment could not be added");
    return false;
}

bool EntryFixture::addAssessment(const QString& rowId, const QDate& rowDate)
{
    for (const QChar letter : QStringLiteral("ABCDEFGHIJKLMNOPQR")) {
        const QString sql =
            QStringLiteral("INSERT INTO %1([ID], [基準日]) VALUES(?, ?)").arg(letter);
        if (!state.Db->execute(sql, {Value(rowId), Value(DateValue::fromDate(rowDate))}))
            return false;
    }
    return true;
}

bool EntryFixture::addFaceSheet(const QString& rowId, const QDate& rowDate)
{
    return state.Db->execute(QStringLiteral("INSERT INTO KIHON1([ID], [基準日]) VALUES(?, ?)"),
                             {Value(rowId), Value(DateValue::fromDate(rowDate))});
}

bool EntryFixture::openRow(const QString& table)
{
    state.CurID = id;
    state.CurKijunbi = DateValue::fromDate(date);
    state.CurRs = state.Db->openRecordset(
        QStringLiteral("Select * From %1 Where [ID]=? And [基準日]=?").arg(table),
        {Value(id), Value(state.CurKijunbi)});
    if (!state.CurRs || state.CurRs->eof())
        return false;
    state.CurRs->edit();
    return true;
}

Value EntryFixture::stored(const QString& table, const QString& column, const QString& rowId,
                           const QDate& rowDate)
{
    auto rs = state.Db->openRecordset(
        QStringLiteral("SELECT [%1] FROM %2 WHERE [ID]=? AND [基準日]=?").arg(column, table),
        {Value(rowId), Value(DateValue::fromDate(rowDate))});
    if (!rs || rs->eof())
        return Value();
    return rs->value(0);
}

int EntryFixture::rowCount(const QString& table)
{
    auto rs = state.Db->openRecordset(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table));
    return rs && !rs->eof() ? int(rs->value(0).toInteger()) : -1;
}

} // namespace orv::test
