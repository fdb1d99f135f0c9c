#include "common/ScriptedMessageBox.h"
#include "data/AppState.h"
#include "shell/MenuKeys.h"
#include "shell/MenuNavigationGuard.h"
#include "shell/MenuStartup.h"
#include "shell/SingleInstance.h"
#include "support/FileSizeLimit.h"
#include "support/HoldingChild.h"
#include "support/OtherUser.h"
#include "support/TempFolder.h"

#include <QFile>
#include <QTest>

#include <chrono>
#include <future>
#include <memory>
#include <unistd.h>

using namespace orv;

namespace {

// The window's share of start-up, recorded with the state each step found.
class RecordingWindow : public MenuStartup::Window
{
public:
    explicit RecordingWindow(AppState& state) : m_state(state) {}
    QStringList steps;

    void installWindowMenu() override
    {
        steps << QStringLiteral("menu");
        menuInstalled.set_value();
    }
    std::promise<void> menuInstalled;
    bool navigate(const QString& page) override
    {
        steps << QStringLiteral("navigate %1 permit=%2")
                     .arg(page.mid(m_state.folder.path().size()))
                     .arg(int(m_state.NavPermit));
        return pageThere;
    }
    bool pageThere = true;
    void placeWindow() override { steps << QStringLiteral("place"); }
    void waitForPage() override
    {
        steps << QStringLiteral("wait permit=%1").arg(int(m_state.NavPermit));
    }

private:
    AppState& m_state;
};

struct Startup
{
    explicit Startup(const QString& folder)
    {
        state.folder = ProgramFolder(folder);
        state.msg = &boxes;
    }
    AppState state;
    ScriptedMessageBox boxes;
    RecordingWindow window{state};
};

} // namespace

class TestMenuStartup : public QObject
{
    Q_OBJECT

private slots:
    // Begun before the window, the database step runs while the window starts; the page is
    // shown only once it has ended.
    void stepsRunInOrder_data()
    {
        QTest::addColumn<bool>("begunEarly");
        QTest::newRow("begun by the load") << false;
        QTest::newRow("begun before the window") << true;
    }

    void stepsRunInOrder()
    {
        QFETCH(bool, begunEarly);
        test::TempFolder folder;
        folder.write(QStringLiteral("Orv21.PRA"), "[RTF]\r\nBEGIN=RAP_BEGIN_RTF.DAT\r\n");
        Startup s(folder.path());
        s.state.TestMode = true;
        bool lockHeldAtDatabase = false;
        std::future<void> windowStarted = s.window.menuInstalled.get_future();
        MenuStartup startup(s.state, [&](AppState& state, QString*) {
            // Begun early, the step goes on while the window starts; a step that held the
            // window up would wait here in vain.
            if (windowStarted.wait_for(std::chrono::seconds(5)) != std::future_status::ready)
                return false;
            s.window.steps << QStringLiteral("database");
            lockHeldAtDatabase = QFile::exists(state.folder.file(QStringLiteral("Orv21.lock")));
            // The profile is loaded before the database step.
            return state.profile.sectionCount() == 1;
        });
        if (begunEarly)
            startup.begin();
        QVERIFY(startup.Form_Load(s.window));
        QCOMPARE(s.window.steps,
                 QStringList({QStringLiteral("menu"), QStringLiteral("database"),
                              QStringLiteral("navigate /MainMenu/MainMenuFr.htm permit=1"),
                              QStringLiteral("place"), QStringLiteral("wait permit=1")}));
        QVERIFY(lockHeldAtDatabase);
        QVERIFY(!s.state.TestMode);
        QVERIFY(!s.state.NavPermit);
        QCOMPARE(s.boxes.count(), 0);
    }

    void aMissingProfileIsReportedAndStartUpGoesOn()
    {
        test::TempFolder folder;
        Startup s(folder.path());
        MenuStartup startup(s.state, [](AppState&, QString*) { return true; });
        QVERIFY(startup.Form_Load(s.window));
        QVERIFY(s.boxes.count() >= 1);
        QCOMPARE(s.boxes.shown().first().title, QStringLiteral("SetPrivateAppBuf"));
        QCOMPARE(s.window.steps.size(), 4);
    }

