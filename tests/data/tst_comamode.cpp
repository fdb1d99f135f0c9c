#include "data/ComaMode.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "support/EntryFixture.h"

#include <QTest>

using namespace orv;
using namespace orv::test;

class TestComaMode : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EntryFixture> f;

    Value stored(const QString& table, const QString& column)
    {
        return f->stored(table, column, f->id, f->date);
    }

    static PageElement element(const QString& name, const QString& type, const QString& className,
                               const QString& value = QString())
    {
        PageElement e;
        e.name = name;
        e.type = type;
        e.className = className;
        e.value = value;
        return e;
    }

private slots:
    void init()
    {
        f = std::make_unique<EntryFixture>();
        QString error;
        QVERIFY2(f->openWithAssessment(&error), qPrintable(error));
        QVERIFY(f->state.Db->execute(
            QStringLiteral("UPDATE C SET [C-1]=3, [C-2]='有り', [C-9]='自由記述'")));
        QVERIFY(f->openRow(QStringLiteral("N")));
    }

    void comaOnClearsAndComaOffRestores()
    {
        QVERIFY(f->state.Db->execute(QStringLiteral("UPDATE N SET [N-1]=2, [N-2]='x'")));
        QVERIFY(f->openRow(QStringLiteral("N")));
        ComaMode coma(f->state);
        QString error;
        QVERIFY2(coma.KonsuiChg(true, &error), qPrintable(error));
        for (const QString table : {"C", "D", "E", "F", "N"}) {
            QVERIFY2(stored(table, table + "-1").isNull(), qPrintable(table));
            QVERIFY(stored(table, table + "-2").isNull());
        }
        QCOMPARE(stored("C", "C-9"), Value(QStringLiteral("自由記述"))); // "konsui" is not "KONSUI"
        // the open record's buffer holds the change until its page is stored
        QVERIFY(f->state.CurRs->value(QStringLiteral("N-1")).isNull());
        QCOMPARE(f->state.CurRs->editMode(), Recordset::EditMode::Edit);

        QVERIFY2(coma.KonsuiChg(false, &error), qPrintable(error));
        for (const QString table : {"C", "D", "E", "F", "N"}) {
            QCOMPARE(stored(table, table + "-1"), Value(0));
            QCOMPARE(stored(table, table + "-2"), Value(QStringLiteral("なし")));
        }
        QCOMPARE(f->state.CurRs->value(QStringLiteral("N-1")), Value(0));
    }

    void failingChangeLeavesEveryRow()
    {
        QVERIFY(f->state.Db->execute(QStringLiteral("DROP TABLE N")));
        QString error;
        QVERIFY(!ComaMode(f->state).KonsuiChg(true, &error));
        QVERIFY(error.startsWith(QStringLiteral("N: ")));
        QCOMPARE(stored("C", "C-1"), Value(3));
        QCOMPARE(stored("C", "C-2"), Value(QStringLiteral("有り")));
    }

    void failingChangeLeavesTheOpenRecord()
    {
        QVERIFY(f->state.Db->execute(QStringLiteral("UPDATE N SET [N-1]=2")));
        QVERIFY(f->openRow(QStringLiteral("N")));
        QVERIFY(f->state.Db->execute(QStringLiteral("DROP TABLE E")));
        QVERIFY(!ComaMode(f->state).KonsuiChg(true));
        QCOMPARE(f->state.CurRs->value(QStringLiteral("N-1")), Value(2));
    }

    void otherRecordsAreLeftAlone()
    {
        QVERIFY(f->addAssessment(QStringLiteral("0002"), f->date));
        QVERIFY(f->state.Db->execute(QStringLiteral("UPDATE D SET [D-1]=5")));
        QVERIFY(ComaMode(f->state).KonsuiChg(true));
        QCOMPARE(f->stored("D", "D-1", QStringLiteral("0002"), f->date), Value(5));
    }

    void comaTest_data()
    {
        QTest::addColumn<QString>("b1");
        QTest::addColumn<bool>("comatose");
        QTest::newRow("1") << QStringLiteral("1") << true;
        QTest::newRow("0") << QStringLiteral("0") << false;
        QTest::newRow("2") << QStringLiteral("2") << false;
        QTest::newRow("Null") << QStringLiteral("NULL") << false;
        QTest::newRow("no row") << QString() << false;
    }

    void comaTest()
    {
        QFETCH(QString, b1);
        QFETCH(bool, comatose);
        if (b1.isEmpty())
            QVERIFY(f->state.Db->execute(QStringLiteral("DELETE FROM B")));
        else
            QVERIFY(f->state.Db->execute(QStringLiteral("UPDATE B SET [B1]=") + b1));
        QCOMPARE(ComaMode(f->state).IsKonsui(), comatose);
    }

    void hiddenInputs_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("className");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("bound") << "orv_C1"
                               << "text"
                               << "KONSUI" << true;
        QTest::newRow("class in lower case") << "orv_C1"
                                             << "select-one"
                                             << "konsui" << true;
        QTest::newRow("prefix in upper case") << "ORV_C1"
                                              << "checkbox"
                                              << "Konsui" << true;
        QTest::newRow("textarea") << "orvMemo"
                                  << "textarea"
                                  << "KONSUI" << true;
        QTest::newRow("second class") << "orv_C1"
                                      << "text"
                                      << "KONSUI wide" << false;
        QTest::newRow("prefix further on") << "x_orv_C1"
                                           << "text"
                                           << "KONSUI" << false;
        QTest::newRow("hidden input") << "orv_C1"
                                      << "hidden"
                                      << "KONSUI" << false;
        QTest::newRow("radio") << "orv_C1"
                               << "radio"
                               << "KONSUI" << false;
    }

    void hiddenInputs()
    {
        QFETCH(QString, name);
        QFETCH(QString, type);
        QFETCH(QString, className);
        QFETCH(bool, hidden);
        MemoryPageDocument page;
        page.add(name, type, QStringLiteral("2"), className);
        QVERIFY(ComaMode::DispKonsui(page, true));
        QCOMPARE(page.elements().at(0).visibility, hidden ? QStringLiteral("hidden") : QString());
        QCOMPARE(page.elements().at(0).value, QStringLiteral("2"));
        if (hidden) {
            QVERIFY(ComaMode::DispKonsui(page, false));
            QCOMPARE(page.changeLog().last(), QStringLiteral("visibility ") + name + " ");
        }
    }

    void buttons_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<bool>("St");
        QTest::addColumn<QStringList>("attributes"); // name, value, name, value ...
        QTest::addColumn<QString>("html");
        QTest::newRow("off") << "KONSUI=C|C;G|G" << false << QStringList()
                             << "<INPUT class=KONSUI=C|C;G|G onclick=\"window.status='#C|C.htm'\" "
                                "type=button value=次へ name=cmdNext>";
        QTest::newRow("on") << "KONSUI=C|C;G|G" << true << QStringList()
                            << "<INPUT class=KONSUI=C|C;G|G onclick=\"window.status='#G|G.htm'\" "
                               "type=button value=次へ name=cmdNext>";
        QTest::newRow("lower case, on") << "konsui=B|B;N|N=x" << true << QStringList()
                                        << "<INPUT class=konsui=B|B;N|N=x "
                                           "onclick=\"window.status='#N|N.htm'\" type=button "
                                           "value=次へ name=cmdNext>";
        QTest::newRow("no ;, on") << "KONSUI=C|C" << true << QStringList()
                                  << "<INPUT class=KONSUI=C|C onclick=\"window.status='#.htm'\" "
                                     "type=button value=次へ name=cmdNext>";
        // What the user works the button by stays; its own handler and look go.
        QTest::newRow("keys and state kept")
            << "KONSUI=C|C;Z9|Z9" << true << QStringList{"type",      "button",
                                                         "name",      "cmdNext",
                                                         "accesskey", "n",
                                                         "title",     "C.\"会話\" & 聴覚",
                                                         "tabindex",  "3",
                                                         "disabled",  "",
                                                         "onclick",   "go()",
                                                         "style",     "color:red",
                                                         "class",     "KONSUI=C|C;Z9|Z9"}
            << "<INPUT class=KONSUI=C|C;Z9|Z9 onclick=\"window.status='#Z9|Z9.htm'\" type=button "
               "value=次へ name=cmdNext accesskey=\"n\" title=\"C.&quot;会話&quot; &amp; 聴覚\" "
               "tabindex=\"3\" disabled=\"\">";
        // A tip names where the button goes, both ways of the switch.
        const QStringList nextOfB{"title", "C.コミュニケーション・聴覚"};
        QTest::newRow("next of B, on")
            << "KONSUI=C|C;G|G" << true << nextOfB
            << "<INPUT class=KONSUI=C|C;G|G onclick=\"window.status='#G|G.htm'\" type=button "
               "value=次へ name=cmdNext title=\"G.身体機能と機能問題\">";
        QTest::newRow("next of B, off")
            << "KONSUI=C|C;G|G" << false << nextOfB
            << "<INPUT class=KONSUI=C|C;G|G onclick=\"window.status='#C|C.htm'\" type=button "
               "value=次へ name=cmdNext title=\"C.コミュニケーション・聴覚\">";
        const QStringList previousOfG{"TITLE", "F.心理面と対人関係"};
        QTest::newRow("previous of G, on")
            << "KONSUI=F|F;B|B" << true << previousOfG
            << "<INPUT class=KONSUI=F|F;B|B onclick=\"window.status='#B|B.htm'\" type=button "
               "value=次へ name=cmdNext TITLE=\"B.認知\">";
        QTest::newRow("previous of G, off")
            << "KONSUI=F|F;B|B" << false << previousOfG
            << "<INPUT class=KONSUI=F|F;B|B onclick=\"window.status='#F|F.htm'\" type=button "
               "value=次へ name=cmdNext TITLE=\"F.心理面と対人関係\">";
    }

    void buttons()
    {
        QFETCH(QString, className);
        QFETCH(bool, St);
        QFETCH(QStringList, attributes);
        QFETCH(QString, html);
        MemoryPageDocument page;
        PageElement& button = page.add(QStringLiteral("cmdNext"), QStringLiteral("button"),
                                       QStringLiteral("次へ"), className);
        for (int i = 0; i + 1 < attributes.size(); i += 2)
            button.attributes.append({attributes.at(i), attributes.at(i + 1)});
        page.add(QStringLiteral("cmdBack"), QStringLiteral("button"), QStringLiteral("戻る"),
                 QStringLiteral("KONSUI"));
        page.add(QStringLiteral("orv_C1"), QStringLiteral("text"), QString(), QStringLiteral("X"));
        QVERIFY(ComaMode::DispKonsui(page, St));
        QCOMPARE(page.changeLog(), QStringList{QStringLiteral("outerHTML cmdNext ") + html});
        QCOMPARE(page.readCount(), 1);
        QCOMPARE(page.applyCount(), 1);
    }

    void pageWithoutComaElementsIsLeftUnchanged()
    {
        MemoryPageDocument page;
        page.add(QStringLiteral("orv_A1"), QStringLiteral("text"));
        QVERIFY(ComaMode::DispKonsui(page, true));
        QCOMPARE(page.applyCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestComaMode)
#include "tst_comamode.moc"
