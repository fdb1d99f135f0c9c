#include "shell/WindowMenu.h"

#include <QAction>
#include <QMenu>
#include <QShortcut>
#include <QWidget>
#include <QWindow>

namespace orv {

WindowMenu::WindowMenu(QWidget* window, std::function<void()> showVersion)
    : QObject(window), m_window(window), m_menu(new QMenu(window))
{
    m_menu->setObjectName(QStringLiteral("mnuWindow"));
    m_restore = m_menu->addAction(QStringLiteral("元のサイズに戻す(&R)"), window,
                                  [this] { m_window->showNormal(); });
    m_move = m_menu->addAction(QStringLiteral("移動(&M)"), window, [this] {
        if (QWindow* handle = m_window->windowHandle())
            handle->startSystemMove();
    });
    m_size = m_menu->addAction(QStringLiteral("サイズ変更(&S)"), window, [this] {
        if (QWindow* handle = m_window->windowHandle())
            handle->startSystemResize(Qt::BottomEdge | Qt::RightEdge);
    });
    m_minimize = m_menu->addAction(QStringLiteral("最小化(&N)"), window,
                                   [this] { m_window->showMinimized(); });
    m_maximize = m_menu->addAction(QStringLiteral("最大化(&X)"), window,
                                   [this] { m_window->showMaximized(); });
    m_menu->addSeparator();
    m_version = m_menu->addAction(QStringLiteral("バージョン情報"), window, std::move(showVersion));
    m_close =
        m_menu->addAction(QStringLiteral("閉じる(&C)"), window, [this] { m_window->close(); });
    m_close->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    m_close->setShortcutVisibleInContextMenu(true);
    connect(m_menu, &QMenu::aboutToShow, this, &WindowMenu::updateStates);

    auto* altSpace = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), window);
    altSpace->setObjectName(QStringLiteral("scWindowMenu"));
    connect(altSpace, &QShortcut::activated, this, &WindowMenu::popupAtWindow);
}

WindowMenu::~WindowMenu() = default;

void WindowMenu::updateStates()
{
    const bool normal = !m_window->isMaximized() && !m_window->isMinimized();
    m_restore->setEnabled(!normal);
    m_move->setEnabled(normal);
    m_size->setEnabled(normal);
    m_minimize->setEnabled(!m_window->isMinimized());
    m_maximize->setEnabled(!m_window->isMaximized());
}

void WindowMenu::popupAtWindow()
{
    popup(m_window->geometry().topLeft());
}

void WindowMenu::popup(const QPoint& globalPos)
{
    m_menu->popup(globalPos);
}

} // namespace orv
