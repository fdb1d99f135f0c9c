#pragma once

#include <QtGlobal>

namespace orv {

// The main window's key handler, on key codes (78 is N, 19 is Pause) and the modifier mask
// (1 Shift, 2 Ctrl, 4 Alt).
class MenuKeys
{
public:
    enum Modifier
    {
        Shift = 1,
        Ctrl = 2,
        Alt = 4
    };
    static constexpr int KeyN = 78;
    static constexpr int KeyPause = 19;

    // Sets keyCode to 0 when the key press must go no further; true when the chord of the
    // verification mode was pressed.
    static bool Form_KeyDown(int& keyCode, int shift);

    // The key code and mask of a Qt key press (0 for keys the handler has no use for). The
    // native key tells Pause held with Ctrl apart, which X11 reports as Break, unknown to Qt.
    static int keyCodeOf(int qtKey, quint32 nativeVirtualKey = 0);
    static int shiftMaskOf(int qtModifiers);
};

} // namespace orv
