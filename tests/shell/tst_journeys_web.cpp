#include "common/DateFormat.h"
#include "common/ScriptedMessageBox.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "shell/QtRecordFinder.h"
#include "shell/WebBrowser.h"
#include "shell/frmMenu.h"
#include "shell/frmOrv21.h"
#include "support/HandledStatus.h"
#include "support/ModalDriver.h"
#include "support/ModalWatchdog.h"
#include "support/ProgramFiles.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QMenu>
#include <QSessionManager>
#include <QFile>
#include <QTableView>
#include <QTimer>
#include <QTest>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>

using namespace orv;
using test::ModalDriver;
using test::ModalWatchdog;

namespace {

DateValue day(int year, int month, int dayOfMonth)
{
    return DateValue::fromDate(QDate(year, month, dayOfMonth));
}

QString jsText(const QString& text)
{
    return QStringLiteral("'") + QString(text).replace(QLatin1String("'"), QLatin1String("\\'")) +
           QStringLiteral("'");
}

} // namespace

// Journeys of a user through the whole program, from the main-menu page, on the real pages,
// with the database checked after every step.
class TestJourneys : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestDatabase> m_file;
    std::unique_ptr<AppState> m_state;
    ScriptedMessageBox m_boxes;
    std::unique_ptr<frmMenu> m_menu;
    std::unique_ptr<QtRecordFinder> m_finder;
    std::unique_ptr<ModalDriver> m_driver;
    std::unique_ptr<ModalWatchdog> m_watchdog;
    std::unique_ptr<test::HandledStatus> m_menuCommands;

    // How long one step may take before it counts as failed: a command through its dialogs to
    // a loaded page, a jump to the next page, a window closed. Each takes well under a second.
    static constexpr int StepMs = 5000;

    // --- the main menu and the dialogs -------------------------------------------------

    void command(const QString& word)
    {
        m_menuCommands->clear();
        m_menu->WB()->runScript(QStringLiteral("window.status = '?%1'").arg(word));
    }
    // Whether the menu has run the last command to its end, dialogs and all.
    bool handled(const QString& word) { return m_menuCommands->contains(QLatin1Char('?') + word); }

    QString lastBox() const
    {
        return m_boxes.count() ? QStringLiteral("last message: ") + m_boxes.last().text
                               : QStringLiteral("no message");
    }

    // The finder: search by ID, pick the row of the date (or the first row).
    void pickInFinder(const QString& id, const QString& dateText = QString())
    {
        m_driver->when("frmDBFind2", [id, dateText](QWidget* finder) {
            ModalDriver::type(finder, "txtIDs", id);
            ModalDriver::click(finder, "cmdS1");
            auto* grid = finder->findChild<QTableView*>("DBG");
            int row = 0;
            for (int r = 0; r < grid->model()->rowCount(); ++r) {
                if (!dateText.isEmpty() &&
                    grid->model()->index(r, 1).data().toString().startsWith(dateText))
                    row = r;
            }
            grid->selectRow(row);
            grid->setCurrentIndex(grid->model()->index(row, 0));
            ModalDriver::click(finder, "cmdSel");
        });
    }
    void newKeyInFinder(const QString& id, const QString& dateText)
    {
        m_driver->when("frmDBFind2", [](QWidget* finder) { ModalDriver::click(finder, "cmdNew"); });
        m_driver->when("frmNewData", [id, dateText](QWidget* dialog) {
            ModalDriver::type(dialog, "txtIDs", id);
            ModalDriver::type(dialog, "txtAssDate", dateText);
            ModalDriver::click(dialog, "cmdOK");
        });
    }
    void dateInDialog(const QString& dateText)
    {
        m_driver->when("frmDateSet", [dateText](QWidget* dialog) {
            ModalDriver::type(dialog, "txtAssDate", dateText);
            ModalDriver::click(dialog, "cmdOK");
        });
    }
    bool dialogsDone()
    {
        if (!m_driver->done())
            qWarning() << "dialog never shown:" << m_driver->pending();
        return m_driver->done();
    }

    // --- the entry window and its page -------------------------------------------------

    frmOrv21* entry() { return m_menu->isEntryWindowLoaded() ? m_menu->entryWindow() : nullptr; }
    bool onPage(const QString& page)
    {
        frmOrv21* window = entry();
        return window && window->isVisible() && window->WB()->readyState() == 4 &&
               window->WB()->url().toString().endsWith(QStringLiteral("FORM/") + page);
    }
    // Which jump menus the entry window shows: "J1", "J2", both or neither.
    QString jumpMenus()
    {
        return QString(entry()->IDM_J1()->menuAction()->isVisible() ? "J1" : "") +
               QString(entry()->IDM_J2()->menuAction()->isVisible() ? "J2" : "");
    }
    QVariant page(const QString& script) { return entry()->WB()->runScript(script); }
    QString element(const QString& name)
    {
        return page(QStringLiteral("document.forms[0].elements[%1].value").arg(jsText(name)))
            .toString();
    }
    void setElement(const QString& name, const QString& value)
    {
        page(QStringLiteral("(function(e){e.value=%2;e.dispatchEvent(new Event('change'));})"
                            "(document.forms[0].elements[%1])")
                 .arg(jsText(name), jsText(value)));
    }
    // A button of the entry page, clicked; returns once the window has run the page command
    // the button posts, which stores the page and opens the next or leaves the window.
    void clickButton(const QString& name)
    {
        test::HandledStatus posted(entry()->WB());
        page(QStringLiteral("document.forms[0].elements[%1].click()").arg(jsText(name)));
        ORV_TRY_VERIFY(*m_watchdog, posted.count("#") > 0, StepMs);
    }

    // Alt and a letter in the entry page, as the user presses a page button's key; returns
    // once the window has run the command of the button.
    void pressAlt(Qt::Key key)
    {
        test::HandledStatus posted(entry()->WB());
        QWidget* target = entry()->WB()->focusProxy() ? entry()->WB()->focusProxy() : entry()->WB();
        entry()->activateWindow();
        target->setFocus();
        QTest::keyClick(target, key, Qt::AltModifier);
        ORV_TRY_VERIFY(*m_watchdog, posted.count("#") > 0, StepMs);
    }

    // The close box of the entry window: a close that comes through the window system.
    void closeBox()
    {
        QCloseEvent event;
        QSpontaneKeyEvent::setSpontaneous(&event);
        QCoreApplication::sendEvent(entry()->windowHandle(), &event);
    }

    // The desktop session ends, as Qt's session manager tells it.
    void endSession()
    {
        auto* manager = qApp->findChild<QSessionManager*>();
        QVERIFY(manager);
        emit qApp->commitDataRequest(*manager);
    }

    // --- the database ----------------------------------------------------------------

    Value stored(const QString& table, const QString& id, const DateValue& date,
                 const QString& column)
    {
        auto rs = m_state->Db->openRecordset(
            QStringLiteral("SELECT * FROM %1 WHERE [ID]=? AND [基準日]=?").arg(table), {id, date});
        return rs && !rs->eof() ? rs->value(column) : Value(QStringLiteral("<no row>"));
    }
    int rows(const QString& table, const QString& id)
    {
        auto rs = m_state->Db->openRecordset(
            QStringLiteral("SELECT * FROM %1 WHERE [ID]=?").arg(table), {id});
        return rs ? rs->recordCount() : -1;
    }

    // A face sheet made through the menu, the finder's new button and the new-record dialog.
    void makeFaceSheet(const QString& id, const QString& dateText, const QString& family,
                       const QString& given)
    {
        newKeyInFinder(id, dateText);
        command("FACE_NEW");
        ORV_TRY_VERIFY(*m_watchdog, handled("FACE_NEW"), StepMs);
        QVERIFY2(onPage("KIHON1.HTM"), qPrintable(lastBox()));
        QVERIFY(dialogsDone());
        setElement("orv_1_1_1", family);
        setElement("orv_1_1_2", given);
        setElement("orv_1_3_1", "1930/04/01");
        clickButton("cmdCloseTop");
        QVERIFY2(!entry() || !entry()->isVisible(), qPrintable(lastBox()));
        ORV_TRY_VERIFY(*m_watchdog, !m_menu->isEntryWindowLoaded() && m_menu->isVisible(), StepMs);
    }

    // A new assessment through the menu, the finder and the date dialog, its page A open.
    void newAssessment(const QString& id, const QString& dateText)
    {
        pickInFinder(id);
        dateInDialog(dateText);
        command("ASS_NEW");
        ORV_TRY_VERIFY(*m_watchdog, handled("ASS_NEW"), StepMs);
        QVERIFY2(onPage("A.HTM"), qPrintable(lastBox()));
        QVERIFY(dialogsDone());
    }

