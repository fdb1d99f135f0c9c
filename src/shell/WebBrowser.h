#pragma once

#include <QQueue>
#include <QUrl>
#include <QVariant>
#include <QWebEngineView>

namespace orv {

class WebBrowserPage;

// The browser that shows the program's local pages. Pages command the program by assigning
// window.status; every navigation is offered to the owner first.
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

    explicit WebBrowser(QWidget* parent = nullptr);

    // The program's own navigation to a local file; false, with nothing loaded and the shown
    // page left as it is, when there is no readable file there.
    bool navigate(const QString& filePath);
    static bool isShowable(const QString& filePath);
    // Complete (4) once the page has completely loaded, lower while it loads.
    int readyState() const { return m_readyState; }
    // Lets the event loop run until the page is complete; no time limit.
    void waitUntilComplete();
    // Runs a script in the page's main frame and returns its result; the event loop runs
    // meanwhile. An invalid QVariant when the page went away first.
    QVariant runScript(const QString& js);
    // Sets window.status of the page (which raises statusTextChanged once more).
    void setStatusText(const QString& text);
    // While held, what the page assigns to window.status waits, in order, for the release.
    void holdStatus(bool held);

signals:
    // Every assignment to window.status, in order.
    void statusTextChanged(const QString& text);
    // Navigation guard: set *cancel to refuse.
    void beforeNavigate(const QUrl& url, bool* cancel);
    // A page asked for a local file that is not there; the navigation was refused (the
    // browser would show its own English error page instead).
    void pageMissing(const QString& filePath);

private:
    void onNavigationRequested(const QUrl& url, bool isMainFrame, bool* cancel);
    void scheduleStatusDelivery();
    void deliverStatus();

    WebBrowserPage* m_page;
    int m_readyState = Uninitialized;
    bool m_ownNavigationPending = false;
    QQueue<QString> m_pendingStatus;
    int m_scriptsRunning = 0;
    bool m_deliveryScheduled = false;
    bool m_statusHeld = false;
};

} // namespace orv
