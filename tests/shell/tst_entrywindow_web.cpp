#include "data/Database.h"
#include "data/Recordset.h"
#include "shell/WebBrowser.h"
#include "shell/frmOrv21.h"
#include "support/EntryFixture.h"
#include "support/HandledStatus.h"
#include "support/KeyCounter.h"
#include "support/ModalDriver.h"
#include "support/ModalWatchdog.h"

#include <QAction>
#include <QCalendarWidget>
#include <QDir>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>

#include <csignal>

using namespace orv;
using namespace orv::test;

namespace {

// Section pages of the shape the catalogue gives: one form, bound inputs, jump buttons.
QByteArray sectionPage(const QString& number, const QString& comaText, const QString& check,
                       const QString& next)
{
    return QStringLiteral(R"(<html><head><meta charset="utf-8"></head><body>
<form>
<h1 style="height: 150px">%4</h1>
<input type=text name=%1 value="" autofocus>
<input type=text name=%2 value="" class=KONSUI>
<input type=checkbox name=%3>
<input type=button name=cmdNext value=次へ class="KONSUI=%4|%4;R|R" onclick="window.status='#%4|%4.HTM'">
<a id=away href="elsewhere.htm">away</a>
<div style="height: 3000px"></div>
</form></body></html>)")
        .arg(number, comaText, check, next)
        .toUtf8();
}

} // namespace

class TestEntryWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EntryFixture> f;
    std::unique_ptr<QMainWindow> menu;
    std::unique_ptr<frmOrv21> window;
    std::unique_ptr<ModalDriver> driver;
    std::unique_ptr<ModalWatchdog> watchdog;
    // A page load or a command of the page; each takes well under a second.
    static constexpr int StepMs = 5000;

    QString shownPage() { return window->WB()->url().fileName(); }

    // Where the page stands: its scroll offset, its focused input and whether that lies in view.
    QString pageView()
    {
        return window->WB()
            ->runScript(QStringLiteral(
                "(function (e) { var r = e.getBoundingClientRect();"
                "return [scrollX, scrollY, e.name, r.top >= 0 && r.bottom <= innerHeight]"
                ".join(' '); })(document.activeElement)"))
            .toString();
    }

    void waitForPage(const QString& file)
    {
        ORV_TRY_VERIFY(*watchdog, shownPage() == file, StepMs);
        window->WB()->waitUntilComplete();
    }

