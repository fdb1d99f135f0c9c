#include "shell/PickerPlacement.h"

namespace orv {

QPointF PickerPlacement::place(const QPointF& pointer, const QSizeF& dialog, const QSizeF& screen)
{
    // Single precision, as the positions of the old forms were; a dialog ending exactly at
    // the edge stays, one left of or above the screen is not corrected.
    float left = float(pointer.x());
    if (left + float(dialog.width()) > float(screen.width()))
        left = float(screen.width()) - float(dialog.width());
    float top = float(pointer.y());
    if (top + float(dialog.height()) > float(screen.height()))
        top = float(screen.height()) - float(dialog.height());
    return QPointF(left, top);
}

} // namespace orv
