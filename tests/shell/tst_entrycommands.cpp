#include "data/Database.h"
#include "data/Recordset.h"
#include "shell/EntryCommands.h"
#include "support/EntryFixture.h"

#include <QTest>

using namespace orv;
using namespace orv::test;

class TestEntryCommands : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EntryFixture> f;
    std::unique_ptr<EntryCommands> commands;

    int rowsOfKey(const QString& table)
    {
        auto rs = f->state.Db->openRecordset(
            QStringLiteral("SELECT COUNT(*) FROM %1 WHERE [ID]=?").arg(table), {Value(f->id)});
        return int(rs->value(0).toInteger());
    }

    void scriptPicker(const QDateTime& picked, bool confirmed)
    {
        f->host.onPick = [this, picked, confirmed] {
            f->state.PickedDate = DateValue::fromDateTime(picked);
            f->state.DatePicked = confirmed;
        };
    }

private slots:
    void init()
    {
        f = std::make_unique<EntryFixture>();
        QString error;
        QVERIFY2(f->openWithAssessment(&error), qPrintable(error));
        commands = std::make_unique<EntryCommands>(f->state, f->page, f->host);
        commands->setClock([] { return QDate(2024, 6, 1); });
        f->page.add(QStringLiteral("orv_A2"), QStringLiteral("text"), QStringLiteral("4"));
        f->page.add(QStringLiteral("orv_A3"), QStringLiteral("text"));
        f->page.add(QStringLiteral("orv_A7"), QStringLiteral("text"));
        f->page.setStatus(QStringLiteral("#B|B.HTM"));
    }

    void jumpCommand()
    {
        commands->handleStatusText(QStringLiteral("#B|B.HTM"));
        QCOMPARE(f->page.status(), QString());
        QCOMPARE(f->state.CurTable, QStringLiteral("B"));
        QCOMPARE(f->host.calls, QStringList{QStringLiteral("navigate FORM/B.HTM")});
        QCOMPARE(f->stored("A", "A2", f->id, f->date), Value(4));
        QVERIFY(f->state.CurRs->name().contains(QStringLiteral("FROM B")));
    }

    void jumpWithoutPageClosesTheWindow()
    {
        commands->handleStatusText(QStringLiteral("#B"));
        QCOMPARE(f->state.CurTable, QStringLiteral("B"));
        QCOMPARE(f->host.calls, QStringList{QStringLiteral("unload")});
        QCOMPARE(f->stored("A", "A2", f->id, f->date), Value(4));
    }

    void jumpItemTakesTheTableOfTheOpenRow()
    {
        commands->jump(QStringLiteral("R.HTM"));
        QVERIFY(f->state.CurTable.contains(QStringLiteral("From A")));
        QCOMPARE(f->host.calls, QStringList{QStringLiteral("navigate FORM/R.HTM")});
    }

    void otherTextsAreNoCommands_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("link") << QStringLiteral("file:///FORM/B.HTM");
        QTest::newRow("menu word") << QStringLiteral("?ASS_NEW");
    }

    void otherTextsAreNoCommands()
    {
        QFETCH(QString, text);
        commands->handleStatusText(text);
        QCOMPARE(f->page.status(), QStringLiteral("#B|B.HTM"));
        QVERIFY(f->host.calls.isEmpty());
        QCOMPARE(f->msg.count(), 0);
    }

    void datePick_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<bool>("dateOnly");
        QTest::addColumn<QString>("dateText");
        QTest::addColumn<QString>("ageText");
        // picked on the last day of the year before the clock's
        QTest::newRow("date and age")
            << "!orv_A3|yyyy/mm/dd||orv_A7" << true << true << "2023/12/31"
            << "1";
        QTest::newRow("time in lower case")
            << "!orv_A3|yyyy/mm/dd hh:nn|time|" << true << false << "2023/12/31 09:05"
            << "";
        QTest::newRow("no time flag") << "!orv_A3|ggge年m月d日" << true << true << "令和5年12月31日"
                                      << "";
        QTest::newRow("cancelled") << "!orv_A3|yyyy/mm/dd||orv_A7" << false << true << ""
                                   << "";
        QTest::newRow("unknown element") << "!orv_ZZ|yyyy/mm/dd" << true << true << ""
                                         << "";
    }

    void datePick()
    {
        QFETCH(QString, command);
        QFETCH(bool, confirmed);
        QFETCH(bool, dateOnly);
        QFETCH(QString, dateText);
        QFETCH(QString, ageText);
        const QDate picked(2023, 12, 31);
        scriptPicker(QDateTime(picked, QTime(9, 5)), confirmed);
        commands->handleStatusText(command);
        QCOMPARE(f->page.status(), QString());
        QCOMPARE(f->host.calls, QStringList{QStringLiteral("picker")});
        QCOMPARE(f->state.DateOnly, dateOnly);
        QCOMPARE(f->state.PickElementName, command.mid(1).section(QLatin1Char('|'), 0, 0));
        QCOMPARE(f->page.element(QStringLiteral("orv_A3")).value, dateText);
        QCOMPARE(f->page.element(QStringLiteral("orv_A7")).value, ageText);
        // nothing reaches the database before the page is stored
        QVERIFY(f->stored("A", "A3", f->id, f->date).isNull());
    }

    void comaCommands()
    {
        QVERIFY(f->state.Db->execute(QStringLiteral("UPDATE C SET [C-1]=3")));
        commands->handleStatusText(QStringLiteral("$konsui"));
        QVERIFY(f->state.KonsuiMode);
        QVERIFY(f->stored("C", "C-1", f->id, f->date).isNull());
        // a second coma-on command does not touch the data again
        QVERIFY(f->state.Db->execute(QStringLiteral("UPDATE C SET [C-1]=3")));
        commands->handleStatusText(QStringLiteral("$KONSUI"));
        QCOMPARE(f->stored("C", "C-1", f->id, f->date), Value(3));
        QCOMPARE(f->host.calls.count(QStringLiteral("KonsuiMenu")), 2);

        commands->handleStatusText(QStringLiteral("$NOKONSUI"));
        QVERIFY(!f->state.KonsuiMode);
        QCOMPARE(f->stored("C", "C-1", f->id, f->date), Value(0));
        QCOMPARE(f->host.calls.count(QStringLiteral("KonsuiMenu")), 3);
    }

    void comaWordWithABlankOnlyClearsTheStatus()
    {
        commands->handleStatusText(QStringLiteral("$KONSUI "));
        QCOMPARE(f->page.status(), QString());
        QVERIFY(!f->state.KonsuiMode);
        QVERIFY(f->host.calls.isEmpty());
    }

    void failingPageIsReported()
    {
        f->page.setFailing(true);
        commands->handleStatusText(QStringLiteral("#B|B.HTM"));
        QCOMPARE(f->msg.count(), 1);
        QCOMPARE(f->msg.last().style, 16);
        QVERIFY(f->host.calls.isEmpty());
        QVERIFY(f->state.CurRs);
    }

    // The page went away: it is loaded again with NavPermit set and filled from the open row,
    // so that what was typed and not stored (the "4" in orv_A2) is replaced by the row's value.
    void pageShownAgainFromTheOpenRow_data()
    {
        QTest::addColumn<bool>("rowOpen");
        QTest::addColumn<bool>("coma");
        QTest::addColumn<QString>("comaInput"); // the visibility of a coma input afterwards
        QTest::newRow("row open") << true << false << "";
        QTest::newRow("coma") << true << true << "hidden";
        QTest::newRow("no row open") << false << true << "";
    }

    void pageShownAgainFromTheOpenRow()
    {
        QFETCH(bool, rowOpen);
        QFETCH(bool, coma);
        QFETCH(QString, comaInput);
        f->page.add(QStringLiteral("orv_A6"), QStringLiteral("text"), QString(),
                    QStringLiteral("KONSUI"));
        QVERIFY(f->state.Db->execute(QStringLiteral("UPDATE A SET [A2]=12 WHERE [ID]=?"),
                                     {Value(f->id)}));
        QVERIFY(f->openRow(QStringLiteral("A")));
        if (!rowOpen)
            f->state.CurRs.reset();
        f->state.KonsuiMode = coma;
        commands->showPageAgain(f->folder.file(QStringLiteral("FORM/A.HTM")),
                                QStringLiteral("画面が消えました。"));
        QCOMPARE(f->msg.texts(),
                 QStringList{QStringLiteral("画面が消えました。\n入力中の画面を表示し直します。"
                                            "まだ登録していない入力は失われました。")});
        QCOMPARE(f->host.calls,
                 rowOpen ? QStringList{QStringLiteral("navigate FORM/A.HTM")} : QStringList());
        QCOMPARE(f->host.navPermitSeen, rowOpen);
        QCOMPARE(f->page.elements().last().visibility, comaInput);
        QVERIFY(!f->state.NavPermit);
        QCOMPARE(f->page.element(QStringLiteral("orv_A2")).value,
                 rowOpen ? QStringLiteral("12") : QStringLiteral("4"));
        QCOMPARE(f->stored("A", "A2", f->id, f->date), Value(12));
    }

    void closeAnsweredNo()
    {
        f->state.IsNewRecord = true;
        f->msg.queueAnswer(AnswerNo);
        QVERIFY(!commands->queryUnload(true));
        QCOMPARE(f->msg.last().text, QStringLiteral("データを保存しないで終了しますか？"));
        QCOMPARE(f->msg.last().style, 52);
        QCOMPARE(rowsOfKey(QStringLiteral("A")), 1);
        QVERIFY(f->state.CurRs);
        QVERIFY(!f->state.SkipSave);
        QVERIFY(f->host.calls.isEmpty());
    }

    void discardOfANewAssessment()
    {
        f->state.IsNewRecord = true;
        QVERIFY(f->addAssessment(QStringLiteral("0002"), f->date));
        f->msg.queueAnswer(AnswerYes);
        QVERIFY(commands->queryUnload(true));
        for (const QChar letter : QStringLiteral("ABCDEFGHIJKLMNOPQR"))
            QCOMPARE(rowsOfKey(letter), 0);
        QCOMPARE(f->rowCount(QStringLiteral("R")), 1); // the other resident's record stays
        QCOMPARE(f->rowCount(QStringLiteral("KIHON1")), 1);
        QVERIFY(!f->state.CurRs);
        QVERIFY(f->state.SkipSave);
        QCOMPARE(f->host.calls, QStringList{QStringLiteral("showMainWindow")});
    }

    void discardOfANewFaceSheetDeletesItsRowOnly()
    {
        QVERIFY(f->openRow(QStringLiteral("KIHON1")));
        f->state.IsNewRecord = true;
        f->msg.queueAnswer(AnswerYes);
        QVERIFY(commands->queryUnload(true));
        QCOMPARE(rowsOfKey(QStringLiteral("KIHON1")), 0);
        QCOMPARE(rowsOfKey(QStringLiteral("A")), 1);
    }

    void leavingAnEditedRecordDeletesNothing()
    {
        f->state.IsNewRecord = false;
        f->msg.queueAnswer(AnswerYes);
        QVERIFY(commands->queryUnload(true));
        QCOMPARE(rowsOfKey(QStringLiteral("A")), 1);
        QVERIFY(f->stored("A", "A2", f->id, f->date).isNull()); // nothing stored either
        QCOMPARE(f->host.calls, QStringList{QStringLiteral("showMainWindow")});
    }

    void failingDiscardKeepsEverything()
    {
        QVERIFY(f->state.Db->execute(QStringLiteral("DROP TABLE Q")));
        f->state.IsNewRecord = true;
        f->msg.queueAnswer(AnswerYes);
        QVERIFY(!commands->queryUnload(true));
        QCOMPARE(f->msg.last().style, 16);
        for (const QChar letter : QStringLiteral("ABCDEFGHIJKLMNOPR"))
            QCOMPARE(rowsOfKey(letter), 1);
        QVERIFY(f->state.CurRs);
        QVERIFY(!f->state.SkipSave);
        QVERIFY(f->host.calls.isEmpty());
    }

    void unloadFromCodeStoresThePage()
    {
        QVERIFY(commands->queryUnload(false));
        QCOMPARE(f->stored("A", "A2", f->id, f->date), Value(4));
        QCOMPARE(f->host.calls,
                 (QStringList{QStringLiteral("unload"), QStringLiteral("showMainWindow")}));
    }

    void unloadFromCodeWithARefusedValueStaysOpen()
    {
        f->page.element(QStringLiteral("orv_A2")).value = QStringLiteral("四");
        QVERIFY(!commands->queryUnload(false));
        QCOMPARE(f->page.element(QStringLiteral("orv_A2")).backgroundColor,
                 QStringLiteral("#ff0000"));
        QVERIFY(f->host.calls.isEmpty());
    }

    void recordsetTables_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("table");
        QTest::newRow("table") << "KIHON1"
                               << "KIHON1";
        QTest::newRow("query") << "Select * From A Where [ID]=\"1\""
                               << "A";
        QTest::newRow("lower case") << "select * from  c  where x"
                                    << "c";
        QTest::newRow("one word") << "SELECT * FROM T"
                                  << "T";
    }

    void recordsetTables()
    {
        QFETCH(QString, name);
        QFETCH(QString, table);
        QCOMPARE(EntryCommands::tableOfRecordset(name), table);
    }

    void assessmentTables()
    {
        QVERIFY(EntryCommands::isAssessmentTable(QStringLiteral("A")));
        QVERIFY(EntryCommands::isAssessmentTable(QStringLiteral("R")));
        QVERIFY(!EntryCommands::isAssessmentTable(QStringLiteral("S")));
        QVERIFY(!EntryCommands::isAssessmentTable(QStringLiteral("c")));
        QVERIFY(!EntryCommands::isAssessmentTable(QStringLiteral("KIHON1")));
    }

    void ctrlN()
    {
        QVERIFY(EntryCommands::isSwallowedKey(Qt::Key_N, Qt::ControlModifier));
        QVERIFY(EntryCommands::isSwallowedKey(Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier));
        QVERIFY(!EntryCommands::isSwallowedKey(Qt::Key_N, Qt::NoModifier));
        QVERIFY(!EntryCommands::isSwallowedKey(Qt::Key_M, Qt::ControlModifier));
    }
};

QTEST_GUILESS_MAIN(TestEntryCommands)
#include "tst_entrycommands.moc"
