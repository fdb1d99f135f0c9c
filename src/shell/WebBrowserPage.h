#pragma once

#include <QWebEnginePage>

namespace orv {

// The page behind a WebBrowser: asks before every navigation and carries the page's status
// text to the program.
class WebBrowserPage : public QWebEnginePage
{
    Q_OBJECT
public:
    explicit WebBrowserPage(QObject* parent = nullptr);

    // Console messages that begin with this carry an assignment to window.status.
    static QString statusPrefix();
    // The script that forwards window.status; injected into every frame of every page.
    static QString statusBridgeSource();

signals:
    void navigationRequested(const QUrl& url, bool isMainFrame, bool* cancel);
    void statusAssigned(const QString& text);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int lineNumber, const QString& sourceID) override;
};

} // namespace orv