private slots:
    void init()
    {
        m_file = std::make_unique<test::TestDatabase>();
        QVERIFY2(m_file->ok(), qPrintable(m_file->error()));
        test::copyProgramFiles(m_file->folder());

        m_state = std::make_unique<AppState>();
        m_state->folder = ProgramFolder(m_file->folder());
        m_state->msg = &m_boxes;
        const QString path = m_file->path();
        m_menu = std::make_unique<frmMenu>(*m_state, [path](AppState& state, QString* error) {
            state.Db = Database::open(path, error);
            return state.Db != nullptr;
        });
        m_finder = std::make_unique<QtRecordFinder>(*m_state, m_menu.get());
        m_state->finder = m_finder.get();
        m_driver = std::make_unique<ModalDriver>();
        m_watchdog = std::make_unique<ModalWatchdog>(m_driver.get());
        QVERIFY(m_menu->Form_Load());
        m_menuCommands = std::make_unique<test::HandledStatus>(m_menu->WB());
        m_menu->show();
        m_boxes.clear();
    }
    void cleanup()
    {
        m_menuCommands.reset();
        m_driver.reset();
        m_menu.reset();
        m_finder.reset();
        m_state.reset();
        m_file.reset();
        ORV_VERIFY_MODALS_ANSWERED(*m_watchdog);
    }

    void faceSheets()
    {
        // A new face sheet for a new ID.
        makeFaceSheet("J001", "2005/08/17", "山田", "花子");
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(stored("KIHON1", "J001", day(2005, 8, 17), "1-12"), Value("2005/08/17"));
        QCOMPARE(stored("KIHON1", "J001", day(2005, 8, 17), "1-1-1"), Value("山田"));
        QCOMPARE(stored("KIHON1", "J001", day(2005, 8, 17), "1-3-1").toDate(), day(1930, 4, 1));

        // A second face sheet takes names and birth date from the first.
        pickInFinder("J001");
        m_driver->when("frmNewData", [](QWidget* dialog) {
            ModalDriver::type(dialog, "txtAssDate", "平成17年09月01日");
            ModalDriver::click(dialog, "cmdOK");
        });
        command("FACE_NEW");
        ORV_TRY_VERIFY(*m_watchdog, handled("FACE_NEW"), StepMs);
        QVERIFY2(onPage("KIHON1.HTM"), qPrintable(lastBox()));
        QVERIFY(dialogsDone());
        QCOMPARE(stored("KIHON1", "J001", day(2005, 9, 1), "1-1-2"), Value("花子"));
        QCOMPARE(stored("KIHON1", "J001", day(2005, 9, 1), "1-3-1").toDate(), day(1930, 4, 1));
        QCOMPARE(element("orv_1_1_1"), QString("山田"));
        QCOMPARE(element("orv_1_3_1"), QString("1930/04/01"));
        QCOMPARE(jumpMenus(), QString("J1"));

        // Leaving a new record without saving deletes it.
        m_boxes.queueAnswer(AnswerYes);
        closeBox();
        ORV_TRY_VERIFY(*m_watchdog, !m_menu->isEntryWindowLoaded(), StepMs);
        QCOMPARE(m_boxes.last().text, QString("データを保存しないで終了しますか？"));
        QCOMPARE(rows("KIHON1", "J001"), 1);
    }

    void assessmentSectionBySection()
    {
        makeFaceSheet("J001", "2005/08/17", "山田", "花子");
        if (QTest::currentTestFailed())
            return;

        newAssessment("J001", "2005/08/20");
        if (QTest::currentTestFailed())
            return;
        for (const QChar letter : QString("ABCDEFGHIJKLMNOPQR"))
            QCOMPARE(rows(QString(letter), "J001"), 1);
        QCOMPARE(element("orv_A1_1"), QString("山田"));
        QCOMPARE(element("orv_A3"), QString("2005/08/20"));
        QCOMPARE(jumpMenus(), QString("J2"));

        // Page A stored by the jump button, page B opened.
        setElement("orv_A8", "1");
        clickButton("cmdNextTop");
        QVERIFY2(onPage("B.HTM"), qPrintable(lastBox()));
        QCOMPARE(stored("A", "J001", day(2005, 8, 20), "A8"), Value(1));

        // The section menu moves on.
        setElement("orv_B4", "3");
        entry()->jumpAction("IDM_E")->trigger();
        QVERIFY2(onPage("E.HTM"), qPrintable(lastBox()));
        QCOMPARE(stored("B", "J001", day(2005, 8, 20), "B4"), Value(3));
        setElement("orv_E3", "2");
        entry()->jumpAction("IDM_P")->trigger();
        QVERIFY2(onPage("P.HTM"), qPrintable(lastBox()));
        QCOMPARE(stored("E", "J001", day(2005, 8, 20), "E3"), Value(2));

        // A refused value keeps the page, red, and nothing of it is stored.
        m_boxes.clear();
        setElement("orv_P1_b_a_A", "1.2.3");
        entry()->jumpAction("IDM_R")->trigger();
        QVERIFY2(m_boxes.count() == 1, qPrintable(lastBox()));
        QCOMPARE(m_boxes.last().text,
                 QString("数値を入力する項目で、小数点が複数入力されています。"));
        QVERIFY(onPage("P.HTM"));
        QCOMPARE(
            page("document.forms[0].elements['orv_P1_b_a_A'].style.backgroundColor").toString(),
            QString("rgb(255, 0, 0)"));
        QVERIFY(stored("P", "J001", day(2005, 8, 20), "P1-b-a-A").isNull());
        setElement("orv_P1_b_a_A", "３");
        entry()->jumpAction("IDM_R")->trigger();
        QVERIFY2(onPage("R.HTM"), qPrintable(lastBox()));
        QCOMPARE(stored("P", "J001", day(2005, 8, 20), "P1-b-a-A"), Value(3));
        clickButton("cmdCloseTop");
        QVERIFY2(!entry() || !entry()->isVisible(), qPrintable(lastBox()));
        ORV_TRY_VERIFY(*m_watchdog, !m_menu->isEntryWindowLoaded() && m_menu->isVisible(), StepMs);

        // The same date again is refused with the era form of the date.
        m_boxes.clear();
        pickInFinder("J001");
        dateInDialog("2005/08/20");
        command("ASS_NEW");
        ORV_TRY_VERIFY(*m_watchdog, handled("ASS_NEW"), StepMs);
        QVERIFY2(m_boxes.count() == 1, qPrintable(lastBox()));
        QCOMPARE(m_boxes.last().text, QString("既に、対象者[山田花子]、アセスメント基準日["
                                              "平成17年08月20日]のデータが登録されています"));
        QCOMPARE(rows("R", "J001"), 1);
        QVERIFY(!m_menu->isEntryWindowLoaded());
    }

    void assessmentEditFollowsTheFaceSheetAndComa()
    {
        makeFaceSheet("J001", "2005/08/17", "山田", "花子");
        if (QTest::currentTestFailed())
            return;
        newAssessment("J001", "2005/08/20");
        if (QTest::currentTestFailed())
            return;
        clickButton("cmdNextTop");
        QVERIFY2(onPage("B.HTM"), qPrintable(lastBox()));
        // Comatose: B1 posts the coma command, C to F go disabled, and the page keys jump past
        // them: Alt+N on B to G, Alt+P on G back to B.
        setElement("orv_B1", "1");
        ORV_TRY_VERIFY(*m_watchdog, !entry()->jumpAction("IDM_C")->isEnabled(), StepMs);
        pressAlt(Qt::Key_N);
        QVERIFY2(onPage("G.HTM"), qPrintable(lastBox()));
        pressAlt(Qt::Key_P);
        QVERIFY2(onPage("B.HTM"), qPrintable(lastBox()));
        clickButton("cmdCloseTop");
        QVERIFY2(!entry() || !entry()->isVisible(), qPrintable(lastBox()));
        ORV_TRY_VERIFY(*m_watchdog, !m_menu->isEntryWindowLoaded(), StepMs);
        QCOMPARE(stored("B", "J001", day(2005, 8, 20), "B1"), Value(1));

        // The face sheet is renamed.
        pickInFinder("J001");
        command("FACE_EDIT");
        ORV_TRY_VERIFY(*m_watchdog, handled("FACE_EDIT"), StepMs);
        QVERIFY2(onPage("KIHON1.HTM"), qPrintable(lastBox()));
        setElement("orv_1_1_1", "佐藤");
        clickButton("cmdCloseTop");
        QVERIFY2(!entry() || !entry()->isVisible(), qPrintable(lastBox()));
        ORV_TRY_VERIFY(*m_watchdog, !m_menu->isEntryWindowLoaded(), StepMs);
        QCOMPARE(stored("KIHON1", "J001", day(2005, 8, 17), "1-1-1"), Value("佐藤"));

        // ASS_EDIT refreshes A1-1 and opens comatose, C to F disabled.
        pickInFinder("J001", "2005/08/20");
        command("ASS_EDIT");
        ORV_TRY_VERIFY(*m_watchdog, handled("ASS_EDIT"), StepMs);
        QVERIFY2(onPage("A.HTM"), qPrintable(lastBox()));
        QVERIFY(dialogsDone());
        QCOMPARE(stored("A", "J001", day(2005, 8, 20), "A1-1"), Value("佐藤"));
        QCOMPARE(element("orv_A1_1"), QString("佐藤"));
        QVERIFY(m_state->KonsuiMode);
        QCOMPARE(jumpMenus(), QString("J2"));
        for (const char* item : {"IDM_C", "IDM_D", "IDM_E", "IDM_F"})
            QVERIFY(!entry()->jumpAction(item)->isEnabled());
        QVERIFY(entry()->jumpAction("IDM_N")->isEnabled());

        // Leaving an edited record without saving keeps it unchanged.
        setElement("orv_A1_1", "別人");
        m_boxes.queueAnswer(AnswerYes);
        closeBox();
        ORV_TRY_VERIFY(*m_watchdog, !m_menu->isEntryWindowLoaded(), StepMs);
        QCOMPARE(stored("A", "J001", day(2005, 8, 20), "A1-1"), Value("佐藤"));
        QCOMPARE(rows("A", "J001"), 1);
    }

    // At the end of the session the entry window asks nothing and stores its page; a page with
    // a refused value keeps the session, its window and everything typed.
    void endOfTheSessionStoresTheShownPage()
    {
        makeFaceSheet("J001", "2005/08/17", "山田", "花子");
        newAssessment("J001", "2005/08/20");
        m_boxes.clear();
        setElement("orv_A2", "12345678901");
        setElement("orv_A8", "1");
        endSession();
        QCOMPARE(m_boxes.texts(),
                 QStringList{"文字数が多すぎます。10文字以内で入力してください。"});
        QVERIFY(onPage("A.HTM"));
        QVERIFY(!m_menu->isVisible());
        QVERIFY(m_state->Db);

        m_boxes.clear();
        setElement("orv_A2", "1234567890");
        endSession();
        QCOMPARE(m_boxes.count(), 0);
        QVERIFY(!m_menu->isEntryWindowLoaded() || !entry()->isVisible());
        QVERIFY(!m_menu->isVisible());
        QVERIFY(!m_state->Db);
        m_state->Db = Database::open(m_file->path());
        QCOMPARE(stored("A", "J001", day(2005, 8, 20), "A2"), Value("1234567890"));
        QCOMPARE(stored("A", "J001", day(2005, 8, 20), "A8"), Value(1));
    }

    void rapSummaryFromTheRun()
    {
        makeFaceSheet("J001", "2005/08/17", "山田", "花子");
        if (QTest::currentTestFailed())
            return;
        newAssessment("J001", "2005/08/20");
        if (QTest::currentTestFailed())
            return;
        entry()->jumpAction("IDM_B")->trigger();
        QVERIFY2(onPage("B.HTM"), qPrintable(lastBox()));
        setElement("orv_B4", "4"); // triggers B2 and B3: RAP 02 and 05b
        clickButton("cmdCloseTop");
        QVERIFY2(!entry() || !entry()->isVisible(), qPrintable(lastBox()));
        ORV_TRY_VERIFY(*m_watchdog, !m_menu->isEntryWindowLoaded(), StepMs);

        // SAM_NEW: the run picks the assessment, the summary takes its own date.
        pickInFinder("J001", "2005/08/20");
        dateInDialog("2005/09/10");
        command("SAM_NEW");
        ORV_TRY_VERIFY(*m_watchdog, handled("SAM_NEW"), StepMs);
        QVERIFY2(onPage("S.HTM"), qPrintable(lastBox()));
        QVERIFY(dialogsDone());
        auto rap = m_state->Db->openRecordset("SELECT * FROM RAP WHERE [ID]=?", {QString("J001")});
        QVERIFY(rap && !rap->eof());
        QVERIFY(rap->value("RAP").toText().contains("05b"));
        QCOMPARE(rap->value("記入日").toDate(), day(2005, 8, 20));
        QCOMPARE(stored("S", "J001", day(2005, 9, 10), "S0-1"), Value("2005/09/10"));
        QCOMPARE(stored("S", "J001", day(2005, 9, 10), "S0-2"), Value("山田花子"));
        QCOMPARE(stored("S", "J001", day(2005, 9, 10), "S2-a"), Value(1));
        QCOMPARE(stored("S", "J001", day(2005, 9, 10), "S5-a"), Value(1));
        QVERIFY(stored("S", "J001", day(2005, 9, 10), "S1-a") != Value(1));
        QCOMPARE(page("document.forms[0].elements['orv_S5_a'].checked").toBool(), true);
        QCOMPARE(jumpMenus(), QString());
        clickButton("cmdCloseTop");
        QVERIFY2(!entry() || !entry()->isVisible(), qPrintable(lastBox()));
        ORV_TRY_VERIFY(*m_watchdog, !m_menu->isEntryWindowLoaded(), StepMs);

        // A second summary for the same date is refused.
        m_boxes.clear();
        pickInFinder("J001", "2005/08/20");
        dateInDialog("2005/09/10");
        command("SAM_NEW");
        ORV_TRY_VERIFY(*m_watchdog, handled("SAM_NEW"), StepMs);
        QVERIFY2(m_boxes.count() == 1, qPrintable(lastBox()));
        QCOMPARE(m_boxes.last().text, QString("既に、対象者[山田花子]、アセスメント基準日["
                                              "平成17年09月10日]のデータが登録されています"));
        QCOMPARE(rows("S", "J001"), 1);

        // The date dialog closed by its close box: no summary, the run's RAP row stays.
        m_boxes.clear();
        QVERIFY(m_state->Db->execute("DELETE FROM S"));
        pickInFinder("J001", "2005/08/20");
        m_driver->when("frmDateSet", [](QWidget* dialog) { dialog->close(); });
        command("SAM_NEW");
        ORV_TRY_VERIFY(*m_watchdog, handled("SAM_NEW"), StepMs);
        QVERIFY(dialogsDone());
        QCOMPARE(rows("S", "J001"), 0);
        QCOMPARE(rows("RAP", "J001"), 1);
        QCOMPARE(m_boxes.count(), 0);
        QVERIFY(!m_menu->isEntryWindowLoaded());
    }

    void medicationSurvey()
    {
        makeFaceSheet("J001", "2005/08/17", "山田", "花子");
        if (QTest::currentTestFailed())
            return;
        pickInFinder("J001");
        dateInDialog("2005/09/01");
        command("DRAG_NEW");
        ORV_TRY_VERIFY(*m_watchdog, handled("DRAG_NEW"), StepMs);
        QVERIFY2(onPage("T.HTM"), qPrintable(lastBox()));
        QVERIFY(dialogsDone());
        QCOMPARE(stored("T", "J001", day(2005, 9, 1), "T0-2"), Value("山田花子"));
        setElement("orv_T_A_1_1_1", "アリセプト");
        clickButton("cmdCloseTop");
        QVERIFY2(!entry() || !entry()->isVisible(), qPrintable(lastBox()));
        ORV_TRY_VERIFY(*m_watchdog, !m_menu->isEntryWindowLoaded(), StepMs);
        QCOMPARE(stored("T", "J001", day(2005, 9, 1), "T-A-1-1-1"), Value("アリセプト"));

        pickInFinder("J001", "2005/09/01");
        command("DRAG_EDIT");
        ORV_TRY_VERIFY(*m_watchdog, handled("DRAG_EDIT"), StepMs);
        QVERIFY2(onPage("T.HTM"), qPrintable(lastBox()));
        QCOMPARE(element("orv_T_A_1_1_1"), QString("アリセプト"));
        QCOMPARE(jumpMenus(), QString());
        setElement("orv_T_A_1_1_2", "錠");
        clickButton("cmdCloseTop");
        QVERIFY2(!entry() || !entry()->isVisible(), qPrintable(lastBox()));
        ORV_TRY_VERIFY(*m_watchdog, !m_menu->isEntryWindowLoaded(), StepMs);
        QCOMPARE(stored("T", "J001", day(2005, 9, 1), "T-A-1-1-2"), Value("錠"));

        // A new survey left without saving goes.
        pickInFinder("J001");
        dateInDialog("2005/10/01");
        command("DRAG_NEW");
        ORV_TRY_VERIFY(*m_watchdog, handled("DRAG_NEW"), StepMs);
        QVERIFY2(onPage("T.HTM"), qPrintable(lastBox()));
        QCOMPARE(rows("T", "J001"), 2);
        m_boxes.queueAnswer(AnswerYes);
        closeBox();
        ORV_TRY_VERIFY(*m_watchdog, !m_menu->isEntryWindowLoaded(), StepMs);
        QCOMPARE(rows("T", "J001"), 1);
    }

    // A page file gone from the program folder is named in Japanese instead of the browser's
    // error page: a jump to it stores nothing and keeps the page, a record opened on it closes
    // as if left unsaved, and the menu page stays when one of its links leads nowhere.
    void missingPagesAreNamed()
    {
        makeFaceSheet("J001", "2005/08/17", "山田", "花子");
        if (QTest::currentTestFailed())
            return;
        const QString missingB = m_state->folder.file("FORM/B.HTM");
        const QString missingT = m_state->folder.file("FORM/T.HTM");
        QVERIFY(QFile::remove(missingB) && QFile::remove(missingT));
        const auto namesMissing = [&](const QString& path) {
            return m_boxes.count() == 1 && m_boxes.last().style == 16 &&
                   m_boxes.last().text.startsWith(
                       QStringLiteral("画面のファイル '%1' が見つかりません。").arg(path));
        };

        newAssessment("J001", "2005/08/20");
        if (QTest::currentTestFailed())
            return;
        m_boxes.clear();
        setElement("orv_A8", "1");
        clickButton("cmdNextTop");
        QVERIFY2(m_boxes.count() == 1, qPrintable(lastBox()));
        QVERIFY2(namesMissing(missingB), qPrintable(m_boxes.last().text));
        QVERIFY(onPage("A.HTM"));
        QVERIFY(stored("A", "J001", day(2005, 8, 20), "A8").isNull());
        setElement("orv_A8", "2");
        clickButton("cmdCloseTop");
        QVERIFY2(!entry() || !entry()->isVisible(), qPrintable(lastBox()));
        ORV_TRY_VERIFY(*m_watchdog, !m_menu->isEntryWindowLoaded() && m_menu->isVisible(), StepMs);
        QCOMPARE(stored("A", "J001", day(2005, 8, 20), "A8"), Value(2));

        m_boxes.clear();
        pickInFinder("J001");
        dateInDialog("2005/09/01");
        command("DRAG_NEW");
        ORV_TRY_VERIFY(*m_watchdog, handled("DRAG_NEW"), StepMs);
        QVERIFY2(m_boxes.count() == 1 && !m_menu->isEntryWindowLoaded(), qPrintable(lastBox()));
        QVERIFY(dialogsDone());
        QVERIFY2(namesMissing(missingT), qPrintable(m_boxes.last().text));
        QCOMPARE(rows("T", "J001"), 0);
        QVERIFY(!m_state->CurRs);
        QVERIFY(m_menu->isVisible());

        m_boxes.clear();
        const QUrl menuPage = m_menu->WB()->url();
        m_menu->WB()->runScript("location.href = 'MainMenu.Htm'; undefined;");
        ORV_TRY_VERIFY(*m_watchdog, m_boxes.count() == 1, StepMs);
        QVERIFY2(namesMissing(m_state->folder.file("MainMenu/MainMenu.Htm")),
                 qPrintable(m_boxes.last().text));
        QCOMPARE(m_menu->WB()->url(), menuPage);
        QVERIFY(m_menu->WB()->runScript("document.querySelectorAll('[onclick]').length").toInt() >
                0);
    }

    // The entry window closed by the user while its first page still loads: the workflow
    // stops there, the new record goes, the edited one stays.
    void entryWindowClosedWhileItsPageLoads()
    {
        makeFaceSheet("J001", "2005/08/17", "山田", "花子");
        if (QTest::currentTestFailed())
            return;
        QTimer closer;
        bool closed = false;
        connect(&closer, &QTimer::timeout, this, [&] {
            frmOrv21* window = entry();
            if (!window || !window->isVisible() || window->WB()->readyState() == 4)
                return;
            closer.stop();
            m_boxes.queueAnswer(AnswerYes);
            closeBox();
            closed = true;
        });

        closer.start(0);
        pickInFinder("J001");
        dateInDialog("2005/09/01");
        command("DRAG_NEW");
        ORV_TRY_VERIFY(*m_watchdog, handled("DRAG_NEW"), StepMs);
        QVERIFY(closed);
        QVERIFY(dialogsDone());
        QVERIFY(!m_menu->isEntryWindowLoaded());
        QVERIFY(!m_state->CurRs);
        QCOMPARE(rows("T", "J001"), 0);

        closed = false;
        closer.start(0);
        pickInFinder("J001");
        command("FACE_EDIT");
        ORV_TRY_VERIFY(*m_watchdog, handled("FACE_EDIT"), StepMs);
        QVERIFY(closed);
        QVERIFY(!m_menu->isEntryWindowLoaded());
        QVERIFY(!m_state->CurRs);
        QCOMPARE(stored("KIHON1", "J001", day(2005, 8, 17), "1-1-1"), Value("山田"));
        QVERIFY(m_menu->isVisible());
    }
};

QTEST_MAIN(TestJourneys)
#include "tst_journeys_web.moc"
