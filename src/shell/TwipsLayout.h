#pragma once

#include "common/Twips.h"

#include <QRect>
#include <QSizeF>

class QScreen;
class QWidget;

namespace orv {

// Lays a window out from positions and sizes in twips, at the logical dpi of its screen.
class TwipsLayout
{
public:
    explicit TwipsLayout(QWidget* window);

    const Twips& twips() const { return m_twips; }
    // The screen's size in twips.
    QSizeF screenTwips() const;
    // The screen's geometry in pixels.
    QRect screenGeometry() const;

    void place(QWidget* control, int left, int top, int width, int height) const;
    // A fixed client area of the given size.
    void setClientSize(int width, int height) const;
    // Centred on the screen by its outer size (with the frame, once the window has one), the
    // offsets worked out in twips.
    void centreOnScreen() const;
    // Moves the window to a position given in twips from the screen's top left corner.
    void moveTo(double leftTwips, double topTwips) const;

private:
    QWidget* m_window;
    QScreen* m_screen;
    Twips m_twips;
};

} // namespace orv
