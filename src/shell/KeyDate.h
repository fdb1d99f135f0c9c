#pragma once

#include "common/DateValue.h"

#include <QString>

#include <optional>

namespace orv {

// A record date typed into a dialog. Keys are dates without a time of day, so a time in the
// text is dropped; a text that names no day (empty, no date, a time alone) gives nothing.
class KeyDate
{
public:
    static std::optional<DateValue> fromText(const QString& text);
};

} // namespace orv