private slots:
    void init()
    {
        driver = std::make_unique<ModalDriver>();
        watchdog = std::make_unique<ModalWatchdog>(driver.get());
        f = std::make_unique<EntryFixture>();
        QString error;
        QVERIFY2(f->openWithAssessment(&error), qPrintable(error));
        QDir(f->folder.path()).mkdir(QStringLiteral("FORM"));
        f->folder.write(QStringLiteral("FORM/A.HTM"),
                        sectionPage("orv_A2", "orv_A1_1", "orv_A5", "C"));
        f->folder.write(QStringLiteral("FORM/C.HTM"),
                        sectionPage("orv_C_1", "orv_C_2", "orv_C_9", "A"));
        f->folder.write(QStringLiteral("FORM/R.HTM"),
                        sectionPage("orv_R_2", "orv_R_1", "orv_R_9", "A"));
        f->folder.write(QStringLiteral("FORM/elsewhere.htm"), "<html><body>x</body></html>");
        menu = std::make_unique<QMainWindow>();
        menu->show();
        window = std::make_unique<frmOrv21>(f->state, menu.get());
        window->showEntry();
        QVERIFY(window->openPage(QStringLiteral("A.HTM")));
    }

    void cleanup()
    {
        window.reset();
        menu.reset();
        f.reset();
        driver.reset();
        ORV_VERIFY_MODALS_ANSWERED(*watchdog);
    }

    void opensMaximizedAndHidesTheMenu()
    {
        QVERIFY(window->windowState().testFlag(Qt::WindowMaximized));
        QCOMPARE(window->frameGeometry(), window->screen()->availableGeometry());
        QCOMPARE(pageView(), QStringLiteral("0 0 orv_A2 true"));
        QVERIFY(!menu->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Orv2.1 施設ケア アセスメント表"));
    }

    // A window manager that maps the browser's new native window unmaximized.
    void staysMaximizedWhenTheNativeWindowIsReplaced()
    {
        QEvent replaced(QEvent::WinIdChange);
        QCoreApplication::sendEvent(window.get(), &replaced);
        window->setWindowState(Qt::WindowNoState);
        QTRY_VERIFY(window->windowState().testFlag(Qt::WindowMaximized));
    }

    void restoreLaterIsKept()
    {
        window->setRecreationGrace(0); // the restore below comes after it
        QEvent replaced(QEvent::WinIdChange);
        QCoreApplication::sendEvent(window.get(), &replaced);
        window->setWindowState(Qt::WindowNoState);
        // Maximizing again would be queued; what the window queued runs before this.
        bool queuedRan = false;
        QTimer::singleShot(0, window.get(), [&queuedRan] { queuedRan = true; });
        QTRY_VERIFY(queuedRan);
        QVERIFY(!window->windowState().testFlag(Qt::WindowMaximized));
    }

    void jumpMenus()
    {
        const QList<QAction*> tops = window->menuBar()->actions();
        QCOMPARE(tops.size(), 2);
        QCOMPARE(tops.at(0)->text(), QStringLiteral("ジャンプ(&J)"));
        QCOMPARE(tops.at(1)->text(), QStringLiteral("ジャンプ(&J)"));
        QCOMPARE(window->IDM_J1()->actions().size(), 2);
        QCOMPARE(window->IDM_J2()->actions().size(), 18);
        QCOMPARE(window->IDM_J1()->actions().at(1)->objectName(), QStringLiteral("IDM_2"));
        QCOMPARE(window->IDM_J1()->actions().at(1)->text(), QStringLiteral("Ⅱ.入院・入所前の生活"));
        QCOMPARE(window->IDM_J2()->actions().at(7)->text(), QStringLiteral("H.失禁（過去７日間）"));

        window->setKonsuiJumpsEnabled(false);
        for (QAction* item : window->IDM_J2()->actions()) {
            const bool coma =
                QStringList{"IDM_C", "IDM_D", "IDM_E", "IDM_F"}.contains(item->objectName());
            QCOMPARE(item->isEnabled(), !coma);
        }
    }

    // A page opens at its top, also when it is the page shown and scrolled down.
    void pagesOpenAtTheirTop()
    {
        window->WB()->runScript(QStringLiteral("scrollTo(0, 2000); 1"));
        window->jumpAction(QStringLiteral("IDM_C"))->trigger();
        waitForPage(QStringLiteral("C.HTM"));
        QTRY_COMPARE(pageView(), QStringLiteral("0 0 orv_C_1 true"));
        window->WB()->runScript(QStringLiteral("scrollTo(0, 2000); 1"));
        window->jumpAction(QStringLiteral("IDM_C"))->trigger();
        QTRY_VERIFY(window->WB()->readyState() == 4 && f->state.NextPage.isEmpty());
        QTRY_COMPARE(pageView(), QStringLiteral("0 0 orv_C_1 true"));
    }

    void pageDocumentRoundTrip()
    {
        QVector<PageElement> elements;
        QVERIFY(window->document().readElements(&elements));
        QCOMPARE(elements.size(), 4);
        QCOMPARE(elements.at(2).type, QStringLiteral("checkbox"));
        QCOMPARE(elements.at(3).className, QStringLiteral("KONSUI=C|C;R|R"));
        QVERIFY(window->document().apply(
            {ElementChange::value(0, QStringLiteral("１２")), ElementChange::checked(2, true),
             ElementChange::focus(0),
             ElementChange::backgroundColor(0, QStringLiteral("#ff0000"))}));
        QVERIFY(window->document().readElements(&elements));
        QCOMPARE(elements.at(0).value, QStringLiteral("１２"));
        QVERIFY(elements.at(0).focused);
        QCOMPARE(elements.at(0).backgroundColor, QStringLiteral("#ff0000"));
        QVERIFY(elements.at(2).checked);
    }

    void pageNavigationIsRefused()
    {
        // A refused navigation ends as a load that failed; one let through would end on its
        // page.
        QSignalSpy ended(window->WB()->page(), &QWebEnginePage::loadFinished);
        window->WB()->runScript(QStringLiteral("document.getElementById('away').click(); 1"));
        window->WB()->runScript(QStringLiteral("location.href = 'elsewhere.htm'; 1"));
        QTRY_COMPARE(ended.count(), 2);
        QCOMPARE(ended.at(0).at(0).toBool(), false);
        QCOMPARE(ended.at(1).at(0).toBool(), false);
        QCOMPARE(shownPage(), QStringLiteral("A.HTM"));
        // the page still stores
        window->jumpAction(QStringLiteral("IDM_C"))->trigger();
        waitForPage(QStringLiteral("C.HTM"));
    }

    void buttonJumpStoresAndOpensTheNextPage()
    {
        window->WB()->runScript(QStringLiteral(
            "document.forms[0].orv_A2.value = '７'; document.forms[0].orv_A5.checked = true;"
            "document.forms[0].cmdNext.click(); 1"));
        waitForPage(QStringLiteral("C.HTM"));
        QTRY_VERIFY(f->state.CurRs && f->state.CurRs->name().contains(QStringLiteral("FROM C")));
        QCOMPARE(f->stored("A", "A2", f->id, f->date), Value(7));
        QCOMPARE(f->stored("A", "A5", f->id, f->date), Value(1));
    }

    // A double click on a jump button posts the jump twice; the second must not store the next
    // page before it has been filled.
    void doubleClickedJumpKeepsTheNextRow()
    {
        QVERIFY(f->state.Db->execute(
            QStringLiteral("UPDATE C SET [C-1]=3, [C-2]='あり' WHERE [ID]=?"), {Value(f->id)}));
        HandledStatus posted(window->WB());
        window->WB()->runScript(
            QStringLiteral("var b = document.forms[0].cmdNext; b.click(); b.click(); 1"));
        waitForPage(QStringLiteral("C.HTM"));
        QTRY_COMPARE(posted.count("#"), 2);
        window->WB()->waitUntilComplete();
        QCOMPARE(f->stored("C", "C-2", f->id, f->date), Value(QStringLiteral("あり")));
        QCOMPARE(f->stored("C", "C-1", f->id, f->date), Value(3));
        QCOMPARE(
            window->WB()->runScript(QStringLiteral("document.forms[0].orv_C_2.value")).toString(),
            QStringLiteral("あり"));
        QCOMPARE(f->msg.count(), 0);
    }

    void comaCommandOnThePage()
    {
        window->WB()->runScript(QStringLiteral("window.status = '$KONSUI'; 1"));
        QTRY_VERIFY(f->state.KonsuiMode);
        QVERIFY(!window->jumpAction(QStringLiteral("IDM_C"))->isEnabled());
        QVERIFY(window->jumpAction(QStringLiteral("IDM_N"))->isEnabled());
        QVector<PageElement> elements;
        QVERIFY(window->document().readElements(&elements));
        QCOMPARE(elements.at(1).visibility, QStringLiteral("hidden"));
        QCOMPARE(elements.at(0).visibility, QString());
        // the rewritten button jumps to the coma target
        window->WB()->runScript(QStringLiteral("document.forms[0].cmdNext.click(); 1"));
        waitForPage(QStringLiteral("R.HTM")); // "R.htm" names the same file
        QTRY_VERIFY(window->document().readElements(&elements) && elements.size() == 4 &&
                    elements.at(1).visibility == QStringLiteral("hidden"));
    }

    void datePickWritesThePage()
    {
        window->commands().setClock([] { return QDate(2024, 6, 1); });
        window->setDatePicker([this] {
            f->state.PickedDate = DateValue::fromDate(QDate(2005, 8, 17));
            f->state.DatePicked = true;
        });
        window->WB()->runScript(
            QStringLiteral("window.status = '!orv_A1_1|yyyy/mm/dd||orv_A2'; 1"));
        QTRY_COMPARE(
            window->WB()->runScript(QStringLiteral("document.forms[0].orv_A1_1.value")).toString(),
            QStringLiteral("2005/08/17"));
        QCOMPARE(
            window->WB()->runScript(QStringLiteral("document.forms[0].orv_A2.value")).toString(),
            QStringLiteral("19"));
        QCOMPARE(window->WB()->runScript(QStringLiteral("window.status")).toString(), QString());
    }

    void pickerPreloadsFromThePage()
    {
        window->WB()->runScript(
            QStringLiteral("document.forms[0].orv_A1_1.value = '2005.08.17'; 1"));
        QDate shown;
        driver->when(QStringLiteral("frmDTPICK"), [&](QWidget* dialog) {
            shown = dialog->findChild<QCalendarWidget*>(QStringLiteral("Cal"))->selectedDate();
            ModalDriver::click(dialog, QStringLiteral("cmdOK"));
        });
        window->WB()->runScript(QStringLiteral("window.status = '!orv_A1_1|ggge年m月d日'; 1"));
        ORV_TRY_VERIFY(*watchdog, driver->done() && shown.isValid(), StepMs);
        QCOMPARE(shown, QDate(2005, 8, 17));
        ORV_TRY_VERIFY(*watchdog,
                       window->WB()
                               ->runScript(QStringLiteral("document.forms[0].orv_A1_1.value"))
                               .toString() == QStringLiteral("平成17年8月17日"),
                       StepMs);
        QVERIFY(f->state.DatePicked);
        QVERIFY(f->state.DateOnly);
    }

    void ctrlNIsSwallowed()
    {
        QWidget* target = window->WB()->focusProxy() ? window->WB()->focusProxy() : window->WB();
        KeyCounter counter;
        target->installEventFilter(&counter);
        QKeyEvent ctrlN(QEvent::KeyPress, Qt::Key_N, Qt::ControlModifier, QStringLiteral("\x0e"));
        QCoreApplication::sendEvent(target, &ctrlN);
        QKeyEvent plainN(QEvent::KeyPress, Qt::Key_N, Qt::NoModifier, QStringLiteral("n"));
        QCoreApplication::sendEvent(target, &plainN);
        QCOMPARE(counter.presses, 1);
        target->removeEventFilter(&counter);
    }

    // The page's renderer killed while the user types: the program says so and shows the page
    // again as it was last stored; what was typed since is gone, and the next store keeps what
    // the row holds.
    void aKilledRendererShowsThePageAgainAsStored()
    {
        window->WB()->runScript(QStringLiteral("document.forms[0].orv_A2.value = '７'; 1"));
        window->jumpAction(QStringLiteral("IDM_C"))->trigger();
        waitForPage(QStringLiteral("C.HTM"));
        window->jumpAction(QStringLiteral("IDM_A"))->trigger();
        waitForPage(QStringLiteral("A.HTM"));
        QCOMPARE(f->stored("A", "A2", f->id, f->date), Value(7));
        window->WB()->runScript(QStringLiteral(
            "document.forms[0].orv_A2.value = '９'; document.forms[0].orv_A5.checked = true; 1"));

        ::kill(pid_t(window->WB()->page()->renderProcessPid()), SIGKILL);
        QTRY_COMPARE(f->msg.count(), 1);
        QCOMPARE(f->msg.last().text,
                 QStringLiteral("画面を表示するプロセスが終了しました。\n入力中の画面を表示し直"
                                "します。まだ登録していない入力は失われました。"));
        QCOMPARE(f->msg.last().style, 16);
        QTRY_VERIFY(window->WB()->readyState() == 4 && !window->WB()->rendererEnded());
        QTRY_COMPARE(
            window->WB()->runScript(QStringLiteral("document.forms[0].orv_A2.value")).toString(),
            QStringLiteral("7"));
        QVERIFY(
            !window->WB()->runScript(QStringLiteral("document.forms[0].orv_A5.checked")).toBool());
        QCOMPARE(shownPage(), QStringLiteral("A.HTM"));
        QVERIFY(!f->state.NavPermit);
        QCOMPARE(f->stored("A", "A2", f->id, f->date), Value(7));

        window->jumpAction(QStringLiteral("IDM_C"))->trigger();
        waitForPage(QStringLiteral("C.HTM"));
        QCOMPARE(f->stored("A", "A2", f->id, f->date), Value(7));
        QCOMPARE(f->stored("A", "A5", f->id, f->date), Value(0));
        QCOMPARE(f->msg.count(), 1);
    }

    void closeFromCodeStoresThePage()
    {
        window->WB()->runScript(QStringLiteral("document.forms[0].orv_A5.checked = true; 1"));
        QVERIFY(window->close());
        QVERIFY(!window->isVisible());
        QVERIFY(menu->isVisible());
        QCOMPARE(f->stored("A", "A5", f->id, f->date), Value(1));
    }

    void closeFromCodeRefusedStaysOpen()
    {
        window->WB()->runScript(QStringLiteral("document.forms[0].orv_A5.checked = true; 1"));
        QVERIFY(f->state.Db->execute(QStringLiteral("DROP TABLE A")));
        QVERIFY(!window->close());
        QVERIFY(window->isVisible());
        QVERIFY(!menu->isVisible());
        QVERIFY(f->msg.count() >= 1);
    }
};

QTEST_MAIN(TestEntryWindow)
#include "tst_entrywindow_web.moc"
