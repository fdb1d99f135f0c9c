#pragma once

#include <QString>

namespace orv {

// Full-width ASCII letters, digits and signs and the ideographic space become narrow;
// half-width katakana stays as it is.
QString toHalfWidth(const QString& text);

} // namespace orv
