#pragma once

#include <QString>

namespace orv {

// A value made safe for element content of a report-data file: "&", "<", ">", line breaks and
// the characters that Shift_JIS cannot hold become references, so the report reads back exactly
// the stored text on one line; control characters that XML cannot carry are left out.
QString XmlEscape(const QString& text);

} // namespace orv