    void aSecondInstanceEndsBeforeTheDatabase_data()
    {
        QTest::addColumn<bool>("begunEarly");
        QTest::newRow("begun by the load") << false;
        QTest::newRow("begun before the window") << true;
    }

    void aSecondInstanceEndsBeforeTheDatabase()
    {
        QFETCH(bool, begunEarly);
        test::TempFolder folder;
        folder.write(QStringLiteral("Orv21.PRA"), "");
        Startup first(folder.path());
        MenuStartup running(first.state, [](AppState&, QString*) { return true; });
        QVERIFY(running.Form_Load(first.window));

        Startup second(folder.path());
        bool databaseTouched = false;
        auto another = std::make_unique<MenuStartup>(second.state, [&](AppState&, QString*) {
            databaseTouched = true;
            return true;
        });
        if (begunEarly)
            another->begin();
        QVERIFY(!another->Form_Load(second.window));
        another.reset(); // a database step, had one begun, has ended now
        QVERIFY(!databaseTouched);
        QCOMPARE(second.window.steps, QStringList{QStringLiteral("menu")});
        QCOMPARE(second.boxes.count(), 1);
        QCOMPARE(second.boxes.last().text, QStringLiteral("既に起動されているので、終了します。"));
        QCOMPARE(second.boxes.last().style, 16);
        QCOMPARE(second.boxes.last().title, QStringLiteral("Orv2.1 施設ケア アセスメント表"));
    }

    // Only a running holder of the lock refuses the start; no state of the file does, and a
    // holder that was killed holds nothing.
    void onlyALivingHolderRefuses_data()
    {
        QTest::addColumn<QByteArray>("content"); // the lock file as left; "-" for none
        QTest::addColumn<QString>("holder");     // "alive", "killed" or ""
        QTest::addColumn<bool>("diskFull");
        QTest::addColumn<bool>("refused");
        const QByteArray stale = "2147483646\nOrv21\nhost\n";
        QTest::newRow("no file") << QByteArray("-") << "" << false << false;
        QTest::newRow("empty file") << QByteArray() << "" << false << false;
        QTest::newRow("garbage") << QByteArray("\xff\xfe\x00garbage\x01", 11) << "" << false
                                 << false;
        QTest::newRow("stale") << stale << "" << false << false;
        QTest::newRow("stale, disk full") << stale << "" << true << false;
        QTest::newRow("empty, disk full") << QByteArray() << "" << true << false;
        QTest::newRow("holder killed") << QByteArray("-") << "killed" << false << false;
        QTest::newRow("holder alive") << QByteArray("-") << "alive" << false << true;
        QTest::newRow("holder alive, disk full") << QByteArray("-") << "alive" << true << true;
    }

