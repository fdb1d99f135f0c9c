#include "shell/MaximizedWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace orv {

void MaximizedWindow::show(QWidget* window)
{
    if (!window->isVisible()) {
        QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
        if (screen)
            window->setGeometry(screen->availableGeometry());
    }
    window->showMaximized();
    // Without a window manager nothing else gives the window the keyboard.
    window->activateWindow();
}

} // namespace orv
