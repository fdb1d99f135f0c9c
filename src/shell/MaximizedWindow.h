#pragma once

class QWidget;

namespace orv {

// Shows a top-level window maximized. Before it first shows, the window takes the screen's
// available area itself: where no window manager maximizes it the window still fills the
// screen, and what it loads before a window manager gets round to it is laid out at full size.
class MaximizedWindow
{
public:
    static void show(QWidget* window);
};

} // namespace orv
