#pragma once

#include <QObject>
#include <QSize>

class QWidget;

namespace orv {

// Keeps a window centred on its screen by its outer size, worked out in twips as the forms did:
// at once by the size it has, and again whenever that size changes before the user sees it
// settle: when a window manager has put its frame round it (the frame is known only then), or
// when the window sizes itself to its contents as it shows.
class ScreenCentring : public QObject
{
    Q_OBJECT
public:
    static void centre(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ScreenCentring(QWidget* window);
    void centreNow();

    QWidget* m_window;
    QSize m_centredSize;
};

} // namespace orv
