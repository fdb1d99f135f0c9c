#include "support/TestDatabase.h"

#include "data/Catalogue.h"
#include "data/DaoType.h"
#include "rap/TriggerRuleTable.h"

#include "TestPaths.h"

#include <QRegularExpression>
#include <QSet>
#include <QtTest>

#include <sqlite3.h>

#include <algorithm>

using namespace orv;
using namespace orv::test;

namespace {

// One part of a name as a range walks it: a number after a common prefix ("S1" to "S20",
// "1" to "7"), a letter, or a doubled letter ("aa").
QStringList steps(const QString& from, const QString& to)
{
    static const QRegularExpression numbered(QStringLiteral("^(\\D*)(\\d+)$"));
    const QRegularExpressionMatch first = numbered.match(from);
    const QRegularExpressionMatch last = numbered.match(to);
    QStringList values;
    if (first.hasMatch() && last.hasMatch() && first.captured(1) == last.captured(1)) {
        for (int n = first.captured(2).toInt(); n <= last.captured(2).toInt(); ++n)
            values.append(first.captured(1) + QString::number(n));
        return values;
    }
    for (QChar c = from.at(0); c <= to.at(0); c = QChar(c.unicode() + 1))
        values.append(QString(from.size(), c));
    return values;
}

// "A10-a..A10-h", "E4-A-A..E4-E-B" (every part that differs is walked, the first outermost),
// or a single name.
QStringList expand(const QString& token)
{
    if (!token.contains(QLatin1String("..")))
        return {token};
    const QStringList from = token.section(QLatin1String(".."), 0, 0).split('-');
    const QStringList to = token.section(QLatin1String(".."), 1, 1).split('-');
    QStringList names = {QString()};
    for (int i = 0; i < from.size(); ++i) {
        const QStringList values =
            from.at(i) == to.at(i) ? QStringList{from.at(i)} : steps(from.at(i), to.at(i));
        QStringList longer;
        for (const QString& name : names) {
            for (const QString& value : values)
                longer.append(name.isEmpty() && i == 0 ? value : name + '-' + value);
        }
        names = longer;
    }
    return names;
}

QStringList expandAll(const QStringList& tokens)
{
    QStringList names;
    for (const QString& token : tokens)
        names += expand(token);
    return names;
}

// The element names that the report layouts bind, per report.
QStringList faceSheetContract()
{
    return expandAll({"m1-1-1..m1-1-4", "m1-2", "m1-3-1", "m1-3-2", "m1-4-1", "m1-4-2", "m1-5",
                      "m1-6", "m1-7", "m1-8-1..m1-8-7", "m1-9-1", "m1-9-2", "m1-10", "m1-12",
                      "m2-1-a..m2-1-y"});
}

QList<QPair<QString, QStringList>> assessmentContract()
{
    return {
        {"A",
         {"A1-1..A1-4", "A2..A5", "A6-a..A6-c", "A7-1", "A7-2", "A8", "A9-a..A9-d", "A10-a..A10-h",
          "A11"}},
        {"B", {"B1", "B2-A", "B2-B", "B3-a..B3-e", "B4", "B5-A..B5-F", "B6"}},
        {"C", {"C1", "C2-a..C2-d", "C3-a..C3-g", "C4..C7"}},
        {"D", {"D1", "D2-a..D2-c", "D3"}},
        {"E", {"E1-A..E1-P", "E2", "E3", "E4-A-A..E4-E-B", "E5"}},
        {"F", {"F1-a..F1-g", "F2-a..F2-h", "F3-a..F3-d"}},
        {"G",
         {"G1-A..G1-F", "G1-G-A", "G1-G-B", "G1-H", "G1-I-A", "G1-I-B", "G1-J", "G2-A", "G2-B",
          "G3-A", "G3-B", "G4-A-A..G4-F-B", "G5-a..G5-e", "G6-a..G6-f", "G7", "G8-a..G8-e", "G9"}},
        {"H", {"H1-A", "H1-B", "H2-a..H2-e", "H3-a..H3-j", "H4"}},
        {"I", {"I1-a..I1-z", "I1-aa..I1-uu", "I2-a..I2-m", "I3-A-1..I3-E-2"}},
        {"J", {"J1-a..J1-p", "J2-A", "J2-B", "J3-a..J3-j", "J4-a..J4-e", "J5-a..J5-d"}},
        {"K",
         {"K1-A..K1-C", "K2-A", "K2-B", "K3-A", "K3-B", "K4-a..K4-d", "K5-a..K5-i", "K6-A",
          "K6-B"}},
        {"L", {"L1-a..L1-g"}},
        {"M", {"M1-A..M1-D", "M2-A", "M2-B", "M3", "M4-a..M4-h", "M5-a..M5-j", "M6-a..M6-g"}},
        {"N", {"N1-a..N1-d", "N2", "N3-a..N3-e", "N4-a..N4-m", "N5-A", "N5-B"}},
        {"O", {"O1", "O2", "O3", "O4-A..O4-E"}},
        {"P",
         {"P1-a-a..P1-a-s", "P1-b-a-A..P1-b-e-B", "P2-a..P2-f", "P3-a..P3-k", "P4-A..P4-E",
          "P5..P9"}},
        {"Q", {"Q1-A..Q1-C", "Q2", "Q3-A..Q3-E"}},
        {"R",
         {"R1-A..R1-C", "R2-A-1", "R2-A-2", "R2-b", "R2-c", "R2-D-1..R2-D-4", "R2-d-5",
          "R2-E-1..R2-E-4", "R2-e-5", "R2-F-1..R2-F-4", "R2-f-5", "R2-G-1..R2-G-4", "R2-g-5",
          "R2-H-1..R2-H-4", "R2-h-5"}},
    };
}

QStringList summaryContract()
{
    return expandAll({"S0-1", "S0-2", "S0-3", "S1-a..S20-a", "S1-B..S20-B", "S1-c..S20-c"});
}

QStringList surveyContract()
{
    return expandAll({"T0-1..T0-3", "T-A-1-1-1..T-A-1-20-4", "T-A-2-1-1..T-A-2-9-4",
                      "T-B-1-1-1..T-B-1-8-4", "T-B-2-1-1..T-B-2-8-5", "T-C-1-1-1..T-C-1-4-3",
                      "T-C-2-1-1..T-C-2-4-3"});
}

QStringList triggerSelectionContract()
{
    QStringList names = expandAll({"B1..B5", "C1..C4", "D1", "D2", "E1..E9", "F1..F5", "G1..G6",
                                   "H1..H5", "I1..I6", "J1..J9", "K1..K7", "L1", "L2", "M1..M4",
                                   "N1..N4", "O1..O4", "P1..P3", "OH1..OH3", "OJ1"});
    for (int n = 1; n <= 22; ++n)
        names.append(QStringLiteral("rap%1").arg(n));
    return names;
}

// The 343 columns written as check marks.
QStringList checkMarkColumns()
{
    return expandAll(
        {"1-8-1..1-8-7", "2-1-a..2-1-y", "A6-a..A6-c", "A9-a..A9-d",     "A10-a..A10-h",
         "B3-a..B3-e",   "C2-a..C2-d",   "C3-a..C3-g", "D2-a..D2-c",     "F1-a..F1-g",
         "F2-a..F2-h",   "F3-a..F3-d",   "G5-a..G5-e", "G6-a..G6-f",     "G8-a..G8-e",
         "H2-a..H2-e",   "H3-a..H3-j",   "I1-a..I1-z", "I1-aa..I1-uu",   "I2-a..I2-m",
         "J1-a..J1-p",   "J3-a..J3-j",   "J4-a..J4-e", "J5-a..J5-d",     "K4-a..K4-d",
         "K5-a..K5-i",   "L1-a..L1-g",   "M4-a..M4-h", "M5-a..M5-j",     "M6-a..M6-g",
         "N1-a..N1-d",   "N3-a..N3-e",   "N4-a..N4-m", "P1-a-a..P1-a-s", "P2-a..P2-f",
         "S1-a..S20-a",  "S1-c..S20-c"});
}

// Columns whose element keeps the column name's case; every other name is upper-cased.
QSet<QString> namesKeptAsTheyAre()
{
    QSet<QString> kept;
    for (const QString& name :
         expandAll({"1-2",      "1-4-1",    "基準日",   "1-3-1",      "1-5",      "1-12",
                    "A3",       "R2-b",     "R2-c",     "R2-d-5",     "R2-e-5",   "R2-f-5",
                    "R2-g-5",   "R2-h-5",   "T0-1",     "S0-1",       "P1-b-a-A", "P1-b-b-A",
                    "P1-b-c-A", "P1-b-d-A", "P1-b-e-A", "P3-a..P3-k", "P1-b-a-B", "P1-b-b-B",
                    "P1-b-c-B", "P1-b-d-B", "P1-b-e-B"}) +
             checkMarkColumns())
        kept.insert(name);
    return kept;
}

QString elementName(const QString& column)
{
    static const QSet<QString> kept = namesKeptAsTheyAre();
    const QChar first = column.at(0);
    const QString prefix =
        first >= QLatin1Char('1') && first <= QLatin1Char('9') ? QStringLiteral("m") : QString();
    return prefix + (kept.contains(column) ? column : column.toUpper());
}

QStringList columnsOf(const QString& path, const QString& table)
{
    QStringList names;
    sqlite3* handle = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &handle, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(handle, QStringLiteral("PRAGMA table_info([%1])").arg(table).toUtf8(), -1,
                       &statement, nullptr);
    while (sqlite3_step(statement) == SQLITE_ROW)
        names.append(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 1))));
    sqlite3_finalize(statement);
    sqlite3_close(handle);
    return names;
}

