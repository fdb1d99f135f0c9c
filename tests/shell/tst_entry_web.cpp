#include "TestPaths.h"
#include "common/ScriptedMessageBox.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "shell/WebBrowser.h"
#include "shell/frmOrv21.h"
#include "support/HandledStatus.h"
#include "support/ModalDriver.h"
#include "support/ModalWatchdog.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFile>
#include <QMainWindow>
#include <QTest>

using namespace orv;
using namespace orv::test;

// A new assessment entered through the real pages of the program folder.
class TestEntryJourney : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDatabase> file;
    std::unique_ptr<AppState> state;
    ScriptedMessageBox msg;
    QMainWindow menu;
    std::unique_ptr<frmOrv21> window;
    std::unique_ptr<ModalDriver> driver;
    std::unique_ptr<ModalWatchdog> watchdog;
    // A page jump or a command of the page; each takes well under a second.
    static constexpr int StepMs = 5000;
    const QString id = QStringLiteral("J-001");
    const DateValue date = DateValue::fromDate(QDate(2005, 8, 17));

    QVariant script(const QString& js) { return window->WB()->runScript(js); }

    Value stored(const QString& table, const QString& column)
    {
        auto rs = state->Db->openRecordset(
            QStringLiteral("SELECT [%1] FROM %2 WHERE [ID]=? AND [基準日]=?").arg(column, table),
            {Value(id), Value(date)});
        return rs && !rs->eof() ? rs->value(0) : Value();
    }

    PageElement element(const QString& name)
    {
        QVector<PageElement> elements;
        window->document().readElements(&elements);
        const int index = PageDocument::indexOf(elements, name);
        return index < 0 ? PageElement() : elements.at(index);
    }

    // Jumps by the section menu; the jump stores the page and loads the next before it returns.
    void jump(const QString& item, const QString& page)
    {
        window->jumpAction(item)->trigger();
        QCOMPARE(window->WB()->url().fileName(), page);
        QCOMPARE(window->WB()->readyState(), int(WebBrowser::Complete));
    }

