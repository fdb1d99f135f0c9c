#pragma once

#include "common/Value.h"
#include "data/ColumnInfo.h"

namespace orv {

// Converts a value assigned to a column into the column's type as Jet did: "12" into a
// number, "2005/08/17" into a date, a number into a text. A value out of the type's range,
// a text longer than the column, or a value that does not convert is refused with Jet's
// message. Null is taken by every type. Key dates (基準日, 記入日) lose their time of day.
class ValueConverter
{
public:
    static bool convert(const ColumnInfo& column, const Value& value, Value* converted,
                        QString* error = nullptr);
    static bool isKeyDate(const QString& columnName);
};

} // namespace orv