QStringList sorted(QStringList names)
{
    names.sort();
    return names;
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(m_file.ok(), qPrintable(m_file.error())); }

    void rangesOfTheContract()
    {
        QCOMPARE(expand("E4-A-A..E4-B-B"), QStringList({"E4-A-A", "E4-A-B", "E4-B-A", "E4-B-B"}));
        QCOMPARE(expand("I1-aa..I1-cc"), QStringList({"I1-aa", "I1-bb", "I1-cc"}));
        QCOMPARE(expand("T-A-1-1-1..T-A-1-2-2").size(), 4);
        QCOMPARE(expand("A2..A5"), QStringList({"A2", "A3", "A4", "A5"}));
        QCOMPARE(expand("S1-a..S20-a").size(), 20);
        QCOMPARE(checkMarkColumns().size(), 343);
    }

    void elementNames_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("element");
        QTest::newRow("digits only") << "1-1-1"
                                     << "m1-1-1";
        QTest::newRow("sex") << "1-2"
                             << "m1-2";
        QTest::newRow("check mark of the face sheet") << "2-1-a"
                                                      << "m2-1-a";
        QTest::newRow("check mark") << "A10-a"
                                    << "A10-a";
        QTest::newRow("code") << "B2-a"
                              << "B2-A";
        QTest::newRow("sub-item") << "E4-a-A"
                                  << "E4-A-A";
        QTest::newRow("era date") << "R2-d-5"
                                  << "R2-d-5";
        QTest::newRow("basis text") << "S1-b"
                                    << "S1-B";
        QTest::newRow("key date") << "基準日"
                                  << "基準日";
    }
    void elementNames()
    {
        QFETCH(QString, column);
        QFETCH(QString, element);
        QCOMPARE(elementName(column), element);
    }

    void contractPerReport_data()
    {
        QTest::addColumn<QStringList>("tables");
        QTest::addColumn<QStringList>("contract");
        QTest::addColumn<int>("count");
        QTest::newRow("face sheet (48)") << QStringList{"KIHON1"} << faceSheetContract() << 48;
        QStringList sections;
        QStringList assessment;
        for (const auto& section : assessmentContract()) {
            sections.append(section.first);
            assessment += expandAll(section.second);
        }
        QTest::newRow("assessment (474)") << sections << assessment << 474;
        QTest::newRow("RAP summary (63)") << QStringList{"S"} << summaryContract() << 63;
        QTest::newRow("medication survey (215)") << QStringList{"T"} << surveyContract() << 215;
    }
    void contractPerReport()
    {
        QFETCH(QStringList, tables);
        QFETCH(QStringList, contract);
        QFETCH(int, count);
        QCOMPARE(contract.size(), count);
        QStringList elements;
        for (const QString& table : tables) {
            const QStringList columns = columnsOf(m_file.path(), table);
            QCOMPARE(columns.mid(0, 2), QStringList({"ID", "基準日"}));
            for (const QString& column : columns.mid(2))
                elements.append(elementName(column));
        }
        QCOMPARE(elements.size(), contract.size());
        QCOMPARE(sorted(elements), sorted(contract));
    }

    void contractPerSection_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("contract");
        for (const auto& section : assessmentContract())
            QTest::newRow(qPrintable(section.first)) << section.first << expandAll(section.second);
    }
    void contractPerSection()
    {
        QFETCH(QString, table);
        QFETCH(QStringList, contract);
        QStringList elements;
        for (const QString& column : columnsOf(m_file.path(), table).mid(2))
            elements.append(elementName(column));
        QCOMPARE(sorted(elements), sorted(contract));
    }

    void triggerFileContract()
    {
        QStringList elements = columnsOf(m_file.path(), "Trigger").mid(2);
        for (int n = 1; n <= 22; ++n)
            elements.append(QStringLiteral("rap%1").arg(n));
        QCOMPARE(elements.size(), 101);
        QCOMPARE(elements, triggerSelectionContract());
    }

    void checkMarkColumnsAreCheckBoxes()
    {
        const Catalogue& catalogue = Catalogue::builtIn();
        for (const QString& column : checkMarkColumns()) {
            const CatalogueItem* item = catalogue.item(column);
            QVERIFY2(item, qPrintable(column));
            QVERIFY2(item->kind == ItemKind::Check, qPrintable(column));
            QVERIFY2(isNumericType(item->daoType), qPrintable(column));
        }
    }

    // Every value a trigger rule looks for can be entered on the item's page: a code among the
    // item's choices, a tick or no tick of a check box.
    void triggerValuesCanBeEntered()
    {
        const Catalogue& catalogue = Catalogue::builtIn();
        for (const TriggerRule& rule : TriggerRuleTable::instance().rules()) {
            for (const TriggerItem& ruleItem : rule.items) {
                const CatalogueItem* item = catalogue.item(ruleItem.column);
                const QString what = rule.key + QLatin1Char(' ') + ruleItem.column;
                QVERIFY2(item, qPrintable(what));
                QCOMPARE(catalogue.tableOf(item->code), rule.table);
                QVector<int> values;
                if (item->kind == ItemKind::Check) {
                    values = {0, 1};
                } else {
                    QVERIFY2(item->kind == ItemKind::Code, qPrintable(what));
                    for (const CatalogueChoice& choice : item->choices)
                        values.append(choice.code.toInt());
                }
                QVERIFY2(std::any_of(values.begin(), values.end(),
                                     [&](int value) { return rule.condition.holds(value); }),
                         qPrintable(what));
                if (rule.condition.alsoEqual != TriggerCondition::NoValue)
                    QVERIFY2(values.contains(rule.condition.alsoEqual), qPrintable(what));
            }
        }
    }

    void sectionTitlesFollowTheJumpMenu_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("title");
        QTest::newRow("KIHON1") << "KIHON1"
                                << "Ⅰ.基本情報";
        QTest::newRow("KIHON2") << "KIHON2"
                                << "Ⅱ.入院・入所前の生活";
        QTest::newRow("A") << "A"
                           << "A.患者・入所者の基本的情報";
        QTest::newRow("H") << "H"
                           << "H.失禁（過去７日間）";
        QTest::newRow("K") << "K"
                           << "K.口腔衛生，栄養状態";
        QTest::newRow("P") << "P"
                           << "P.特別なケアと治療（過去７日間）";
        QTest::newRow("R") << "R"
                           << "R.アセスメントへの参加";
    }
    void sectionTitlesFollowTheJumpMenu()
    {
        QFETCH(QString, id);
        QFETCH(QString, title);
        const CatalogueSection* section = Catalogue::builtIn().section(id);
        QVERIFY(section);
        QCOMPARE(section->title, title);
        QCOMPARE(section->page, id + ".HTM");
    }

    void everyItemIsComplete()
    {
        const Catalogue& catalogue = Catalogue::builtIn();
        QSet<QString> codes;
        for (const CatalogueSection& section : catalogue.sections()) {
            for (const CatalogueGroup& group : section.groups) {
                QVERIFY(!group.title.isEmpty());
                for (const CatalogueItem& item : group.items) {
                    QVERIFY2(!codes.contains(item.code), qPrintable(item.code));
                    codes.insert(item.code);
                    QVERIFY2(!item.title.isEmpty(), qPrintable(item.code));
                    QVERIFY2(!item.declaredType().isEmpty(), qPrintable(item.code));
                    if (item.kind == ItemKind::Code) {
                        QVERIFY2(item.choices.size() >= 2, qPrintable(item.code));
                        for (const CatalogueChoice& choice : item.choices) {
                            bool ok = false;
                            choice.code.toInt(&ok);
                            QVERIFY2(ok && !choice.meaning.isEmpty(), qPrintable(item.code));
                        }
                    } else {
                        QVERIFY2(item.choices.isEmpty(), qPrintable(item.code));
                    }
                    if (item.kind == ItemKind::Text)
                        QVERIFY2(item.size > 0, qPrintable(item.code));
                }
            }
        }
    }

    void titlesAndChoicesThroughTheApi()
    {
        const Catalogue& catalogue = Catalogue::builtIn();
        QCOMPARE(catalogue.title("B1"), QStringLiteral("昏睡状態"));
        QCOMPARE(catalogue.choiceMeaning("1-2", "1"), QStringLiteral("男"));
        QCOMPARE(catalogue.choiceMeaning("1-2", "2"), QStringLiteral("女"));
        QCOMPARE(catalogue.choiceMeaning("1-2", "3"), QString());
        QCOMPARE(catalogue.choiceMeaning("no such item", "1"), QString());
        QCOMPARE(catalogue.tableOf("2-1-y"), QStringLiteral("KIHON1"));
        QCOMPARE(catalogue.tableOf("G1-g-B"), QStringLiteral("G"));
        QCOMPARE(catalogue.section("b.htm")->id, QStringLiteral("B"));
        QCOMPARE(catalogue.items("KIHON1").size(), 48);
        QCOMPARE(catalogue.items("KIHON1").first()->code, QStringLiteral("1-1-1"));
        QCOMPARE(catalogue.items("KIHON1").last()->code, QStringLiteral("2-1-y"));
        QCOMPARE(catalogue.triggerKeys().size(), 79);
        QVERIFY(!catalogue.triggerItemName("OJ1").isEmpty());
        QCOMPARE(Catalogue::keyDateColumn("RAP"), QStringLiteral("記入日"));
        QCOMPARE(Catalogue::keyDateColumn("S"), QStringLiteral("基準日"));
        const CatalogueItem* birth = catalogue.item("1-3-1");
        QCOMPARE(birth->daoType, int(dbDate));
        QCOMPARE(birth->format, QStringLiteral("yyyy/mm/dd"));
        QCOMPARE(birth->ageElement, QStringLiteral("1-3-2"));
        QCOMPARE(catalogue.item("A1-1")->elementName(), QStringLiteral("orv_A1_1"));
        QCOMPARE(catalogue.groupOf("B2-a")->code, QStringLiteral("B2"));
        QCOMPARE(catalogue.headingOf("B2-a")->code, QStringLiteral("B2"));
        QCOMPARE(catalogue.groupOf("E4-a-A")->code, QStringLiteral("E4-a"));
        QCOMPARE(catalogue.headingOf("E4-e-B")->code, QStringLiteral("E4"));
        QCOMPARE(catalogue.groupOf("S3-b")->title, QStringLiteral("3．視覚機能"));
        QVERIFY(!catalogue.headingOf("S3-b"));
        QVERIFY(!catalogue.groupOf("Z9"));
    }

    void badCatalogueIsRefused_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("not json") << QByteArray("{");
        QTest::newRow("no section") << QByteArray("{\"sections\": []}");
        QTest::newRow("unknown kind")
            << QByteArray("{\"sections\": [{\"id\": \"A\", \"groups\": [{\"items\": "
                          "[{\"code\": \"A1\", \"kind\": \"radio\", \"type\": \"BYTE\"}]}]}]}");
        QTest::newRow("unknown type")
            << QByteArray("{\"sections\": [{\"id\": \"A\", \"groups\": [{\"items\": "
                          "[{\"code\": \"A1\", \"kind\": \"code\", \"type\": \"CURRENCY\"}]}]}]}");
        QTest::newRow("unknown choice set")
            << QByteArray("{\"sections\": [{\"id\": \"A\", \"groups\": [{\"items\": "
                          "[{\"code\": \"A1\", \"kind\": \"code\", \"type\": \"BYTE\", "
                          "\"choices\": \"x\"}]}]}]}");
    }
    void badCatalogueIsRefused()
    {
        QFETCH(QByteArray, json);
        QString error;
        QVERIFY(!Catalogue::fromJson(json, &error));
        QVERIFY(!error.isEmpty());
    }

    void sourceFileIsTheBuiltInOne()
    {
        QString error;
        const auto source =
            Catalogue::fromFile(QStringLiteral(ORV_TEST_CATALOGUE_DIR "/catalogue.json"), &error);
        QVERIFY2(source, qPrintable(error));
        QCOMPARE(source->items("T").size(), Catalogue::builtIn().items("T").size());
    }

private:
    TestDatabase m_file;
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
