#include "TestPaths.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "shell/QtMessageBox.h"
#include "shell/WebBrowser.h"
#include "shell/frmOrv21.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTimer>

using namespace orv;
using namespace orv::test;

// The keys of the entry window pressed on an X display without a window manager, on the
// program's own pages: they reach the page, in the order they were typed.
class TestEntryKeysXvfb : public QObject
{
    Q_OBJECT

    TestDatabase file;
    std::unique_ptr<AppState> state;
    std::unique_ptr<QtMessageBox> boxes;
    std::unique_ptr<QMainWindow> menu;
    std::unique_ptr<frmOrv21> window;
    const QString id = QStringLiteral("K-001");
    const DateValue date = DateValue::fromDate(QDate(2005, 8, 17));

    // Keys pressed as a keyboard presses them: to the window that holds the X input focus.
    static bool press(const QStringList& arguments)
    {
        return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
    }
    static bool press(const QString& keys) { return press({QStringLiteral("key"), keys}); }

    QString shownPage() const { return window->WB()->url().fileName(); }
    QString script(const QString& js) { return window->WB()->runScript(js).toString(); }
    // The focused element of the page and whether the whole of it lies in view.
    QString focusedInView()
    {
        return script(
            QStringLiteral("(function (e) { var r = e.getBoundingClientRect();"
                           "return e.name + ' ' + (r.top >= 0 && r.bottom <= innerHeight); })"
                           "(document.activeElement)"));
    }
    bool onPage(const QString& page)
    {
        return shownPage() == page && window->WB()->readyState() == WebBrowser::Complete &&
               state->NextPage.isEmpty();
    }

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY2(file.ok(), qPrintable(file.error()));
    }

    // The record's rows, and the entry window on page B with the keyboard in it.
    void init()
    {
        state = std::make_unique<AppState>();
        state->Db = file.open();
        QVERIFY(state->Db);
        menu = std::make_unique<QMainWindow>();
        boxes = std::make_unique<QtMessageBox>(menu.get());
        state->msg = boxes.get();
        state->folder = ProgramFolder(QStringLiteral(ORV_TEST_PROGRAM_DIR));
        state->CurID = id;
        state->CurKijunbi = date;
        state->CurTable = QStringLiteral("B");
        for (const QChar letter : QStringLiteral("ABCDEFGHIJKLMNOPQR")) {
            QVERIFY(state->Db->execute(
                QStringLiteral("INSERT INTO %1([ID], [基準日]) VALUES(?, ?)").arg(letter),
                {Value(id), Value(date)}));
        }
        state->CurRs =
            state->Db->openRecordset(QStringLiteral("SELECT * FROM B WHERE [ID]=? AND [基準日]=?"),
                                     {Value(id), Value(date)});
        QVERIFY(state->CurRs && !state->CurRs->eof());
        state->CurRs->edit();
        menu->show();
        window = std::make_unique<frmOrv21>(*state, menu.get());
        window->showEntry();
        window->setFaceSheetJumpsVisible(false);
        QVERIFY(window->openPage(QStringLiteral("B.HTM")));
        QTRY_VERIFY_WITH_TIMEOUT(window->isActiveWindow() && window->WB()->hasFocus(), 3000);
    }

    void cleanup()
    {
        window.reset();
        boxes.reset();
        menu.reset();
        for (const QChar letter : QStringLiteral("ABCDEFGHIJKLMNOPQR"))
            QVERIFY(state->Db->execute(QStringLiteral("DELETE FROM %1").arg(letter)));
        state.reset();
    }

    // Escape closes the jump menu, and the page's keys work at once.
    void escapeFromTheJumpMenuLeavesThePageTheKeys()
    {
        // Twice: the hidden face-sheet menu shares the key and must not take the second press.
        for (int round = 0; round < 2; ++round) {
            QVERIFY(press(QStringLiteral("alt+j")));
            QTRY_COMPARE_WITH_TIMEOUT(QApplication::activePopupWidget(), window->IDM_J2(), 3000);
            QVERIFY(press(QStringLiteral("Escape")));
            QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activePopupWidget(), 3000);
        }
        QVERIFY(press(QStringLiteral("alt+n")));
        QTRY_VERIFY_WITH_TIMEOUT(onPage(QStringLiteral("C.HTM")), 3000);
    }

    // What is typed right after a page key, and while the next page loads, goes into that
    // page's first item, every key and in order.
    void keysTypedWhileThePageChangesReachTheNextPage_data()
    {
        QTest::addColumn<QStringList>("move");
        QTest::newRow("previous-page key") << QStringList{"key", "alt+p"};
        QTest::newRow("jump menu") << QStringList{"key", "alt+j", "Return"};
    }
    void keysTypedWhileThePageChangesReachTheNextPage()
    {
        QFETCH(QStringList, move);
        QVERIFY(press(move + QStringList{"type", "--delay", "5", "ABCDEFGH"}));
        QTRY_VERIFY_WITH_TIMEOUT(onPage(QStringLiteral("A.HTM")), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(script(QStringLiteral("document.forms[0].orv_A1_1.value")),
                                  QStringLiteral("ABCDEFGH"), 2000);
        QCOMPARE(focusedInView(), QStringLiteral("orv_A1_1 true"));
    }

    // Alt with a key that presses nothing on the page holds nothing back.
    void keysAfterAnAltKeyThatPressesNothingArrive()
    {
        window->jumpAction(QStringLiteral("IDM_A"))->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(onPage(QStringLiteral("A.HTM")), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(focusedInView(), QStringLiteral("orv_A1_1 true"), 2000);
        QVERIFY(press({"key", "alt+Down", "type", "--delay", "5", "xyz"}));
        QTRY_COMPARE_WITH_TIMEOUT(script(QStringLiteral("document.forms[0].orv_A1_1.value")),
                                  QStringLiteral("xyz"), 2000);
        QVERIFY(!window->keys().isHolding());
    }

    // A refused value: while its message is up, the refused item is the focused one and in view,
    // though the key that was pressed belongs to a button at the foot of the page.
    void refusedItemIsInViewWhileItsMessageShows()
    {
        window->jumpAction(QStringLiteral("IDM_A"))->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(onPage(QStringLiteral("A.HTM")), 5000);
        script(QStringLiteral("document.forms[0].orv_A2.value = '12345678901'; 1"));
        QString whileShown;
        QString message;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            answer.stop();
            message = box->text();
            whileShown = focusedInView();
            box->accept();
        });
        answer.start(20);
        QVERIFY(press(QStringLiteral("alt+n")));
        QTRY_VERIFY_WITH_TIMEOUT(!message.isEmpty(), 5000);
        QCOMPARE(message, QStringLiteral("文字数が多すぎます。10文字以内で入力してください。"));
        QCOMPARE(whileShown, QStringLiteral("orv_A2 true"));
        QCOMPARE(shownPage(), QStringLiteral("A.HTM"));
        QTRY_COMPARE_WITH_TIMEOUT(focusedInView(), QStringLiteral("orv_A2 true"), 3000);
    }
};

QTEST_MAIN(TestEntryKeysXvfb)
#include "tst_entrykeys_xvfb.moc"
