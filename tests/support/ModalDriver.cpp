#include "support/ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QWidget>

namespace orv::test {

ModalDriver::ModalDriver()
{
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll);
}

void ModalDriver::when(const QString& objectName, Action action)
{
    m_steps.append({objectName, std::move(action)});
    m_timer.start();
}

void ModalDriver::poll()
{
    if (m_steps.isEmpty()) {
        m_timer.stop();
        return;
    }
    const QString wanted = m_steps.first().first;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() != wanted || !window->isVisible())
            continue;
        // The dialog must be the one taking input, not one hidden under a newer modal.
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != window)
            continue;
        // Acted on from a timer of its own: an action that opens the next modal blocks in it,
        // and this poll must keep running meanwhile.
        Action action = m_steps.takeFirst().second;
        QPointer<QWidget> target(window);
        QTimer::singleShot(0, this, [action, target] {
            if (target)
                action(target);
        });
        return;
    }
}

void ModalDriver::type(QWidget* dialog, const QString& child, const QString& text)
{
    auto* edit = dialog->findChild<QLineEdit*>(child);
    Q_ASSERT(edit);
    edit->setFocus();
    edit->selectAll();
    edit->insert(text); // as typed, also for text no key sequence produces
}

void ModalDriver::click(QWidget* dialog, const QString& child)
{
    auto* button = dialog->findChild<QAbstractButton*>(child);
    Q_ASSERT(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace orv::test
