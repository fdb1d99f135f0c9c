#include "shell/WebBrowserPage.h"

#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace orv {

WebBrowserPage::WebBrowserPage(QObject* parent) : QWebEnginePage(parent)
{
    QWebEngineScript bridge;
    bridge.setName(QStringLiteral("orv-status-bridge"));
    bridge.setSourceCode(statusBridgeSource());
    bridge.setInjectionPoint(QWebEngineScript::DocumentCreation);
    bridge.setWorldId(QWebEngineScript::MainWorld);
    bridge.setRunsOnSubFrames(true);
    scripts().insert(bridge);
}

QString WebBrowserPage::statusPrefix()
{
    return QStringLiteral("\x01orv-status\x01");
}

QString WebBrowserPage::statusBridgeSource()
{
    // window.status becomes a property of our own: every assignment is logged with the
    // prefix, in order, and reading it gives back the last text assigned.
    return QStringLiteral(R"JS((function () {
    var prefix = '\u0001orv-status\u0001';
    var text = '';
    var log = console.log.bind(console);
    try {
        Object.defineProperty(window, 'status', {
            configurable: true,
            get: function () { return text; },
            set: function (value) {
                text = (value === undefined || value === null) ? '' : String(value);
                log(prefix + text);
            }
        });
    } catch (e) {}
})();)JS");
}

bool WebBrowserPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame)
{
    bool cancel = false;
    emit navigationRequested(url, isMainFrame, &cancel);
    return !cancel;
}

void WebBrowserPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                              const QString& message, int lineNumber,
                                              const QString& sourceID)
{
    const QString prefix = statusPrefix();
    if (message.startsWith(prefix)) {
        emit statusAssigned(message.mid(prefix.size()));
        return;
    }
    QWebEnginePage::javaScriptConsoleMessage(level, message, lineNumber, sourceID);
}

} // namespace orv
