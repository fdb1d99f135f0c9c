#include "shell/WebBrowser.h"

#include "shell/WebBrowserPage.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonValue>
#include <QPointer>
#include <QTimer>
#include <QWebEngineScript>

#include <memory>
#include <optional>

namespace orv {

const QString WebBrowser::RendererEndedText =
    QStringLiteral("画面を表示するプロセスが終了しました。");

WebBrowser::WebBrowser(QWidget* parent) : QWebEngineView(parent)
{
    installPage();
}

void WebBrowser::installPage()
{
    // The view deletes the page it replaces, a child of its own.
    m_page = new WebBrowserPage(this);
    setPage(m_page);
    connect(m_page, &WebBrowserPage::navigationRequested, this, &WebBrowser::onNavigationRequested);
    connect(m_page, &WebBrowserPage::statusAssigned, this, [this](const QString& text) {
        m_pendingStatus.enqueue(text);
        scheduleStatusDelivery();
    });
    connect(m_page, &QWebEnginePage::loadStarted, this, [this] { m_readyState = Loading; });
    // A page that fails to load shows as it is, as the old control did with its error page.
    connect(m_page, &QWebEnginePage::loadFinished, this, [this](bool) {
        m_ownNavigationPending = false;
        m_readyState = Complete;
    });
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
            &WebBrowser::onRenderProcessTerminated);
}

bool WebBrowser::isShowable(const QString& filePath)
{
    const QFileInfo file(filePath);
    return file.isFile() && file.isReadable();
}

bool WebBrowser::navigate(const QString& filePath)
{
    if (!isShowable(filePath))
        return false;
    // Loading at once: a wait right after this call must not see the previous page complete.
    m_readyState = Loading;
    m_ownNavigationPending = true;
    m_ownPage = filePath;
    // A page whose renderer ended does not come back whole in a new one (its frames may no
    // longer tell their status): the load goes into a fresh page.
    if (std::exchange(m_rendererEnded, false))
        installPage();
    load(QUrl::fromLocalFile(filePath));
    return true;
}

void WebBrowser::onNavigationRequested(const QUrl& url, bool isMainFrame, bool* cancel)
{
    emit beforeNavigate(url, cancel);
    if (!*cancel && url.isLocalFile() && !isShowable(url.toLocalFile())) {
        *cancel = true;
        emit pageMissing(url.toLocalFile());
    }
    if (*cancel && isMainFrame && m_ownNavigationPending) {
        // A refused navigation leaves the shown page as it was.
        m_ownNavigationPending = false;
        m_readyState = Complete;
    }
}

void WebBrowser::onRenderProcessTerminated()
{
    m_rendererEnded = true;
    // What the page said before it went is not acted on: there is no page to act on.
    m_pendingStatus.clear();
    QMetaObject::invokeMethod(
        this, [this] { emit renderProcessEnded(); }, Qt::QueuedConnection);
}

WebBrowser::WaitEnd WebBrowser::waitFor(const std::function<bool()>& done)
{
    const QPointer<WebBrowser> alive(this);
    const QDeadlineTimer deadline(m_waitLimitMs);
    QTimer limit; // wakes the loop at the deadline when nothing else does
    limit.setSingleShot(true);
    limit.setTimerType(Qt::PreciseTimer); // a coarse one may fire before the deadline
    for (;;) {
        // The glib event loop does not wake for events posted before the one this wait runs
        // in: the engine's own work queued there would never run, and its answer never come.
        QCoreApplication::sendPostedEvents();
        if (!alive)
            return WaitEnd::BrowserGone;
        if (done())
            return WaitEnd::Done;
        if (m_rendererEnded)
            return WaitEnd::RendererEnded;
        if (deadline.hasExpired())
            return WaitEnd::TimedOut;
        if (!limit.isActive())
            limit.start(int(deadline.remainingTime()) + 1);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

QString WebBrowser::failureText(WaitEnd end)
{
    switch (end) {
    case WaitEnd::Done:
    case WaitEnd::TimedOut:
        break;
    case WaitEnd::RendererEnded:
        return RendererEndedText;
    case WaitEnd::BrowserGone:
        return QStringLiteral("画面が閉じられました。");
    }
    return QString();
}

bool WebBrowser::waitUntilComplete(QString* failure)
{
    const WaitEnd end = waitFor([this] { return m_readyState == Complete; });
    if (end == WaitEnd::Done)
        return true;
    if (failure) {
        *failure = end != WaitEnd::TimedOut
                       ? failureText(end)
                       : QStringLiteral("画面 '%1' の読み込みが%2秒以内に終わりませんでした。")
                             .arg(QDir::toNativeSeparators(m_ownPage))
                             .arg(m_waitLimitMs / 1000);
    }
    return false;
}

QVariant WebBrowser::runScript(const QString& js, QString* failure)
{
    auto answer = std::make_shared<std::optional<QVariant>>();
    WaitEnd end = WaitEnd::RendererEnded;
    if (!m_rendererEnded) {
        m_page->runJavaScript(js, QWebEngineScript::MainWorld,
                              [answer](const QVariant& value) { *answer = value; });
        ++m_scriptsRunning;
        end = waitFor([answer] { return answer->has_value(); });
        if (end != WaitEnd::BrowserGone) {
            --m_scriptsRunning;
            scheduleStatusDelivery();
        }
    }
    if (end == WaitEnd::Done)
        return **answer;
    if (failure) {
        *failure =
            end != WaitEnd::TimedOut
                ? failureText(end)
                : QStringLiteral("画面が%1秒以内に応答しませんでした。").arg(m_waitLimitMs / 1000);
    }
    return QVariant();
}

void WebBrowser::scheduleStatusDelivery()
{
    if (m_deliveryScheduled || m_pendingStatus.isEmpty())
        return;
    m_deliveryScheduled = true;
    QMetaObject::invokeMethod(this, &WebBrowser::deliverStatus, Qt::QueuedConnection);
}

void WebBrowser::deliverStatus()
{
    m_deliveryScheduled = false;
    QPointer<WebBrowser> alive(this);
    // A handler runs outside the engine's callbacks and never while a script's result is
    // awaited: the engine delivers no second result to a wait nested in the first.
    while (alive && m_scriptsRunning == 0 && !m_statusHeld && !m_pendingStatus.isEmpty())
        emit statusTextChanged(m_pendingStatus.dequeue());
}

void WebBrowser::holdStatus(bool held)
{
    m_statusHeld = held;
    scheduleStatusDelivery();
}

bool WebBrowser::setStatusText(const QString& text)
{
    if (m_rendererEnded)
        return false;
    const QString literal = QString::fromUtf8(
        QJsonDocument::fromVariant(QVariantList{text}).toJson(QJsonDocument::Compact));
    // literal is a one-element array; the assignment runs the status setter of the page.
    // Scripts of one frame run in the order they were asked for.
    m_page->runJavaScript(QStringLiteral("window.status = %1[0]; undefined;").arg(literal),
                          QWebEngineScript::MainWorld);
    return true;
}

} // namespace orv
