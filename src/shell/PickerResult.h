#pragma once

#include "common/DateValue.h"

#include <QDate>
#include <QString>

#include <optional>

namespace orv {

// The picked date and time as the picker's controls show them: the calendar's date with the
// texts of the hour and minute lists. Nothing when the texts make no time.
class PickerResult
{
public:
    static std::optional<DateValue> compose(const QDate& date, const QString& hour,
                                            const QString& minute);
};

} // namespace orv
