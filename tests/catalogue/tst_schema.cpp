#include "support/TestDatabase.h"

#include "data/AppState.h"
#include "data/Catalogue.h"
#include "data/ComaMode.h"
#include "data/DaoType.h"
#include "data/Recordset.h"
#include "data/SchemaBuilder.h"
#include "data/ValueConverter.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

#include <sqlite3.h>

using namespace orv;
using namespace orv::test;

namespace {

// Reads the built file with sqlite3 alone, so these checks do not lean on the record store.
class RawFile
{
public:
    explicit RawFile(const QString& path)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &m_handle, SQLITE_OPEN_READONLY, nullptr);
    }
    ~RawFile() { sqlite3_close(m_handle); }

    QList<QStringList> rows(const QString& sql, const QStringList& params = {}) const
    {
        QList<QStringList> result;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_handle, sql.toUtf8().constData(), -1, &statement, nullptr) !=
            SQLITE_OK)
            return result;
        for (int i = 0; i < params.size(); ++i)
            sqlite3_bind_text(statement, i + 1, params.at(i).toUtf8().constData(), -1,
                              SQLITE_TRANSIENT);
        while (sqlite3_step(statement) == SQLITE_ROW) {
            QStringList row;
            for (int c = 0; c < sqlite3_column_count(statement); ++c)
                row.append(QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(statement, c))));
            result.append(row);
        }
        sqlite3_finalize(statement);
        return result;
    }

    // Column name to declared type, in column order.
    QList<QPair<QString, QString>> columns(const QString& table) const
    {
        QList<QPair<QString, QString>> result;
        for (const QStringList& row : rows(QStringLiteral("PRAGMA table_info([%1])").arg(table)))
            result.append({row.at(1), row.at(2)});
        return result;
    }

    QString declaredType(const QString& table, const QString& column) const
    {
        for (const auto& entry : columns(table)) {
            if (entry.first == column)
                return entry.second;
        }
        return QString();
    }

    QString property(const QString& table, const QString& column, const QString& name) const
    {
        const auto found = rows(QStringLiteral("SELECT Value FROM _ColumnProperties WHERE "
                                               "TableName=? AND ColumnName=? AND Name=?"),
                                {table, column, name});
        return found.isEmpty() ? QStringLiteral("<none>") : found.first().at(0);
    }

private:
    sqlite3* m_handle = nullptr;
};

QString typeWord(const QString& declared)
{
    return declared.section(QLatin1Char('('), 0, 0).section(QLatin1Char(' '), 0, 0);
}

int textSize(const QString& declared)
{
    static const QRegularExpression size(QStringLiteral("^TEXT\\((\\d+)\\)$"));
    const QRegularExpressionMatch match = size.match(declared);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

bool isWholeNumberType(const QString& declared)
{
    const QString word = typeWord(declared);
    return word == QLatin1String("BYTE") || word == QLatin1String("INTEGER") ||
           word == QLatin1String("LONG");
}

// Types a page element may be bound to.
bool isBindableType(const QString& declared)
{
    static const QStringList words = {"BYTE",     "INTEGER", "LONG", "SINGLE",
                                      "DATETIME", "TEXT",    "MEMO"};
    return words.contains(typeWord(declared)) &&
           (typeWord(declared) != QLatin1String("TEXT") || textSize(declared) > 0);
}

QStringList letters(const QString& prefix, char first, char last, const QString& suffix = {})
{
    QStringList names;
    for (char c = first; c <= last; ++c)
        names.append(prefix + QLatin1Char(c) + suffix);
    return names;
}

// The items that the trigger rules read, by table.
QList<QPair<QString, QStringList>> triggerItems()
{
    return {
        {"B", QStringList{"B2-a", "B2-b", "B4", "B6"} + letters("B5-", 'a', 'f')},
        {"C", {"C1", "C4", "C6", "C7"}},
        {"D", {"D1", "D2-a"}},
        {"E",
         letters("E1-", 'a', 'p') + QStringList{"E2", "E3", "E5"} + letters("E4-", 'a', 'e', "-A")},
        {"F", QStringList{"F1-d", "F3-a", "F3-b", "F3-c"} + letters("F2-", 'a', 'd')},
        {"G", letters("G1-", 'a', 'f') + QStringList{"G1-g-A", "G1-g-B", "G1-h", "G1-i-A", "G1-i-B",
                                                     "G1-j", "G2-A", "G2-B", "G3-b", "G6-a", "G8-a",
                                                     "G8-b"}},
        {"H", {"H1-a", "H1-b", "H2-b", "H2-c", "H2-d", "H3-c", "H3-d", "H3-e", "H3-g"}},
        {"I", {"I1-i", "I1-j", "I1-gg", "I1-ll", "I1-nn", "I1-tt", "I2-j"}},
        {"J",
         {"J1-a", "J1-c", "J1-d", "J1-f", "J1-h", "J1-i", "J1-j", "J1-k", "J1-m", "J1-n", "J2-a",
          "J4-a", "J4-b", "J4-c"}},
        {"K", QStringList{"K1-b", "K1-c", "K3-a", "K4-a", "K4-c"} + letters("K5-", 'a', 'e')},
        {"L", {"L1-a", "L1-c", "L1-d", "L1-e", "L1-f"}},
        {"M", {"M2-a", "M3", "M4-e"}},
        {"N", {"N1-a", "N2", "N5-a", "N5-b"}},
        {"O", {"O4-a", "O4-b", "O4-c", "O4-e"}},
        {"P", {"P4-c", "P4-d", "P4-e"}},
    };
}

QStringList triggerKeysInOrder()
{
    QStringList keys;
    const QList<QPair<QString, int>> runs = {
        {"B", 5}, {"C", 4}, {"D", 2}, {"E", 9}, {"F", 5}, {"G", 6}, {"H", 5},  {"I", 6}, {"J", 9},
        {"K", 7}, {"L", 2}, {"M", 4}, {"N", 4}, {"O", 4}, {"P", 3}, {"OH", 3}, {"OJ", 1}};
    for (const auto& run : runs) {
        for (int n = 1; n <= run.second; ++n)
            keys.append(run.first + QString::number(n));
    }
    return keys;
}

} // namespace

