#include "common/ScriptedMessageBox.h"
#include "common/Twips.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "support/HandledStatus.h"
#include "support/ScriptedFinder.h"
#include "shell/WebBrowser.h"
#include "shell/WebBrowserPage.h"
#include "shell/WindowMenu.h"
#include "shell/frmMenu.h"
#include "support/KeyCounter.h"
#include "support/ModalWatchdog.h"
#include "support/TempFolder.h"
#include "TestPaths.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QDialog>
#include <QMenu>
#include <QScreen>
#include <QSessionManager>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <csignal>
#include <thread>

using namespace orv;

namespace {

const char* const FrameSet =
    "<html><frameset rows=\"*\"><frame name=\"menu\" src=\"MainMenu.htm\"></frameset></html>";

const char* const MenuPage = R"HTML(<!DOCTYPE html><html><head><meta charset="utf-8">
<script>
var keys = [];
document.addEventListener('keydown', function (e) {
    if (e.key === 'Control' || e.key === 'Shift' || e.key === 'Alt') return;
    keys.push((e.ctrlKey ? 'C+' : '') + (e.shiftKey ? 'S+' : '') + e.key.toUpperCase());
});
function cmd(word) { window.status = '?' + word; }
</script></head><body>
<input type="button" id="QUIT" value="終了" onclick="cmd('QUIT')">
<input type="button" id="ASS" value="アセスメント" onclick="cmd('ass_new')">
<a id="other" href="../Other/other.htm">other</a>
<a id="menu2" href="../Other/mainmenu.HTM">menu</a>
</body></html>)HTML";

} // namespace

