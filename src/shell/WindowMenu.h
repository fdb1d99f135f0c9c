#pragma once

#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QPoint;
class QWidget;

namespace orv {

// The window menu of a top-level window (Alt+Space and its right-click menu): restore, move,
// size, minimise, maximise, then "バージョン情報" directly above 閉じる.
class WindowMenu : public QObject
{
    Q_OBJECT
public:
    WindowMenu(QWidget* window, std::function<void()> showVersion);
    ~WindowMenu() override;

    QMenu* menu() const { return m_menu; }
    QAction* versionAction() const { return m_version; }
    QAction* closeAction() const { return m_close; }

    // Opens the menu at the window's top left corner (Alt+Space) or at a screen point.
    void popupAtWindow();
    void popup(const QPoint& globalPos);

private:
    void updateStates();

    QWidget* m_window;
    QMenu* m_menu;
    QAction* m_restore;
    QAction* m_move;
    QAction* m_size;
    QAction* m_minimize;
    QAction* m_maximize;
    QAction* m_version;
    QAction* m_close;
};

} // namespace orv
