#include "shell/ScreenCentring.h"

#include "shell/TwipsLayout.h"

#include <QEvent>
#include <QWidget>

namespace orv {

ScreenCentring::ScreenCentring(QWidget* window) : QObject(window), m_window(window)
{
    centreNow();
    window->installEventFilter(this);
}

void ScreenCentring::centre(QWidget* window)
{
    new ScreenCentring(window);
}

void ScreenCentring::centreNow()
{
    m_centredSize = m_window->frameGeometry().size();
    TwipsLayout(m_window).centreOnScreen();
}

bool ScreenCentring::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::UpdateRequest:
    case QEvent::Paint:
        // A move by the user keeps the size, and the window stays where the user put it.
        if (m_window->frameGeometry().size() != m_centredSize)
            centreNow();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace orv