class TestMenuWindow : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_folder = std::make_unique<test::TempFolder>();
        m_folder->write(QStringLiteral("Orv21.PRA"), "[RTF]\r\n");
        m_folder->write(QStringLiteral("MainMenu/MainMenuFr.htm"), FrameSet);
        m_folder->write(QStringLiteral("MainMenu/MainMenu.htm"), MenuPage);
        m_folder->write(QStringLiteral("Other/other.htm"), "<p id=\"t\">other</p>");
        m_folder->write(QStringLiteral("Other/mainmenu.HTM"), "<p id=\"t\">second menu</p>");
        m_state = std::make_unique<AppState>();
        m_state->folder = ProgramFolder(m_folder->path());
        m_state->msg = &m_boxes;
        m_finder = std::make_unique<test::ScriptedFinder>(*m_state);
        m_state->finder = m_finder.get();
        m_boxes.clear();
        const QString dbPath = m_folder->file(QStringLiteral("Orv21.db"));
        m_menu = std::make_unique<frmMenu>(*m_state, [dbPath](AppState& state, QString* error) {
            state.Db = Database::create(dbPath, error);
            return state.Db != nullptr;
        });
        QVERIFY(m_menu->Form_Load());
        QVERIFY(!m_menu->isVisible());
        m_menuCommands = std::make_unique<test::HandledStatus>(m_menu->WB());
        m_menu->show();
    }
    void cleanup()
    {
        m_menuCommands.reset();
        m_menu.reset();
        m_state.reset();
        m_folder.reset();
        ORV_VERIFY_MODALS_ANSWERED(m_watchdog);
    }

    void startUpLeavesTheMenuPageComplete()
    {
        QCOMPARE(m_menu->WB()->readyState(), 4);
        QVERIFY(!m_state->NavPermit);
        QVERIFY(m_state->Db && m_state->Db->isOpen());
        QVERIFY(m_menu->WB()->url().toString().endsWith(QLatin1String("MainMenu/MainMenuFr.htm")));
        QCOMPARE(frameScript(QStringLiteral("document.getElementById('QUIT').value")).toString(),
                 QStringLiteral("終了"));
        QCOMPARE(m_menu->windowTitle(), QStringLiteral("Orv2.1 施設ケア アセスメント表"));

        const Twips twips(m_menu->screen()->logicalDotsPerInch());
        QCOMPARE(m_menu->frameGeometry().size(), twips.toPixels(9500, 9200));
        const QRect screen = m_menu->screen()->geometry();
        const int left = Twips::centredOffset(twips.fromPixels(screen.width()), 9500);
        QCOMPARE(m_menu->frameGeometry().left(), twips.toPixels(left));
    }

    void theBrowserFillsTheWindow()
    {
        m_menu->resize(500, 321);
        QTRY_COMPARE(m_menu->WB()->geometry(), QRect(QPoint(0, 0), m_menu->size()));
        m_menu->resize(900, 700);
        QTRY_COMPARE(m_menu->WB()->geometry(), QRect(QPoint(0, 0), m_menu->size()));
    }

    void quitAsksOnceAndClosesTheDatabase()
    {
        auto* newData = new QDialog;
        newData->setAttribute(Qt::WA_DeleteOnClose);
        newData->setObjectName(QStringLiteral("frmNewData"));
        newData->show();
        QPointer<QDialog> newDataAlive(newData);

        m_boxes.queueAnswer(AnswerYes);
        frameScript(QStringLiteral("document.getElementById('QUIT').click()"));
        QTRY_VERIFY(m_menuCommands->contains(QStringLiteral("?QUIT")));
        QVERIFY(!m_menu->isVisible());
        QCOMPARE(m_boxes.count(), 1);
        QCOMPARE(m_boxes.last().text, QStringLiteral("終了しますか？"));
        QCOMPARE(m_boxes.last().style, 68);
        QVERIFY(!m_state->Db);
        QTRY_VERIFY(!newDataAlive || !newDataAlive->isVisible());
        delete newDataAlive.data();
    }

    void quitAnsweredNoKeepsEverything()
    {
        m_boxes.queueAnswer(AnswerNo);
        frameScript(QStringLiteral("document.getElementById('QUIT').click()"));
        QTRY_VERIFY(m_menuCommands->contains(QStringLiteral("?QUIT")));
        QCOMPARE(m_boxes.count(), 1);
        QVERIFY(m_menu->isVisible());
        QVERIFY(m_state->Db && m_state->Db->isOpen());
        QCOMPARE(m_menu->WB()->runScript(QStringLiteral("window.status")).toString(), QString());
    }

    void theCloseBoxAsks()
    {
        m_boxes.queueAnswer(AnswerNo);
        m_menu->close();
        QVERIFY(m_menu->isVisible());
        QVERIFY(m_state->Db);
        m_boxes.queueAnswer(AnswerYes);
        m_menu->windowMenu()->closeAction()->trigger();
        QVERIFY(!m_menu->isVisible());
        QCOMPARE(m_boxes.count(), 2);
        QCOMPARE(m_boxes.last().text, QStringLiteral("終了しますか？"));
        QCOMPARE(m_boxes.last().style, 68);
        QVERIFY(!m_state->Db);
    }

    // The desktop session ends, as Qt's session manager tells it: the window closes asking
    // nothing, as after the quit command, a dialog still open going as its close box would have
    // it go.
    void theEndOfTheSessionAsksNothing()
    {
        auto* manager = qApp->findChild<QSessionManager*>();
        QVERIFY(manager);
        QDialog dialog(m_menu.get());
        bool dialogClosed = false;
        QTimer::singleShot(0, this, [&] {
            emit qApp->commitDataRequest(*manager);
            dialogClosed = !dialog.isVisible();
        });
        QTimer::singleShot(2000, &dialog, &QDialog::reject); // the test fails rather than waits
        dialog.exec();
        QVERIFY(dialogClosed);
        QVERIFY(!m_menu->isVisible());
        QCOMPARE(m_boxes.count(), 0);
        QVERIFY(!m_state->Db);
    }

    void theVersionItemStandsAboveClose()
    {
        QStringList texts;
        for (QAction* action : m_menu->windowMenu()->menu()->actions())
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(texts.size(), 8);
        QCOMPARE(texts.at(6), QStringLiteral("バージョン情報"));
        QCOMPARE(texts.at(7), QStringLiteral("閉じる(&C)"));
        QCOMPARE(texts.at(5), QStringLiteral("-"));

        m_menu->windowMenu()->versionAction()->trigger();
        QCOMPARE(m_boxes.count(), 1);
        QCOMPARE(m_boxes.last().text, QStringLiteral("Orv2.1 添付CDソフト バージョン：1.0.60"));
        QCOMPARE(m_boxes.last().style, 64);
        QCOMPARE(m_boxes.last().title, QStringLiteral("Orv2.1 バージョン情報"));
        QVERIFY(m_menu->isVisible());
    }

    void pageCommandsReachTheDispatcher()
    {
        m_state->KonsuiMode = true;
        frameScript(QStringLiteral("document.getElementById('ASS').click()"));
        QTRY_COMPARE(m_state->CurTable, QStringLiteral("A"));
        QVERIFY(m_state->IsNewRecord);
        QVERIFY(!m_state->KonsuiMode);
        QTRY_COMPARE(m_finder->modes.size(), 1);
        frameScript(QStringLiteral("cmd('Unknown')"));
        QTRY_COMPARE(m_boxes.count(), 1);
        QCOMPARE(m_boxes.last().text, QStringLiteral("次のコマンドが発行されました\r\nUnknown"));
    }

    // The page loads while the database is made ready; a command it posts meanwhile waits
    // until the database is open.
    void aCommandPostedBeforeTheDatabaseIsOpenWaits()
    {
        test::TempFolder folder;
        folder.write(QStringLiteral("Orv21.PRA"), "[RTF]\r\n");
        folder.write(QStringLiteral("MainMenu/MainMenuFr.htm"),
                     "<html><body onload=\"window.status='?EARLY'\">menu</body></html>");
        AppState state;
        state.folder = ProgramFolder(folder.path());
        ScriptedMessageBox boxes;
        state.msg = &boxes;
        std::atomic<bool> posted = false;
        std::atomic<bool> markerRan = false;
        std::atomic<bool> opened = false;
        bool commandBeforeOpen = false;
        const QString dbPath = folder.file(QStringLiteral("Orv21.db"));
        const auto waitFor = [](const std::atomic<bool>& done) {
            QElapsedTimer waited;
            waited.start();
            while (!done && waited.elapsed() < 20000)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        };
        frmMenu menu(state, [&](AppState& s, QString* error) {
            waitFor(posted);
            // Behind whatever the window has queued for the command it received.
            QMetaObject::invokeMethod(
                this, [&] { markerRan = true; }, Qt::QueuedConnection);
            waitFor(markerRan);
            s.Db = Database::create(dbPath, error);
            opened = s.Db != nullptr;
            return posted && opened;
        });
        connect(static_cast<WebBrowserPage*>(menu.WB()->page()), &WebBrowserPage::statusAssigned,
                this, [&] { posted = true; });
        connect(menu.WB(), &WebBrowser::statusTextChanged, this, [&](const QString& text) {
            commandBeforeOpen = commandBeforeOpen || (!text.isEmpty() && !opened);
        });
        QVERIFY(menu.Form_Load());
        QTRY_COMPARE(boxes.count(), 1);
        QVERIFY(!commandBeforeOpen);
        QCOMPARE(boxes.last().text, QStringLiteral("次のコマンドが発行されました\r\nEARLY"));
    }

    // The menu page's renderer killed: the program says so, loads the page again and goes on;
    // killed once more, the same.
    void aKilledRendererIsToldAndTheMenuComesBack()
    {
        for (int kill = 1; kill <= 2; ++kill) {
            const qint64 pid = m_menu->WB()->page()->renderProcessPid();
            QVERIFY(pid > 0);
            ::kill(pid_t(pid), SIGKILL);
            QTRY_COMPARE(m_boxes.count(), 2 * kill - 1);
            QCOMPARE(m_boxes.last().text, QStringLiteral("画面を表示するプロセスが終了しました。\n"
                                                         "メニュー画面を読み込み直します。"));
            QCOMPARE(m_boxes.last().style, 16);
            QTRY_VERIFY(m_menu->WB()->readyState() == 4 && !m_menu->WB()->rendererEnded());
            QVERIFY(!m_state->NavPermit);
            QVERIFY(m_state->Db && m_state->Db->isOpen());
            QVERIFY(m_menu->isVisible());

            // The menu's buttons, in its frame, command the program again.
            m_boxes.queueAnswer(AnswerNo);
            frameScript(QStringLiteral("document.getElementById('QUIT').click()"));
            QTRY_COMPARE(m_boxes.count(), 2 * kill);
            QCOMPARE(m_boxes.last().text, QStringLiteral("終了しますか？"));
            QVERIFY(m_menu->isVisible());
        }
    }

    void theGuardKeepsTheMenuPage()
    {
        // Connected after the guard: sees each navigation the page asks for with its answer,
        // which the browser obeys.
        QObject listening;
        QList<QPair<QString, bool>> answers;
        connect(m_menu->WB(), &WebBrowser::beforeNavigate, &listening,
                [&answers](const QUrl& url, bool* cancel) {
                    answers.append({url.fileName(), *cancel});
                });
        frameScript(QStringLiteral("document.getElementById('other').click()"));
        QTRY_VERIFY(!answers.isEmpty());
        QCOMPARE(answers.first(), qMakePair(QStringLiteral("other.htm"), true));
        QVERIFY(frameScript(QStringLiteral("location.href"))
                    .toString()
                    .endsWith(QLatin1String("MainMenu/MainMenu.htm")));

        frameScript(QStringLiteral("document.getElementById('menu2').click()"));
        QTRY_VERIFY(frameScript(QStringLiteral("location.href"))
                        .toString()
                        .endsWith(QLatin1String("Other/mainmenu.HTM")));
        QTRY_COMPARE(frameScript(QStringLiteral("document.getElementById('t') ? "
                                                "document.getElementById('t').textContent : ''"))
                         .toString(),
                     QStringLiteral("second menu"));
    }

    void ctrlNIsSwallowed()
    {
        frameScript(QStringLiteral("window.focus(); document.body.focus(); keys = []"));
        QWidget* target = m_menu->WB()->focusProxy();
        QVERIFY(target);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_M);
        QTest::keyClick(target, Qt::Key_N, Qt::ControlModifier);
        QTest::keyClick(target, Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(target, Qt::Key_N);
        QTest::keyClick(target, Qt::Key_B, Qt::ControlModifier);
        QTRY_COMPARE(frameScript(QStringLiteral("keys.join(',')")).toString(),
                     QStringLiteral("M,N,C+B"));
    }

    void theVerificationChordStartsTheMode()
    {
        QWidget* target = m_menu->WB()->focusProxy();
        QVERIFY(target);
        test::KeyCounter reachingThePage(Qt::Key_Pause);
        target->installEventFilter(&reachingThePage);
        QTest::keyClick(target, Qt::Key_Pause, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(m_boxes.count(), 0);
        QCOMPARE(reachingThePage.presses, 1);
        QTest::keyClick(target, Qt::Key_Pause,
                        Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
        // A key the page leaves unhandled comes back to the window; the mode must not rerun,
        // so the chord must never reach the page.
        QCOMPARE(reachingThePage.presses, 1);
        QCOMPARE(boxesSaying(QStringLiteral("検定モードに突入します。")), 1);
        QVERIFY(m_state->TestMode);
    }

    // On X11 the Pause key held with Ctrl arrives as Break, which Qt gives no key code.
    void theVerificationChordAsX11SendsIt()
    {
        QWidget* target = m_menu->WB()->focusProxy();
        QVERIFY(target);
        const auto modifiers = Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier;
        test::KeyCounter reachingThePage;
        target->installEventFilter(&reachingThePage);
        QKeyEvent press(QEvent::KeyPress, 0, modifiers, 0x7F, 0xFF6B, 0);
        QApplication::sendEvent(target, &press);
        QCOMPARE(reachingThePage.presses, 0);
        QCOMPARE(boxesSaying(QStringLiteral("検定モードに突入します。")), 1);
        QVERIFY(m_state->TestMode);
    }

    // The menu page of the program folder shows every command without scrolling in the
    // main window's client area (less a usual frame).
    void theMenuPageFitsTheWindow()
    {
        WebBrowser browser;
        const Twips twips(browser.screen()->logicalDotsPerInch());
        browser.resize(twips.toPixels(9500, 9200) - QSize(16, 39));
        browser.show();
        browser.navigate(QStringLiteral(ORV_TEST_PROGRAM_DIR "/MainMenu/MainMenuFr.htm"));
        browser.waitUntilComplete();
        const QStringList sizes =
            browser
                .runScript(QStringLiteral("var e = document.documentElement; [e.scrollWidth, "
                                          "e.clientWidth, e.scrollHeight, e.clientHeight].join()"))
                .toString()
                .split(QLatin1Char(','));
        QCOMPARE(sizes.size(), 4);
        QVERIFY2(sizes.at(0).toInt() <= sizes.at(1).toInt(), qPrintable(sizes.join(' ')));
        QVERIFY2(sizes.at(2).toInt() <= sizes.at(3).toInt(), qPrintable(sizes.join(' ')));
        QCOMPARE(
            browser.runScript(QStringLiteral("document.querySelectorAll('input').length")).toInt(),
            17);
    }

    void theWindowMenuOpensFromKeyboardAndMouse()
    {
        QMenu* menu = m_menu->windowMenu()->menu();
        QVERIFY(!menu->isVisible());
        emit m_menu->WB()->customContextMenuRequested(QPoint(20, 30));
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(menu->pos(), m_menu->WB()->mapToGlobal(QPoint(20, 30)));
        menu->hide();
        m_menu->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_menu.get()));
        QTest::keyClick(m_menu.get(), Qt::Key_Space, Qt::AltModifier);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
    }

private:
    int boxesSaying(const QString& text) const
    {
        int count = 0;
        for (const auto& box : m_boxes.shown())
            count += box.text == text ? 1 : 0;
        return count;
    }
    QVariant frameScript(const QString& js)
    {
        return m_menu->WB()->runScript(
            QStringLiteral("(function(){ with (window.frames[0]) { return eval(%1); } })()")
                .arg(quoted(js)));
    }
    static QString quoted(const QString& js)
    {
        QString text = js;
        text.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
            .replace(QLatin1Char('\''), QLatin1String("\\'"));
        return QLatin1Char('\'') + text + QLatin1Char('\'');
    }

    std::unique_ptr<test::TempFolder> m_folder;
    std::unique_ptr<AppState> m_state;
    ScriptedMessageBox m_boxes;
    std::unique_ptr<test::ScriptedFinder> m_finder;
    std::unique_ptr<frmMenu> m_menu;
    std::unique_ptr<test::HandledStatus> m_menuCommands;
    test::ModalWatchdog m_watchdog;
};

QTEST_MAIN(TestMenuWindow)
#include "tst_menuwindow_web.moc"
