#pragma once

#include "support/ModalDriver.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <functional>

class QWidget;

namespace orv::test {

// Closes a modal window that nothing in the test answers, so that a step that went wrong ends
// in a failure within moments instead of a dialog waiting for a person until the test runner
// gives up. A window the driver's next step is for is the driver's; any other modal window
// that stays up over a few polls is recorded and closed.
//
//     ModalWatchdog watchdog(&driver);
//     ORV_TRY_VERIFY(watchdog, onPage("A.HTM"), 5000);
//     ...
//     ORV_VERIFY_MODALS_ANSWERED(watchdog);   // in cleanup()
class ModalWatchdog : public QObject
{
public:
    explicit ModalWatchdog(const ModalDriver* driver = nullptr);

    // Whether it had to close a window, and which ones.
    bool tripped() const { return !m_closed.isEmpty(); }
    QStringList closed() const { return m_closed; }
    QString report() const;
    // The report, empty when nothing had to be closed, and a fresh start for the next test.
    QString takeReport();

    // Lets the event loop run until done() holds, for at most timeoutMs; false at once when a
    // window had to be closed meanwhile. A wait that fails takes its timeout once, where a
    // failing QTRY_* waits three times its timeout.
    bool waitFor(const std::function<bool()>& done, int timeoutMs) const;
    // Why waitFor() gave up.
    QString failure(int timeoutMs) const;

private:
    void poll();

    QPointer<const ModalDriver> m_driver;
    QTimer m_timer;
    QPointer<QWidget> m_seen;
    int m_polls = 0;
    QStringList m_closed;
};

} // namespace orv::test

// QTRY_VERIFY_WITH_TIMEOUT that fails after its timeout, or as soon as the watchdog closed a
// window nobody answered.
#define ORV_TRY_VERIFY(watchdog, expr, timeoutMs)                                                  \
    do {                                                                                           \
        const bool orvReached = (watchdog).waitFor([&] { return bool(expr); }, (timeoutMs));       \
        if (!QTest::qVerify(orvReached, #expr, qPrintable((watchdog).failure(timeoutMs)),          \
                            __FILE__, __LINE__))                                                   \
            return;                                                                                \
    } while (false)

// Fails the test function, from its cleanup(), when the watchdog had to close a window; the
// next function starts afresh.
#define ORV_VERIFY_MODALS_ANSWERED(watchdog)                                                       \
    do {                                                                                           \
        const QString unanswered = (watchdog).takeReport();                                        \
        QVERIFY2(unanswered.isEmpty(), qPrintable(unanswered));                                    \
    } while (false)
