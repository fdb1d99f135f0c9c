#pragma once

#include <QQueue>
#include <QUrl>
#include <QVariant>
#include <QWebEngineView>

#include <functional>

namespace orv {

class WebBrowserPage;

// The browser that shows the program's local pages. Pages command the program by assigning
// window.status; every navigation is offered to the owner first. No wait on the page lasts
// longer than the wait limit, and none outlasts the page's renderer process.
class WebBrowser : public QWebEngineView
{
    Q_OBJECT
public:
    enum ReadyState
    {
        Uninitialized = 0,
        Loading = 1,
        Complete = 4
    };

    static constexpr int DefaultWaitLimitMs = 30000;
    static const QString RendererEndedText;

    explicit WebBrowser(QWidget* parent = nullptr);

    // The program's own navigation to a local file; false, with nothing loaded and the shown
    // page left as it is, when there is no readable file there.
    bool navigate(const QString& filePath);
    static bool isShowable(const QString& filePath);
    // The file of the program's last own navigation.
    QString ownPage() const { return m_ownPage; }
    // Complete (4) once the page has completely loaded, lower while it loads.
    int readyState() const { return m_readyState; }
    // Lets the event loop run until the page is complete; false, with the reason in failure,
    // when the wait limit passed, the renderer ended or the browser went away first.
    bool waitUntilComplete(QString* failure = nullptr);
    // Runs a script in the page's main frame and returns its result; the event loop runs
    // meanwhile. An invalid QVariant, with the reason in failure, when the page did not
    // answer within the wait limit, its renderer ended or the browser went away first.
    QVariant runScript(const QString& js, QString* failure = nullptr);
    // Sets window.status of the page (which raises statusTextChanged once more) without
    // waiting: the page runs it before any script asked for later. False when the page's
    // renderer has ended.
    bool setStatusText(const QString& text);
    // While held, what the page assigns to window.status waits, in order, for the release.
    void holdStatus(bool held);
    // From the end of the page's renderer process until the program's next navigation.
    bool rendererEnded() const { return m_rendererEnded; }
    void setWaitLimit(int milliseconds) { m_waitLimitMs = milliseconds; }

signals:
    // Every assignment to window.status, in order.
    void statusTextChanged(const QString& text);
    // Navigation guard: set *cancel to refuse.
    void beforeNavigate(const QUrl& url, bool* cancel);
    // A page asked for a local file that is not there; the navigation was refused (the
    // browser would show its own English error page instead).
    void pageMissing(const QString& filePath);
    // The page's renderer process ended (it crashed or was killed): the page is gone until the
    // next navigation. Raised outside the engine's callbacks.
    void renderProcessEnded();

private:
    enum class WaitEnd
    {
        Done,
        TimedOut,
        RendererEnded,
        BrowserGone
    };

    void installPage();
    void onNavigationRequested(const QUrl& url, bool isMainFrame, bool* cancel);
    void onRenderProcessTerminated();
    WaitEnd waitFor(const std::function<bool()>& done);
    // The reason of a wait that ended otherwise than by the time limit.
    static QString failureText(WaitEnd end);
    void scheduleStatusDelivery();
    void deliverStatus();

    WebBrowserPage* m_page = nullptr;
    int m_readyState = Uninitialized;
    bool m_ownNavigationPending = false;
    QString m_ownPage;
    bool m_rendererEnded = false;
    int m_waitLimitMs = DefaultWaitLimitMs;
    QQueue<QString> m_pendingStatus;
    int m_scriptsRunning = 0;
    bool m_deliveryScheduled = false;
    bool m_statusHeld = false;
};

} // namespace orv
