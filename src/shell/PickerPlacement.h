#pragma once

#include <QPointF>
#include <QSizeF>

namespace orv {

// Where the date picker opens: its top left corner at the mouse pointer, pushed back when it
// would reach past the right or bottom edge of the screen. All in twips.
class PickerPlacement
{
public:
    static QPointF place(const QPointF& pointer, const QSizeF& dialog, const QSizeF& screen);
};

} // namespace orv
