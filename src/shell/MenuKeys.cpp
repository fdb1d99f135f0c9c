#include "shell/MenuKeys.h"

#include <Qt>

namespace orv {

bool MenuKeys::Form_KeyDown(int& keyCode, int shift)
{
    // Ctrl+N would open a second browser window in the old control.
    if ((shift & Ctrl) && keyCode == KeyN)
        keyCode = 0;
    return keyCode == KeyPause && shift == (Ctrl | Alt | Shift);
}

namespace {

constexpr quint32 X11Break = 0xFF6B; // the keysym of Pause with Ctrl held

} // namespace

int MenuKeys::keyCodeOf(int qtKey, quint32 nativeVirtualKey)
{
    if (qtKey == Qt::Key_N)
        return KeyN;
    if (qtKey == Qt::Key_Pause || (qtKey == 0 && nativeVirtualKey == X11Break))
        return KeyPause;
    return 0;
}

int MenuKeys::shiftMaskOf(int qtModifiers)
{
    int mask = 0;
    if (qtModifiers & Qt::ShiftModifier)
        mask |= Shift;
    if (qtModifiers & Qt::ControlModifier)
        mask |= Ctrl;
    if (qtModifiers & Qt::AltModifier)
        mask |= Alt;
    return mask;
}

} // namespace orv
