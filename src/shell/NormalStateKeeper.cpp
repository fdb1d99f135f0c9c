#include "shell/NormalStateKeeper.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace orv {

namespace {

constexpr Qt::WindowStates notNormal =
    Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

} // namespace

NormalStateKeeper::NormalStateKeeper(QWidget* dialog) : QObject(dialog), m_dialog(dialog)
{
    dialog->installEventFilter(this);
}

bool NormalStateKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_dialog && event->type() == QEvent::WindowStateChange &&
        (m_dialog->windowState() & notNormal)) {
        // Once the window manager has finished the change it is answering.
        QPointer<QWidget> dialog = m_dialog;
        QTimer::singleShot(0, this, [dialog] {
            if (!dialog || !dialog->isVisible())
                return;
            dialog->setWindowState(dialog->windowState() & ~notNormal);
            dialog->raise();
            dialog->activateWindow();
        });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace orv
