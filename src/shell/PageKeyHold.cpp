#include "shell/PageKeyHold.h"

#include "shell/WebBrowser.h"
#include "shell/WebBrowserPage.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QKeyEvent>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

#include <utility>

namespace orv {

namespace {

// A page that has not yet given the focus to its first item (it does so once it has drawn)
// gives it now, so that the keys typed meanwhile go there.
const char* const focusFirstItemSource = R"JS((function () {
    var active = document.activeElement;
    if (!active || active === document.body || active === document.documentElement) {
        var first = document.querySelector('[autofocus]');
        if (first) first.focus();
    }
    return 1;
})())JS";

bool isModifierKey(int key)
{
    return key == Qt::Key_Alt || key == Qt::Key_AltGr || key == Qt::Key_Control ||
           key == Qt::Key_Shift || key == Qt::Key_Meta || key == Qt::Key_Super_L ||
           key == Qt::Key_Super_R;
}

} // namespace

PageKeyHold::PageKeyHold(WebBrowser& browser) : QObject(&browser), m_browser(&browser)
{
    QWebEngineScript script;
    script.setName(QStringLiteral("orv-page-key-answer"));
    script.setSourceCode(answerScriptSource());
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    browser.page()->scripts().insert(script);

    connect(&browser, &QWebEngineView::loadStarted, this, [this] { m_pageReplaced = true; });
    // A page that never answers (one gone or hung) keeps the keys no longer than this.
    constexpr int longestAnswerMs = 1000;
    m_noAnswer.setSingleShot(true);
    m_noAnswer.setInterval(longestAnswerMs);
    connect(&m_noAnswer, &QTimer::timeout, this, [this] {
        m_awaitingAnswer = false;
        release();
    });
}

QString PageKeyHold::answer()
{
    return QStringLiteral("\x02orv-page-key\x02");
}

QString PageKeyHold::answerScriptSource()
{
    const QString literal =
        QString::fromUtf8(QJsonDocument(QJsonArray{WebBrowserPage::statusPrefix() + answer()})
                              .toJson(QJsonDocument::Compact));
    // A key with Alt has been handled, the page's access keys included, by the time its keydown
    // reaches the window; the answer goes the way of the status texts, after what the key made
    // the page say.
    return QStringLiteral(R"JS((function () {
    var answer = %1[0];
    var log = console.log.bind(console);
    var modifiers = ['Alt', 'AltGraph', 'Control', 'Shift', 'Meta', 'OS'];
    window.addEventListener('keydown', function (e) {
        if (e.altKey && modifiers.indexOf(e.key) < 0)
            log(answer);
    }, true);
})();)JS")
        .arg(literal);
}

bool PageKeyHold::isPageKey(const QEvent& event)
{
    if (event.type() != QEvent::KeyPress)
        return false;
    const auto& key = static_cast<const QKeyEvent&>(event);
    return key.modifiers().testFlag(Qt::AltModifier) && !isModifierKey(key.key());
}

bool PageKeyHold::isHolding() const
{
    return m_busy > 0 || m_awaitingAnswer || !m_held.empty();
}

bool PageKeyHold::hold(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::InputMethod)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !m_browser || m_replaying)
        return false;
    const bool inPage = widget == m_browser || m_browser->isAncestorOf(widget);
    const bool inWindow = widget->window() == m_browser->window();
    if (!inPage && !(m_busy > 0 && inWindow))
        return false;
    if (isHolding()) {
        m_held.emplace_back(event->clone());
        return true;
    }
    if (isPageKey(*event))
        awaitAnswer();
    return false;
}

void PageKeyHold::awaitAnswer()
{
    m_awaitingAnswer = true;
    m_noAnswer.start();
}

void PageKeyHold::pageAnswered()
{
    if (!m_awaitingAnswer)
        return;
    m_awaitingAnswer = false;
    m_noAnswer.stop();
    release();
}

QWidget* PageKeyHold::keyTarget() const
{
    return m_browser->focusProxy() ? m_browser->focusProxy() : m_browser.data();
}

void PageKeyHold::release()
{
    if (m_releasing || m_busy > 0 || m_awaitingAnswer || !m_browser)
        return;
    // The window may close, and this go with its browser, while a key is given or a script runs.
    const QPointer<PageKeyHold> alive(this);
    m_releasing = true;
    // Keys typed while this runs queue behind those held.
    if (std::exchange(m_pageReplaced, false) && !m_held.empty()) {
        m_browser->runScript(QString::fromUtf8(focusFirstItemSource));
        if (!alive)
            return;
    }
    if (!m_held.empty() && !QApplication::activePopupWidget() &&
        m_browser->window()->isActiveWindow() && !m_browser->hasFocus())
        m_browser->setFocus();
    while (m_busy == 0 && !m_awaitingAnswer && !m_held.empty()) {
        const std::unique_ptr<QEvent> event = std::move(m_held.front());
        m_held.pop_front();
        m_replaying = true;
        QCoreApplication::sendEvent(keyTarget(), event.get());
        if (!alive)
            return;
        m_replaying = false;
        if (isPageKey(*event))
            awaitAnswer();
    }
    m_releasing = false;
}

PageKeyHold::Busy::Busy(PageKeyHold& hold) : m_hold(&hold)
{
    ++hold.m_busy;
}

PageKeyHold::Busy::~Busy()
{
    if (m_hold && --m_hold->m_busy == 0)
        m_hold->release();
}

} // namespace orv