class TestSchema : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(m_file.ok(), qPrintable(m_file.error()));
        m_raw = std::make_unique<RawFile>(m_file.path());
    }

    void recordTablesHaveKeyAndIndex_data()
    {
        QTest::addColumn<QString>("table");
        for (const QString& table :
             QStringList{"KIHON1", "A", "B", "C", "D", "E", "F", "G", "H", "I", "J",
                         "K",      "L", "M", "N", "O", "P", "Q", "R", "S", "T"})
            QTest::newRow(qPrintable(table)) << table;
    }
    void recordTablesHaveKeyAndIndex()
    {
        QFETCH(QString, table);
        const auto columns = m_raw->columns(table);
        QVERIFY(columns.size() > 2);
        QCOMPARE(columns.at(0).first, QStringLiteral("ID"));
        QVERIFY(textSize(columns.at(0).second) >= 20);
        QCOMPARE(columns.at(1).first, QStringLiteral("基準日"));
        QCOMPARE(columns.at(1).second, QStringLiteral("DATETIME"));
        const auto indexes = m_raw->rows(QStringLiteral("PRAGMA index_list([%1])").arg(table));
        QVERIFY(!indexes.isEmpty());
        const auto indexed =
            m_raw->rows(QStringLiteral("PRAGMA index_info([%1])").arg(indexes.first().at(1)));
        QCOMPARE(indexed.size(), 2);
        QCOMPARE(indexed.at(0).at(2), QStringLiteral("ID"));
        QCOMPARE(indexed.at(1).at(2), QStringLiteral("基準日"));
        for (const auto& column : columns) {
            QVERIFY2(!column.first.contains(QLatin1Char('_')), qPrintable(column.first));
            QVERIFY2(isBindableType(column.second),
                     qPrintable(column.first + QLatin1Char(' ') + column.second));
            QVERIFY2(m_raw->property(table, column.first, "Description") != "<none>",
                     qPrintable(column.first));
        }
    }

    void columnsTheCodeNames_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("kind");
        const QList<QPair<QString, QString>> texts = {
            {"KIHON1", "1-1-1"}, {"KIHON1", "1-1-2"}, {"KIHON1", "1-1-3"}, {"KIHON1", "1-1-4"},
            {"A", "A1-1"},       {"A", "A1-2"},       {"A", "A1-3"},       {"A", "A1-4"},
            {"A", "A5"},         {"S", "S0-2"},       {"T", "T0-2"}};
        for (const auto& entry : texts)
            QTest::newRow(qPrintable(entry.second)) << entry.first << entry.second << "text";
        for (const auto& entry : QList<QPair<QString, QString>>{
                 {"KIHON1", "1-12"}, {"A", "A3"}, {"S", "S0-1"}, {"T", "T0-1"}})
            QTest::newRow(qPrintable(entry.second)) << entry.first << entry.second << "datetext";
        QTest::newRow("1-3-1") << "KIHON1"
                               << "1-3-1"
                               << "date";
        QTest::newRow("B1") << "B"
                            << "B1"
                            << "number";
        for (int n = 1; n <= 20; ++n) {
            const QString column = QStringLiteral("S%1-a").arg(n);
            QTest::newRow(qPrintable(column)) << "S" << column << "number";
        }
    }
    void columnsTheCodeNames()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QString, kind);
        const QString declared = m_raw->declaredType(table, column);
        QVERIFY2(!declared.isEmpty(), "missing column");
        if (kind == "text")
            QVERIFY2(textSize(declared) >= 20 || typeWord(declared) == "MEMO",
                     qPrintable(declared));
        else if (kind == "datetext")
            QVERIFY2(textSize(declared) >= 10, qPrintable(declared));
        else if (kind == "date")
            QCOMPARE(declared, QStringLiteral("DATETIME"));
        else
            QVERIFY2(isWholeNumberType(declared), qPrintable(declared));
    }

    void copiesAreWideEnough()
    {
        for (int n = 1; n <= 4; ++n) {
            QVERIFY(textSize(m_raw->declaredType("A", QStringLiteral("A1-%1").arg(n))) >=
                    textSize(m_raw->declaredType("KIHON1", QStringLiteral("1-1-%1").arg(n))));
        }
        QVERIFY(textSize(m_raw->declaredType("A", "A5")) >=
                textSize(m_raw->declaredType("A", "ID")));
        QVERIFY(textSize(m_raw->declaredType("S", "S0-2")) >=
                textSize(m_raw->declaredType("KIHON1", "1-1-1")) +
                    textSize(m_raw->declaredType("KIHON1", "1-1-2")));
    }

    void triggerRuleItemsAreWholeNumbers()
    {
        for (const auto& table : triggerItems()) {
            for (const QString& column : table.second) {
                const QString declared = m_raw->declaredType(table.first, column);
                QVERIFY2(isWholeNumberType(declared),
                         qPrintable(table.first + ": " + column + " " + declared));
            }
        }
    }

    void triggerTableHasTheKeysInOrder()
    {
        const auto columns = m_raw->columns("Trigger");
        QStringList names;
        for (const auto& column : columns)
            names.append(column.first);
        QCOMPARE(names, QStringList({"ID", "記入日"}) + triggerKeysInOrder());
        QCOMPARE(columns.at(1).second, QStringLiteral("DATETIME"));
        for (int i = 2; i < columns.size(); ++i)
            QVERIFY(textSize(columns.at(i).second) >= 1);
    }

    void rapTables()
    {
        QStringList rapSense;
        for (const auto& column : m_raw->columns("RAPSense"))
            rapSense.append(column.first);
        QCOMPARE(rapSense, QStringList({"RAPS", "VALUE"}));
        const auto rap = m_raw->columns("RAP");
        QCOMPARE(rap.size(), 3);
        QCOMPARE(rap.at(1), qMakePair(QStringLiteral("記入日"), QStringLiteral("DATETIME")));
        QCOMPARE(rap.at(2).first, QStringLiteral("RAP"));
        QVERIFY(textSize(rap.at(2).second) >= 69); // all 22 codes with their separators
    }

    void everyTriggerKeyHasOneName()
    {
        const auto names = m_raw->rows("SELECT RAP, ITEM FROM RAPName ORDER BY rowid");
        QStringList keys;
        for (const QStringList& row : names) {
            keys.append(row.at(0));
            QVERIFY2(!row.at(1).trimmed().isEmpty(), qPrintable(row.at(0)));
        }
        QCOMPARE(keys, triggerKeysInOrder());
    }

    void dateColumnsShowAsDays()
    {
        for (const auto& entry : QList<QPair<QString, QString>>{
                 {"KIHON1", "1-3-1"}, {"KIHON1", "1-5"}, {"R", "R2-b"}, {"R", "R2-h-5"}})
            QCOMPARE(m_raw->property(entry.first, entry.second, "FORMAT"),
                     QStringLiteral("yyyy/mm/dd"));
        QCOMPARE(m_raw->property("KIHON1", "1-12", "FORMAT"), QStringLiteral("<none>"));
    }

    void comaDependentColumns_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<bool>("dependent");
        for (const QString& table : QStringList{"C", "D", "E", "F"})
            QTest::newRow(qPrintable(table + ": every item")) << table << true;
        QTest::newRow("B: none, B1 included") << "B" << false;
        QTest::newRow("G: none") << "G" << false;
    }
    void comaDependentColumns()
    {
        QFETCH(QString, table);
        QFETCH(bool, dependent);
        const auto columns = m_raw->columns(table);
        for (int i = 2; i < columns.size(); ++i) {
            const QString description = m_raw->property(table, columns.at(i).first, "Description");
            QCOMPARE(description.contains(QLatin1String("KONSUI")), dependent);
        }
    }

    void comaColumnsOfNFollowN1()
    {
        QVERIFY(!m_raw->property("N", "N1-a", "Description").contains("KONSUI"));
        for (const QString& column : QStringList{"N2", "N3-a", "N4-m", "N5-a", "N5-b"})
            QVERIFY2(m_raw->property("N", column, "Description").contains("KONSUI"),
                     qPrintable(column));
    }

    // The coma mode puts the DefaultValue text back through the column's type; a coded item
    // has none, so it goes back to blank rather than to an answer nobody gave.
    void comaDefaultsSuitTheirTypes()
    {
        const auto comaColumns =
            m_raw->rows("SELECT p.TableName, p.ColumnName, d.Value FROM _ColumnProperties p "
                        "LEFT JOIN _ColumnProperties d ON d.TableName = p.TableName AND "
                        "d.ColumnName = p.ColumnName AND d.Name = 'DefaultValue' "
                        "WHERE p.Name = 'Description' AND p.Value LIKE '%KONSUI%'");
        QVERIFY(comaColumns.size() > 80);
        QSet<QString> tables;
        for (const QStringList& row : comaColumns) {
            tables.insert(row.at(0));
            const QString declared = m_raw->declaredType(row.at(0), row.at(1));
            const QString value = row.at(2);
            const CatalogueItem* item = Catalogue::builtIn().item(row.at(1));
            QVERIFY2(item, qPrintable(row.at(1)));
            QCOMPARE(value.isEmpty(), item->kind == ItemKind::Code);
            if (value.isEmpty())
                continue;
            bool ok = false;
            const int number = value.toInt(&ok);
            if (typeWord(declared) == "BYTE")
                ok = ok && number >= 0 && number <= 255;
            else if (typeWord(declared) == "INTEGER")
                ok = ok && number >= -32768 && number <= 32767;
            else if (typeWord(declared) == "TEXT")
                ok = value.size() <= textSize(declared);
            else
                ok = false;
            QVERIFY2(ok, qPrintable(row.join(' ') + ' ' + declared));
        }
        QCOMPARE(tables, QSet<QString>({"C", "D", "E", "F", "N"}));
    }

    // What the record store reads of the declared types and the properties.
    void recordStoreSeesTheColumns_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("format");
        QTest::newRow("name") << "KIHON1"
                              << "1-1-1" << int(dbText) << 20 << "";
        QTest::newRow("birth date") << "KIHON1"
                                    << "1-3-1" << int(dbDate) << 8 << "yyyy/mm/dd";
        QTest::newRow("date as text") << "A"
                                      << "A3" << int(dbText) << 10 << "";
        QTest::newRow("coded item") << "B"
                                    << "B1" << int(dbByte) << 1 << "";
        QTest::newRow("count") << "O"
                               << "O1" << int(dbInteger) << 2 << "";
        QTest::newRow("height") << "K"
                                << "K2-a" << int(dbSingle) << 4 << "";
        QTest::newRow("memo") << "S"
                              << "S1-b" << int(dbMemo) << 0 << "";
        QTest::newRow("trigger mark") << "Trigger"
                                      << "OJ1" << int(dbText) << 2 << "";
        QTest::newRow("RAP list") << "RAP"
                                  << "RAP" << int(dbText) << 80 << "";
    }
    void recordStoreSeesTheColumns()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(int, type);
        QFETCH(int, size);
        QFETCH(QString, format);
        std::unique_ptr<Database> db = m_file.open();
        QVERIFY(db);
        const TableSchema* schema = db->schema(table);
        QVERIFY(schema);
        const int index = schema->indexOf(column);
        QVERIFY(index >= 0);
        const ColumnInfo& info = schema->columns.at(index);
        QCOMPARE(info.type, type);
        QCOMPARE(info.size, size);
        QCOMPARE(info.property("FORMAT"), format);
    }

    // A memo holding digits stays the text it was.
    void memoKeepsItsText()
    {
        TestDatabase file;
        std::unique_ptr<Database> db = file.open();
        QVERIFY(db->execute("INSERT INTO S ([ID], [基準日], [S1-b]) VALUES (?, ?, ?)",
                            {Value("利用者1"), Value("2005-08-17"), Value("007")}));
        std::unique_ptr<Recordset> rs = db->openRecordset("S");
        QVERIFY(rs && !rs->eof());
        QCOMPARE(rs->value("S1-b").toText(), QStringLiteral("007"));
    }

    void comaDefaultsPassTheRecordStore()
    {
        std::unique_ptr<Database> db = m_file.open();
        int checked = 0;
        for (const QString& table : QStringList{"C", "D", "E", "F", "N"}) {
            for (const ColumnInfo& column : db->schema(table)->columns) {
                if (!column.property("Description").contains("KONSUI"))
                    continue;
                ++checked;
                if (column.property("DefaultValue").isEmpty())
                    continue; // back to blank
                Value converted;
                QString error;
                QVERIFY2(ValueConverter::convert(column, Value(column.property("DefaultValue")),
                                                 &converted, &error),
                         qPrintable(column.name + ": " + error));
                QVERIFY(!converted.isNull());
            }
        }
        QCOMPARE(checked, 16 + 5 + 29 + 19 + 21);
    }

    // A new assessment opens on blank choices, and leaving the coma state blanks them again;
    // an unticked check box reads the same either way.
    void comaItemsStartAndReturnBlank()
    {
        TestDatabase file;
        AppState state;
        state.Db = file.open();
        state.CurID = QStringLiteral("利用者1");
        state.CurKijunbi = DateValue::fromDate(QDate(2005, 8, 17));
        for (const QString& table : ComaMode::changedTables()) {
            std::unique_ptr<Recordset> rs = state.Db->openRecordset(table);
            rs->addNew();
            QVERIFY(rs->setValue("ID", Value(state.CurID)));
            QVERIFY(rs->setValue("基準日", Value(state.CurKijunbi)));
            QVERIFY(rs->update());
        }
        const auto stored = [&](const QString& table, const QString& column) {
            std::unique_ptr<Recordset> rs = state.Db->openRecordset(table);
            return rs->value(column);
        };
        QVERIFY(stored("C", "C1").isNull());
        QVERIFY(stored("E", "E4-a-A").isNull());
        QVERIFY(stored("N", "N2").isNull());
        QCOMPARE(stored("C", "C2-a"), Value(0));

        ComaMode coma(state);
        QString error;
        QVERIFY2(coma.KonsuiChg(true, &error), qPrintable(error));
        QVERIFY(stored("C", "C2-a").isNull());
        QVERIFY2(coma.KonsuiChg(false, &error), qPrintable(error));
        QVERIFY(stored("C", "C1").isNull());
        QVERIFY(stored("D", "D1").isNull());
        QVERIFY(stored("N", "N5-b").isNull());
        QCOMPARE(stored("C", "C2-a"), Value(0));
        QCOMPARE(stored("N", "N4-m"), Value(0));
    }

    void newFileIsNeverWrittenOverAnOldOne()
    {
        TempFolder folder;
        const QString path = folder.write("Orv21.db", "records of a user");
        QString error;
        QVERIFY(!SchemaBuilder().createFile(path, &error));
        QVERIFY(!error.isEmpty());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("records of a user"));
    }

    void failedBuildLeavesNothingBehind()
    {
        TempFolder folder;
        sqlite3* handle = nullptr;
        QVERIFY(sqlite3_open(folder.file("x.db").toUtf8().constData(), &handle) == SQLITE_OK);
        QVERIFY(sqlite3_exec(handle, "CREATE TABLE [R] (x TEXT)", nullptr, nullptr, nullptr) ==
                SQLITE_OK);
        QString error;
        QVERIFY(!SchemaBuilder().build(handle, &error));
        QVERIFY(error.contains(QLatin1String("R")));
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(handle, "SELECT count(*) FROM sqlite_master WHERE name = 'KIHON1'", -1,
                           &statement, nullptr);
        QCOMPARE(sqlite3_step(statement), SQLITE_ROW);
        QCOMPARE(sqlite3_column_int(statement, 0), 0);
        sqlite3_finalize(statement);
        sqlite3_close(handle);
    }

private:
    TestDatabase m_file;
    std::unique_ptr<RawFile> m_raw;
};

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
