#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <deque>
#include <memory>

class QEvent;

namespace orv {

class WebBrowser;

// Keeps the keys typed into a page from going astray while the page is busy: from a page key
// (Alt and a letter, which may press one of the page's buttons) until the page has answered it,
// and while the window acts on what the page asked for, such as the move to the next page.
// The keys are held, in order, and then given to the page shown: after a move, the next page's
// first item, which the page's filling has focused.
class PageKeyHold : public QObject
{
public:
    // The keys of the browser, and while the window is busy those of its whole window.
    explicit PageKeyHold(WebBrowser& browser);

    // What the page reports, as a status text, once it has handled a page key.
    static QString answer();
    // The script that reports it; injected into every page the browser shows.
    static QString answerScriptSource();

    // From the application's event filter; true when the event is held.
    bool hold(QObject* watched, QEvent* event);
    // The page has handled the last page key.
    void pageAnswered();

    // The window acts on a command of the page or a menu item for the scope's lifetime.
    class Busy
    {
    public:
        explicit Busy(PageKeyHold& hold);
        ~Busy();
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        QPointer<PageKeyHold> m_hold;
    };

    bool isHolding() const;
    int heldCount() const { return int(m_held.size()); }

private:
    // The key of a page key pressed, 0 for any other event.
    static int pageKeyOf(const QEvent& event);
    bool releasesPageKey(const QEvent& event) const;
    void awaitAnswer(int pageKey);
    void release();
    QWidget* keyTarget() const;

    QPointer<WebBrowser> m_browser;
    std::deque<std::unique_ptr<QEvent>> m_held;
    QTimer m_noAnswer;
    int m_busy = 0;
    int m_pageKey = 0; // the page key whose answer is awaited
    bool m_releasing = false;
    bool m_replaying = false;
};

} // namespace orv