    void onlyALivingHolderRefuses()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, holder);
        QFETCH(bool, diskFull);
        QFETCH(bool, refused);
        test::TempFolder folder;
        folder.write(QStringLiteral("Orv21.PRA"), "");
        const QString lockFile = folder.file(QStringLiteral("Orv21.lock"));
        if (content != "-")
            folder.write(QStringLiteral("Orv21.lock"), content);
        std::unique_ptr<test::HoldingChild> child;
        if (!holder.isEmpty()) {
            child = std::make_unique<test::HoldingChild>([&] {
                // held by the child until it is killed
                return (new SingleInstance(lockFile))->acquire() == SingleInstance::Outcome::Alone;
            });
            QVERIFY(child->holds());
            if (holder == QLatin1String("killed"))
                child->release();
        }
        Startup s(folder.path());
        bool databaseTouched = false;
        MenuStartup startup(s.state, [&](AppState&, QString*) {
            databaseTouched = true;
            return true;
        });
        bool started = false;
        {
            std::unique_ptr<test::FileSizeLimit> full;
            if (diskFull)
                full = std::make_unique<test::FileSizeLimit>(0);
            started = startup.Form_Load(s.window);
        }
        child.reset();
        QCOMPARE(started, !refused);
        QCOMPARE(databaseTouched, !refused);
        QCOMPARE(s.boxes.texts(),
                 refused ? QStringList{MenuStartup::AlreadyRunningText} : QStringList());
    }

    // A lock file that cannot be opened (another user's) cannot tell whether that user runs
    // the program: the start ends naming the file, before the record file is touched.
    void aLockFileThatCannotBeOpenedRefuses()
    {
        test::TempFolder folder;
        folder.write(QStringLiteral("Orv21.PRA"), "");
        const QString lockFile = folder.write(QStringLiteral("Orv21.lock"), QByteArray());
        const bool asOtherUser = test::OtherUser::available();
        if (asOtherUser)
            QVERIFY(test::OtherUser::hand(folder.path()) &&
                    ::chown(QFile::encodeName(lockFile), 0, 0) == 0);
        QVERIFY(QFile::setPermissions(lockFile,
                                      asOtherUser ? QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                  : QFileDevice::Permissions()));
        const auto start = [&] {
            Startup s(folder.path());
            bool databaseTouched = false;
            MenuStartup startup(s.state, [&](AppState&, QString*) {
                databaseTouched = true;
                return true;
            });
            const bool started = startup.Form_Load(s.window);
            return QStringList{QString::number(started), QString::number(databaseTouched)} +
                   s.boxes.texts();
        };
        const QStringList outcome = asOtherUser ? QString::fromUtf8(test::OtherUser::run([&] {
                                                      return start().join(QChar(0x1f)).toUtf8();
                                                  })).split(QChar(0x1f))
                                                : start();
        QCOMPARE(outcome.mid(0, 2), (QStringList{"0", "0"}));
        QCOMPARE(outcome.size(), 3);
        QVERIFY2(
            outcome.at(2).startsWith(
                QStringLiteral("'%1' を開けないため、ほかにこのプログラムを使っている人がいるか"
                               "どうか確かめられません。ほかに使っている人がいないことを確かめ"
                               "てから 'Orv21.lock' を削除し、もう一度起動してください。\n")
                    .arg(lockFile)),
            qPrintable(outcome.at(2)));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
                 (QStringList{"Orv21.lock", "Orv21.PRA"}));
    }

    void aDatabaseFailureEndsStartUpWithItsMessage()
    {
        test::TempFolder folder;
        folder.write(QStringLiteral("Orv21.PRA"), "");
        Startup s(folder.path());
        MenuStartup startup(s.state, [](AppState&, QString* error) {
            *error = QStringLiteral("Orv21.db を開けません。");
            return false;
        });
        QVERIFY(!startup.Form_Load(s.window));
        QCOMPARE(s.window.steps, QStringList{QStringLiteral("menu")});
        QCOMPARE(s.boxes.count(), 1);
        QCOMPARE(s.boxes.last().text, QStringLiteral("Orv21.db を開けません。"));
        QCOMPARE(s.boxes.last().style, 16);
        QVERIFY(!s.state.NavPermit);
    }

    // Without its menu page the program says which file is missing and ends.
    void aMissingMenuPageEndsStartUp()
    {
        test::TempFolder folder;
        folder.write(QStringLiteral("Orv21.PRA"), "");
        Startup s(folder.path());
        s.window.pageThere = false;
        MenuStartup startup(s.state, [](AppState&, QString*) { return true; });
        QVERIFY(!startup.Form_Load(s.window));
        QCOMPARE(s.window.steps.size(), 2);
        QCOMPARE(s.boxes.count(), 1);
        QVERIFY(s.boxes.last().text.startsWith(
            QStringLiteral("画面のファイル '%1' が見つかりません。")
                .arg(folder.file(QStringLiteral("MainMenu/MainMenuFr.htm")))));
        QCOMPARE(s.boxes.last().style, 16);
        QVERIFY(!s.state.NavPermit);
    }

    void theGuard_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("navPermit");
        QTest::addColumn<bool>("cancelled");
        const QString base = QStringLiteral("file:///opt/オーブ/MainMenu/");
        QTest::newRow("menu page") << base + "MainMenu.htm" << false << false;
        QTest::newRow("upper case") << base + "MAINMENU.HTM" << false << false;
        QTest::newRow("lower case") << base + "mainmenu.htm" << false << false;
        QTest::newRow("other folder")
            << QStringLiteral("file:///tmp/x/mainMenu.Htm") << false << false;
        QTest::newRow("file name alone") << QStringLiteral("MainMenu.htm") << false << false;
        QTest::newRow("frame set after start-up") << base + "MainMenuFr.htm" << false << true;
        QTest::newRow("frame set during start-up") << base + "MainMenuFr.htm" << true << false;
        QTest::newRow("fourth letter of the extension") << base + "MainMenu.html" << false << true;
        QTest::newRow("a query") << base + "MainMenu.htm?a" << false << true;
        QTest::newRow("a fragment") << base + "MainMenu.htm#" << false << true;
        QTest::newRow("query while the program navigates")
            << base + "MainMenu.htm?a" << true << false;
        QTest::newRow("entry page") << QStringLiteral("file:///opt/FORM/A.HTM") << false << true;
        QTest::newRow("web site") << QStringLiteral("http://example.com/") << false << true;
        QTest::newRow("short url") << QStringLiteral("a.htm") << false << true;
        QTest::newRow("empty") << QString() << false << true;
        QTest::newRow("empty while permitted") << QString() << true << false;
    }

    void theGuard()
    {
        QFETCH(QString, url);
        QFETCH(bool, navPermit);
        QFETCH(bool, cancelled);
        QCOMPARE(MenuNavigationGuard::cancels(url, navPermit), cancelled);
    }

    void theKeyHandler_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("shift");
        QTest::addColumn<int>("keyAfter");
        QTest::addColumn<bool>("kentei");
        using K = MenuKeys;
        QTest::newRow("Ctrl+N") << K::KeyN << int(K::Ctrl) << 0 << false;
        QTest::newRow("Ctrl+Shift+N") << K::KeyN << (K::Ctrl | K::Shift) << 0 << false;
        QTest::newRow("Ctrl+Alt+N") << K::KeyN << (K::Ctrl | K::Alt) << 0 << false;
        QTest::newRow("N alone") << K::KeyN << 0 << K::KeyN << false;
        QTest::newRow("Shift+N") << K::KeyN << int(K::Shift) << K::KeyN << false;
        QTest::newRow("Alt+N") << K::KeyN << int(K::Alt) << K::KeyN << false;
        QTest::newRow("Ctrl+Alt+Shift+Pause")
            << K::KeyPause << (K::Ctrl | K::Alt | K::Shift) << K::KeyPause << true;
        QTest::newRow("Ctrl+Alt+Pause")
            << K::KeyPause << (K::Ctrl | K::Alt) << K::KeyPause << false;
        QTest::newRow("Pause alone") << K::KeyPause << 0 << K::KeyPause << false;
        QTest::newRow("Ctrl+Alt+Shift+M") << 77 << (K::Ctrl | K::Alt | K::Shift) << 77 << false;
    }

    void theKeyHandler()
    {
        QFETCH(int, key);
        QFETCH(int, shift);
        QFETCH(int, keyAfter);
        QFETCH(bool, kentei);
        int keyCode = key;
        QCOMPARE(MenuKeys::Form_KeyDown(keyCode, shift), kentei);
        QCOMPARE(keyCode, keyAfter);
    }

    void qtKeysMapToTheHandlersCodes()
    {
        QCOMPARE(MenuKeys::keyCodeOf(Qt::Key_N), 78);
        QCOMPARE(MenuKeys::keyCodeOf(Qt::Key_Pause), 19);
        // X11 reports Pause held with Ctrl as Break, a key Qt has no code for.
        QCOMPARE(MenuKeys::keyCodeOf(0, 0xFF6B), 19);
        QCOMPARE(MenuKeys::keyCodeOf(0, 0xFF13), 0);
        QCOMPARE(MenuKeys::shiftMaskOf(int(Qt::ControlModifier | Qt::ShiftModifier)), 3);
        QCOMPARE(MenuKeys::shiftMaskOf(int(Qt::ControlModifier | Qt::AltModifier |
                                           Qt::ShiftModifier | Qt::KeypadModifier)),
                 7);
    }
};

QTEST_GUILESS_MAIN(TestMenuStartup)
#include "tst_menustartup.moc"
