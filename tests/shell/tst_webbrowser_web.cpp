#include "data/MemoryPageDocument.h"
#include "shell/WebBrowser.h"
#include "shell/WebBrowserPage.h"
#include "shell/WebPageDocument.h"

#include "support/TempFolder.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>

#include <chrono>
#include <csignal>
#include <thread>

using namespace orv;

namespace {

void writePage(const QString& path, const QString& body)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>%1"
                              "</body></html>")
                   .arg(body)
                   .toUtf8());
}

// Lets the event loop run, as the program's own waits do, until done() holds or ten seconds
// have passed.
bool runUntil(const std::function<bool()>& done)
{
    const QDeadlineTimer deadline(10000);
    QTimer limit;
    limit.setTimerType(Qt::PreciseTimer);
    limit.start(10000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

QStringList texts(const QSignalSpy& spy)
{
    QStringList result;
    for (const QList<QVariant>& args : spy)
        result << args.at(0).toString();
    return result;
}

} // namespace

class TestWebBrowser : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_folder = std::make_unique<orv::test::TempFolder>();
        m_browser = std::make_unique<WebBrowser>();
        m_browser->resize(400, 300);
        m_browser->show();
    }
    void cleanup()
    {
        m_browser.reset();
        m_folder.reset();
    }

    void readyStateFollowsTheLoad()
    {
        QCOMPARE(m_browser->readyState(), 0);
        const QString page = m_folder->file("a.htm");
        writePage(page, QStringLiteral("<p id=\"p\">あいう</p>"));
        m_browser->navigate(page);
        QVERIFY(m_browser->readyState() < 4);
        m_browser->waitUntilComplete();
        QCOMPARE(m_browser->readyState(), 4);
        QCOMPARE(m_browser->runScript(QStringLiteral("document.getElementById('p').textContent"))
                     .toString(),
                 QStringLiteral("あいう"));
    }

    void statusAssignmentsArriveInOrder()
    {
        const QString page = m_folder->file("s.htm");
        writePage(page, QStringLiteral("<script>function go(){ window.status='?ASS_NEW';"
                                       " window.status='#B|B.HTM'; window.status='?終了'; }"
                                       "</script>"));
        m_browser->navigate(page);
        m_browser->waitUntilComplete();
        QSignalSpy spy(m_browser.get(), &WebBrowser::statusTextChanged);
        m_browser->runScript(QStringLiteral("go()"));
        QTRY_COMPARE(spy.count(), 3);
        QCOMPARE(texts(spy), QStringList({QStringLiteral("?ASS_NEW"), QStringLiteral("#B|B.HTM"),
                                          QStringLiteral("?終了")}));
        QCOMPARE(m_browser->runScript(QStringLiteral("window.status")).toString(),
                 QStringLiteral("?終了"));
    }

    void settingTheStatusRaisesTheEventAgain()
    {
        const QString page = m_folder->file("c.htm");
        writePage(page, QStringLiteral("x"));
        m_browser->navigate(page);
        m_browser->waitUntilComplete();
        QSignalSpy spy(m_browser.get(), &WebBrowser::statusTextChanged);
        m_browser->runScript(QStringLiteral("window.status='?QUIT'"));
        m_browser->setStatusText(QString());
        QTRY_COMPARE(spy.count(), 2);
        QCOMPARE(texts(spy), QStringList({QStringLiteral("?QUIT"), QString()}));
        QCOMPARE(m_browser->runScript(QStringLiteral("window.status")).toString(), QString());
        m_browser->setStatusText(QStringLiteral("引用符 \" ' \\ と改行\r\n"));
        QTRY_COMPARE(spy.count(), 3);
        QCOMPARE(spy.at(2).at(0).toString(), QStringLiteral("引用符 \" ' \\ と改行\r\n"));
    }

    void framesForwardTheirStatusToo()
    {
        const QString inner = m_folder->file("inner.htm");
        writePage(inner, QStringLiteral("<button id=\"b\" onclick=\"window.status='?FACE_NEW'\">"
                                        "b</button>"));
        const QString outer = m_folder->file("outer.htm");
        QFile file(outer);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html><frameset rows=\"50%,*\"><frame name=\"top\" src=\"inner.htm\">"
                   "<frame name=\"bottom\" src=\"inner.htm\"></frameset></html>");
        file.close();
        QSignalSpy guard(m_browser.get(), &WebBrowser::beforeNavigate);
        m_browser->navigate(outer);
        m_browser->waitUntilComplete();
        QCOMPARE(guard.count(), 3); // the frameset and both frames
        QSignalSpy spy(m_browser.get(), &WebBrowser::statusTextChanged);
        m_browser->runScript(
            QStringLiteral("window.frames[1].document.getElementById('b').click()"));
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("?FACE_NEW"));
    }

    void theGuardCancelsWhatThePageStarts()
    {
        const QString first = m_folder->file("first.htm");
        const QString second = m_folder->file("second.htm");
        writePage(first, QStringLiteral("<a id=\"l\" href=\"second.htm\">next</a>"));
        writePage(second, QStringLiteral("second"));
        m_browser->navigate(first);
        m_browser->waitUntilComplete();

        QList<QUrl> asked;
        connect(m_browser.get(), &WebBrowser::beforeNavigate, this,
                [&asked](const QUrl& url, bool* cancel) {
                    asked << url;
                    *cancel = true;
                });
        // A refused navigation ends as a load that failed, where a load let through would end
        // on the second page.
        QSignalSpy ended(m_browser->page(), &QWebEnginePage::loadFinished);
        m_browser->runScript(QStringLiteral("document.getElementById('l').click()"));
        QTRY_COMPARE(asked.size(), 1);
        QCOMPARE(asked.at(0), QUrl::fromLocalFile(second));
        QVERIFY(!ended.isEmpty() || ended.wait(5000));
        QCOMPARE(ended.first().at(0).toBool(), false);
        QCOMPARE(m_browser->url(), QUrl::fromLocalFile(first));
        QCOMPARE(m_browser->readyState(), 4);

        // The program's own navigation refused as well: the wait must still end.
        m_browser->navigate(second);
        m_browser->waitUntilComplete();
        QCOMPARE(m_browser->url(), QUrl::fromLocalFile(first));
    }

    void scriptsNestInsideStatusHandlers()
    {
        const QString page = m_folder->file("n.htm");
        writePage(page, QStringLiteral("<script>var n = 0;</script>"));
        m_browser->navigate(page);
        m_browser->waitUntilComplete();
        QStringList seen;
        connect(m_browser.get(), &WebBrowser::statusTextChanged, this,
                [this, &seen](const QString& text) {
                    if (text.isEmpty())
                        return;
                    m_browser->setStatusText(QString());
                    seen << text + QLatin1Char('=') +
                                m_browser->runScript(QStringLiteral("++n")).toString();
                });
        for (int i = 0; i < 30; ++i)
            m_browser->runScript(QStringLiteral("window.status = '?' + %1; n").arg(i));
        QTRY_COMPARE(seen.size(), 30);
        QCOMPARE(seen.first(), QStringLiteral("?0=1"));
        QCOMPARE(seen.last(), QStringLiteral("?29=30"));
    }

    // A start: the page loads while the program is busy and posts a command at once; the command
    // is let through, the program waits for the page, and the command, delivered inside that
    // wait, clears the status and reads the page as the entry commands do. No wait may hang.
    void commandsPostedAtLoadNeverHang()
    {
        const QStringList pages = {m_folder->file("first.htm"), m_folder->file("second.htm")};
        for (int p = 0; p < 2; ++p)
            writePage(pages[p],
                      QStringLiteral("<script>onload = function () {"
                                     " window.status = '?%1'; };</script><p id=\"p\">%1</p>")
                          .arg(p));
        m_browser->setWaitLimit(5000); // a wait that hangs fails in seconds
        int posted = 0;
        connect(static_cast<WebBrowserPage*>(m_browser->page()), &WebBrowserPage::statusAssigned,
                this, [&posted](const QString& text) { posted += text.isEmpty() ? 0 : 1; });
        QStringList handled;
        connect(
            m_browser.get(), &WebBrowser::statusTextChanged, this,
            [this, &handled](const QString& text) {
                if (text.isEmpty())
                    return;
                QString failure;
                const bool cleared = m_browser->setStatusText(QString());
                const QString body =
                    m_browser
                        ->runScript(QStringLiteral("document.getElementById('p').textContent"),
                                    &failure)
                        .toString();
                handled << QStringLiteral("%1 %2 %3").arg(text, body, cleared ? "cleared" : "") +
                               failure;
            });
        constexpr int starts = 400;
        QStringList expected;
        for (int i = 0; i < starts; ++i) {
            m_browser->holdStatus(true);
            QVERIFY(m_browser->navigate(pages[i % 2]));
            QVERIFY2(runUntil([&] { return posted > i; }), qPrintable(QString::number(i)));
            m_browser->holdStatus(false);
            // The engine goes on meanwhile, as while the window is placed.
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            QString failure;
            QVERIFY2(m_browser->waitUntilComplete(&failure), qPrintable(failure));
            QVERIFY2(runUntil([&] { return handled.size() > i; }), qPrintable(QString::number(i)));
            expected << QStringLiteral("?%1 %1 cleared").arg(i % 2);
        }
        QCOMPARE(handled, expected);
    }

    // A renderer that ends (here killed) ends the wait on it at once; until the next navigation
    // every wait and script fails at once with the reason, and the end is told once.
    void aRendererThatEndsEndsTheWaits()
    {
        const QString page = m_folder->file("k.htm");
        writePage(page, QStringLiteral("<form><input name=orv_A1 value=あ></form>"));
        m_browser->navigate(page);
        QVERIFY(m_browser->waitUntilComplete());
        QSignalSpy ended(m_browser.get(), &WebBrowser::renderProcessEnded);
        m_browser->setWaitLimit(5000);
        const qint64 pid = m_browser->page()->renderProcessPid();
        QVERIFY(pid > 0);
        // The page is busy for good; only the end of its renderer can end the wait.
        QTimer::singleShot(200, this, [pid] { ::kill(pid_t(pid), SIGKILL); });
        QString failure;
        const QVariant answer = m_browser->runScript(QStringLiteral("for (;;) {}"), &failure);
        QVERIFY(!answer.isValid());
        QCOMPARE(failure, WebBrowser::RendererEndedText);
        QVERIFY(m_browser->rendererEnded());

        failure.clear();
        QVERIFY(!m_browser->runScript(QStringLiteral("1"), &failure).isValid());
        QCOMPARE(failure, QStringLiteral("画面を表示するプロセスが終了しました。"));
        QVERIFY(!m_browser->setStatusText(QString()));
        WebPageDocument document(*m_browser);
        QVector<PageElement> elements;
        QString error;
        QVERIFY(!document.readValues(&elements, &error));
        QCOMPARE(error, WebBrowser::RendererEndedText);
        QVERIFY(elements.isEmpty());
        QVERIFY(!document.setStatus(QString(), &error));
        QTRY_COMPARE(ended.count(), 1);

        m_browser->navigate(page);
        QVERIFY(m_browser->waitUntilComplete());
        QVERIFY(!m_browser->rendererEnded());
        QVERIFY(document.readValues(&elements));
        QCOMPARE(elements.value(0).value, QStringLiteral("あ"));
        QCOMPARE(ended.count(), 1);
    }

    // A page that never answers: the wait gives up at its limit and says so.
    void aPageThatNeverAnswersIsGivenUp()
    {
        const QString page = m_folder->file("h.htm");
        writePage(page, QStringLiteral("x"));
        m_browser->navigate(page);
        QVERIFY(m_browser->waitUntilComplete());
        m_browser->setWaitLimit(1000);
        QString failure;
        QVERIFY(!m_browser->runScript(QStringLiteral("for (;;) {}"), &failure).isValid());
        QCOMPARE(failure, QStringLiteral("画面が1秒以内に応答しませんでした。"));
        QVERIFY(!m_browser->rendererEnded());
        ::kill(pid_t(m_browser->page()->renderProcessPid()), SIGKILL);
    }

    // The page fills its inputs by the rule the program applies to a page held in memory.
    void pageFillFollowsTheBindingRule()
    {
        const QString page = m_folder->file("f.htm");
        writePage(page, QStringLiteral(
                            "<form><input name=orv_A1_1><input name=orv_a2 type=hidden>"
                            "<textarea name=orv_A3>前</textarea><input name=orv_A4 value=前>"
                            "<input name=orv_A5 type=checkbox><input name=orv_A6 type=checkbox "
                            "checked><input name=ORV_A1_1 value=前><input name=orv value=前>"
                            "<input name=orvXA1_1 value=前><select name=orv_A7><option>1"
                            "<option>2</select><input name=orv_A8 type=radio>"
                            "<input name=orv_A9 value=前></form>"));
        m_browser->navigate(page);
        m_browser->waitUntilComplete();
        const BoundTexts texts = {{"A1-1", "佐藤"}, {"A2", "4"}, {"A3", "長い文"}, {"A5", "1"},
                                  {"A6", "0"},      {"A7", "2"}, {"A9", "後%2"}};
        WebPageDocument web(*m_browser);
        QVector<PageElement> elements;
        QVERIFY(web.readValues(&elements));
        MemoryPageDocument memory(elements);

        FillStop webStop;
        FillStop memoryStop;
        for (int from : {0, 11}) {
            QVERIFY(web.fill(texts, from, &webStop));
            QVERIFY(memory.fill(texts, from, &memoryStop));
            QCOMPARE(webStop.index, from == 0 ? 10 : -1);
            QCOMPARE(memoryStop.index, webStop.index);
            QCOMPARE(webStop.type, memoryStop.type);
        }
        QVERIFY(web.readValues(&elements));
        QCOMPARE(elements.size(), memory.elements().size());
        for (int i = 0; i < elements.size(); ++i) {
            QCOMPARE(elements[i].value, memory.elements()[i].value);
            QCOMPARE(elements[i].checked, memory.elements()[i].checked);
        }
        QCOMPARE(elements[1].value, QStringLiteral("4"));
        QCOMPARE(elements[8].value, QStringLiteral("佐藤"));
        QCOMPARE(elements[11].value, QStringLiteral("後%2"));
    }

private:
    std::unique_ptr<orv::test::TempFolder> m_folder;
    std::unique_ptr<WebBrowser> m_browser;
};

QTEST_MAIN(TestWebBrowser)
#include "tst_webbrowser_web.moc"
