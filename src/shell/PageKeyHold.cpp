#include "shell/PageKeyHold.h"

#include "shell/WebBrowser.h"
#include "shell/WebBrowserPage.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QKeyEvent>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace orv {

namespace {

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

    // A page that never answers (one gone or hung) keeps the keys no longer than this.
    constexpr int longestAnswerMs = 1000;
    m_noAnswer.setSingleShot(true);
    m_noAnswer.setInterval(longestAnswerMs);
    connect(&m_noAnswer, &QTimer::timeout, this, [this] {
        m_pageKey = 0;
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
    // A key pressed with Alt has been handled, the page's access key included (which acts on the
    // character the key types, after its keydown), by the time the key is let go; the answer goes
    // the way of the status texts, after what the key made the page say.
    return QStringLiteral(R"JS((function () {
    var answer = %1[0];
    var log = console.log.bind(console);
    var modifiers = ['Alt', 'AltGraph', 'Control', 'Shift', 'Meta', 'OS'];
    var pressed = {};
    window.addEventListener('keydown', function (e) {
        if (e.altKey && modifiers.indexOf(e.key) < 0)
            pressed[e.code] = true;
    }, true);
    window.addEventListener('keyup', function (e) {
        if (pressed[e.code]) {
            delete pressed[e.code];
            log(answer);
        }
    }, true);
})();)JS")
        .arg(literal);
}

int PageKeyHold::pageKeyOf(const QEvent& event)
{
    if (event.type() != QEvent::KeyPress)
        return 0;
    const auto& key = static_cast<const QKeyEvent&>(event);
    const bool pageKey = key.modifiers().testFlag(Qt::AltModifier) && !isModifierKey(key.key()) &&
                         !key.isAutoRepeat();
    return pageKey ? key.key() : 0;
}

bool PageKeyHold::releasesPageKey(const QEvent& event) const
{
    if (m_pageKey == 0 || event.type() != QEvent::KeyRelease)
        return false;
    const auto& key = static_cast<const QKeyEvent&>(event);
    return key.key() == m_pageKey && !key.isAutoRepeat();
}

bool PageKeyHold::isHolding() const
{
    return m_busy > 0 || m_pageKey != 0 || !m_held.empty();
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
    // The page answers when the page key is let go, so that goes through, also past keys held.
    if (inPage && releasesPageKey(*event))
        return false;
    if (isHolding()) {
        m_held.emplace_back(event->clone());
        return true;
    }
    awaitAnswer(pageKeyOf(*event));
    return false;
}

void PageKeyHold::awaitAnswer(int pageKey)
{
    if (pageKey == 0)
        return;
    m_pageKey = pageKey;
    m_noAnswer.start();
}

void PageKeyHold::pageAnswered()
{
    if (m_pageKey == 0)
        return;
    m_pageKey = 0;
    m_noAnswer.stop();
    release();
}

QWidget* PageKeyHold::keyTarget() const
{
    return m_browser->focusProxy() ? m_browser->focusProxy() : m_browser.data();
}

void PageKeyHold::release()
{
    if (m_releasing || m_busy > 0 || !m_browser)
        return;
    // The window may close, and this go with its browser, while a key is given.
    const QPointer<PageKeyHold> alive(this);
    m_releasing = true;
    if (!m_held.empty() && !QApplication::activePopupWidget() &&
        m_browser->window()->isActiveWindow() && !m_browser->hasFocus())
        m_browser->setFocus();
    // A page key given from here waits for its answer like one typed, its release given too.
    while (m_busy == 0 && !m_held.empty() && (m_pageKey == 0 || releasesPageKey(*m_held.front()))) {
        const std::unique_ptr<QEvent> event = std::move(m_held.front());
        m_held.pop_front();
        m_replaying = true;
        QCoreApplication::sendEvent(keyTarget(), event.get());
        if (!alive)
            return;
        m_replaying = false;
        awaitAnswer(pageKeyOf(*event));
    }
    m_releasing = false;
}

PageKeyHold::Busy::Busy(PageKeyHold& hold) : m_hold(&hold)
{
    // The page asks for something: that is its answer to the key.
    hold.m_pageKey = 0;
    hold.m_noAnswer.stop();
    ++hold.m_busy;
}

PageKeyHold::Busy::~Busy()
{
    if (m_hold && --m_hold->m_busy == 0)
        m_hold->release();
}

} // namespace orv
