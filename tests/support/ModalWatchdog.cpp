#include "support/ModalWatchdog.h"

#include "support/ModalDriver.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QMessageBox>
#include <QTest>
#include <QWidget>

namespace orv::test {

namespace {

constexpr int PollMs = 50;
// Polls a window may stay up unanswered: several turns of any driver's or closer's timer,
// counted in polls so that an event loop held up by a slow machine does not cut them short.
constexpr int GracePolls = 6;

QString describe(QWidget* window)
{
    QString text =
        QStringLiteral("%1 (%2) \"%3\"")
            .arg(window->objectName(), QString::fromLatin1(window->metaObject()->className()),
                 window->windowTitle());
    if (auto* box = qobject_cast<QMessageBox*>(window))
        text += QStringLiteral(": ") + box->text();
    return text;
}

} // namespace

ModalWatchdog::ModalWatchdog(const ModalDriver* driver) : m_driver(driver)
{
    m_timer.setInterval(PollMs);
    connect(&m_timer, &QTimer::timeout, this, &ModalWatchdog::poll);
    m_timer.start();
}

void ModalWatchdog::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || (m_driver && modal->objectName() == m_driver->pending())) {
        m_seen = nullptr;
        m_polls = 0;
        return;
    }
    if (modal != m_seen) {
        m_seen = modal;
        m_polls = 0;
    }
    ++m_polls;
    if (m_polls < GracePolls)
        return;
    if (m_polls == GracePolls) {
        m_closed << describe(modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        return;
    }
    // One that refuses to close is hidden, which ends its event loop as well.
    modal->hide();
}

QString ModalWatchdog::report() const
{
    return QStringLiteral("a modal window came up that nothing answered, and was closed: ") +
           m_closed.join(QStringLiteral("; "));
}

QString ModalWatchdog::takeReport()
{
    const QString text = tripped() ? report() : QString();
    m_closed.clear();
    return text;
}

bool ModalWatchdog::waitFor(const std::function<bool()>& done, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!tripped()) {
        if (done())
            return true;
        if (deadline.hasExpired())
            return false;
        QTest::qWait(qBound(1, int(deadline.remainingTime()), 10));
    }
    return false;
}

QString ModalWatchdog::failure(int timeoutMs) const
{
    return tripped() ? report() : QStringLiteral("not within %1 ms").arg(timeoutMs);
}

} // namespace orv::test