private slots:
    // Each function starts from a new assessment of its own, page A open in the entry window.
    void init()
    {
        driver = std::make_unique<ModalDriver>();
        watchdog = std::make_unique<ModalWatchdog>(driver.get());
        state = std::make_unique<AppState>();
        file = std::make_unique<TestDatabase>();
        QVERIFY2(file->ok(), qPrintable(file->error()));
        QVERIFY(QFile::exists(QStringLiteral(ORV_TEST_PROGRAM_DIR "/FORM/A.HTM")));
        state->Db = file->open();
        QVERIFY(state->Db);
        state->msg = &msg;
        msg.clear();
        state->folder = ProgramFolder(QStringLiteral(ORV_TEST_PROGRAM_DIR));
        state->CurID = id;
        state->CurKijunbi = date;
        state->CurTable = QStringLiteral("A");
        state->IsNewRecord = true;
        for (const QChar letter : QStringLiteral("ABCDEFGHIJKLMNOPQR")) {
            QVERIFY(state->Db->execute(
                QStringLiteral("INSERT INTO %1([ID], [基準日]) VALUES(?, ?)").arg(letter),
                {Value(id), Value(date)}));
        }
        state->CurRs =
            state->Db->openRecordset(QStringLiteral("Select * From A Where [ID]=? And [基準日]=?"),
                                     {Value(id), Value(date)});
        QVERIFY(state->CurRs && !state->CurRs->eof());

        menu.show();
        window = std::make_unique<frmOrv21>(*state, &menu);
        window->showEntry();
        window->setFaceSheetJumpsVisible(false);
        QVERIFY(window->openPage(QStringLiteral("A.HTM")));
        state->CurRs->edit();
    }

    void cleanup()
    {
        window.reset();
        menu.hide();
        state.reset();
        file.reset();
        driver.reset();
        ORV_VERIFY_MODALS_ANSWERED(*watchdog);
    }

    // The "..." button beside A3, clicked with the mouse: the picker opens preloaded from the
    // box, and OK writes the picked date back into it.
    void dateButtonOpensThePickerAndWritesTheDate()
    {
        script(QStringLiteral("var f = document.forms[0]; f.orv_A3.value = '2001.02.03';"
                              "f.cmdDate_A3.scrollIntoView(); 1"));
        const QVariantList box =
            script(QStringLiteral("var r = document.forms[0].cmdDate_A3.getBoundingClientRect();"
                                  "[r.left + r.width / 2, r.top + r.height / 2]"))
                .toList();
        QCOMPARE(box.size(), 2);
        QDate preloaded;
        driver->when(QStringLiteral("frmDTPICK"), [&](QWidget* dialog) {
            auto* cal = dialog->findChild<QCalendarWidget*>(QStringLiteral("Cal"));
            preloaded = cal->selectedDate();
            cal->setSelectedDate(QDate(2005, 8, 17));
            ModalDriver::click(dialog, QStringLiteral("cmdOK"));
        });
        QWidget* view = window->WB()->focusProxy() ? window->WB()->focusProxy() : window->WB();
        QTest::mouseClick(view, Qt::LeftButton, {},
                          QPoint(int(box.at(0).toDouble()), int(box.at(1).toDouble())));
        ORV_TRY_VERIFY(*watchdog, driver->done() && preloaded.isValid(), StepMs);
        QCOMPARE(preloaded, QDate(2001, 2, 3));
        ORV_TRY_VERIFY(*watchdog,
                       script(QStringLiteral("document.forms[0].orv_A3.value")).toString() ==
                           QStringLiteral("2005/08/17"),
                       StepMs);
        QVERIFY(state->DateOnly);
        QCOMPARE(script(QStringLiteral("window.status")).toString(), QString());
        script(QStringLiteral("document.forms[0].orv_A3.value = ''; 1"));
    }

    void refusedValueKeepsThePageRed()
    {
        script(QStringLiteral("document.forms[0].orv_A2.value = '12345678901'; 1"));
        window->jumpAction(QStringLiteral("IDM_B"))->trigger();
        QCOMPARE(msg.last().text,
                 QStringLiteral("文字数が多すぎます。10文字以内で入力してください。"));
        QCOMPARE(window->WB()->url().fileName(), QStringLiteral("A.HTM"));
        QCOMPARE(element(QStringLiteral("orv_A2")).backgroundColor, QStringLiteral("#ff0000"));
        QVERIFY(element(QStringLiteral("orv_A2")).focused);
        QVERIFY(stored(QStringLiteral("A"), QStringLiteral("A2")).isNull());
    }

    void jumpStoresPageAAndOpensB()
    {
        script(QStringLiteral("var f = document.forms[0]; f.orv_A1_1.value = '山田';"
                              "f.orv_A2.value = '１０１'; f.orv_A4.value = '2'; 1"));
        jump(QStringLiteral("IDM_B"), QStringLiteral("B.HTM"));
        QCOMPARE(stored(QStringLiteral("A"), QStringLiteral("A1-1")),
                 Value(QStringLiteral("山田")));
        QCOMPARE(stored(QStringLiteral("A"), QStringLiteral("A2")),
                 Value(QStringLiteral("１０１")));
        QCOMPARE(stored(QStringLiteral("A"), QStringLiteral("A4")), Value(2));
        QVERIFY(state->CurRs->name().contains(QStringLiteral("FROM B")));
        QVERIFY(state->NextPage.isEmpty());
    }

    void comaOnPageB()
    {
        jump(QStringLiteral("IDM_B"), QStringLiteral("B.HTM"));
        if (QTest::currentTestFailed())
            return;
        QVERIFY(
            state->Db->execute(QStringLiteral("UPDATE C SET [C1]=1 WHERE [ID]=?"), {Value(id)}));
        HandledStatus posted(window->WB());
        script(QStringLiteral("var s = document.forms[0].orv_B1; s.value = '1';"
                              "s.dispatchEvent(new Event('change')); 1"));
        ORV_TRY_VERIFY(*watchdog, posted.count("$") > 0, StepMs);
        QCOMPARE(posted.texts().first().toUpper(), QStringLiteral("$KONSUI"));
        QVERIFY(state->KonsuiMode);
        // The buttons that now go to G say so.
        for (const QString button : {"cmdNextTop", "cmdNextBottom"})
            QCOMPARE(script(QStringLiteral("document.forms[0].%1.title").arg(button)).toString(),
                     QStringLiteral("G.身体機能と機能問題"));
        QVERIFY(stored(QStringLiteral("C"), QStringLiteral("C1")).isNull());
        for (const QString item : {"IDM_C", "IDM_D", "IDM_E", "IDM_F"})
            QVERIFY(!window->jumpAction(item)->isEnabled());
        QVERIFY(window->jumpAction(QStringLiteral("IDM_N"))->isEnabled());

        jump(QStringLiteral("IDM_N"), QStringLiteral("N.HTM"));
        QCOMPARE(stored(QStringLiteral("B"), QStringLiteral("B1")), Value(1));
        QCOMPARE(element(QStringLiteral("orv_N2")).visibility, QStringLiteral("hidden"));
        QCOMPARE(element(QStringLiteral("orv_N1_a")).visibility, QString());
    }

    void closingWithoutSavingDiscardsTheNewAssessment()
    {
        msg.queueAnswer(AnswerYes);
        QVERIFY(window->commands().queryUnload(true));
        for (const QChar letter : QStringLiteral("ABCDEFGHIJKLMNOPQR"))
            QVERIFY(stored(letter, QStringLiteral("ID")).isNull());
    }
};

QTEST_MAIN(TestEntryJourney)
#include "tst_entry_web.moc"
