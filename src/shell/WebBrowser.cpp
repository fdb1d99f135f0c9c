#include "shell/WebBrowser.h"

#include "shell/WebBrowserPage.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonValue>
#include <QPointer>
#include <QTimer>
#include <QWebEngineScript>

#include <memory>

namespace orv {

WebBrowser::WebBrowser(QWidget* parent) : QWebEngineView(parent), m_page(new WebBrowserPage(this))
{
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

void WebBrowser::waitUntilComplete()
{
    QPointer<WebBrowser> alive(this);
    while (alive && m_readyState != Complete)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

QVariant WebBrowser::runScript(const QString& js)
{
    auto result = std::make_shared<QVariant>();
    auto done = std::make_shared<bool>(false);
    m_page->runJavaScript(js, QWebEngineScript::MainWorld, [result, done](const QVariant& value) {
        *result = value;
        *done = true;
    });
    QPointer<WebBrowser> alive(this);
    // A page that has just taken a key may run nothing more until it has drawn a frame, and the
    // view draws only when asked: it is asked while the answer is awaited.
    QTimer frames;
    frames.setInterval(100);
    connect(&frames, &QTimer::timeout, this,
            [this] { focusProxy() ? focusProxy()->update() : update(); });
    frames.start();
    ++m_scriptsRunning;
    while (!*done && alive)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (alive) {
        --m_scriptsRunning;
        scheduleStatusDelivery();
    }
    return *result;
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

void WebBrowser::setStatusText(const QString& text)
{
    const QString literal = QString::fromUtf8(
        QJsonDocument::fromVariant(QVariantList{text}).toJson(QJsonDocument::Compact));
    // literal is a one-element array; the assignment runs the status setter of the page.
    runScript(QStringLiteral("window.status = %1[0]; undefined;").arg(literal));
}

} // namespace orv
