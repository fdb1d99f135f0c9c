#include "shell/WebBrowser.h"

#include "shell/WebBrowserPage.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonValue>
#include <QPointer>
#include <QWebEngineScript>

#include <memory>

namespace orv {

WebBrowser::WebBrowser(QWidget* parent) : QWebEngineView(parent), m_page(new WebBrowserPage(this))
{
    setPage(m_page);
    connect(m_page, &WebBrowserPage::navigationRequested, this, &WebBrowser::onNavigationRequested);
    // Queued: a handler may open a modal box or wait for a page, which must not happen inside
    // the engine's own callback. Queued events keep their order.
    connect(m_page, &WebBrowserPage::statusAssigned, this, &WebBrowser::statusTextChanged,
            Qt::QueuedConnection);
    connect(m_page, &QWebEnginePage::loadStarted, this, [this] { m_readyState = Loading; });
    // A page that fails to load shows as it is, as the old control did with its error page.
    connect(m_page, &QWebEnginePage::loadFinished, this, [this](bool) {
        m_ownNavigationPending = false;
        m_readyState = Complete;
    });
}

void WebBrowser::navigate(const QString& filePath)
{
    // Loading at once: a wait right after this call must not see the previous page complete.
    m_readyState = Loading;
    m_ownNavigationPending = true;
    load(QUrl::fromLocalFile(filePath));
}

void WebBrowser::onNavigationRequested(const QUrl& url, bool isMainFrame, bool* cancel)
{
    emit beforeNavigate(url, cancel);
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
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
}

QVariant WebBrowser::runScript(const QString& js)
{
    auto result = std::make_shared<QVariant>();
    auto done = std::make_shared<bool>(false);
    QEventLoop loop;
    QPointer<QEventLoop> loopAlive(&loop);
    m_page->runJavaScript(js, QWebEngineScript::MainWorld,
                          [result, done, loopAlive](const QVariant& value) {
                              *result = value;
                              *done = true;
                              if (loopAlive)
                                  loopAlive->quit();
                          });
    connect(m_page, &QWebEnginePage::renderProcessTerminated, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    if (!*done)
        loop.exec();
    return *result;
}

void WebBrowser::setStatusText(const QString& text)
{
    const QString literal = QString::fromUtf8(
        QJsonDocument::fromVariant(QVariantList{text}).toJson(QJsonDocument::Compact));
    // literal is a one-element array; the assignment runs the status setter of the page.
    runScript(QStringLiteral("window.status = %1[0]; undefined;").arg(literal));
}

} // namespace orv
